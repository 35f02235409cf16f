#pragma once

#include "tlinebuffers.h"

// Frees the line buffers on every exit of a reader or writer that created them.
class TFreeBuffersGuard {
public:
    explicit TFreeBuffersGuard(TLineBuffers& buffers) : Buffers(buffers) {}
    ~TFreeBuffersGuard() { Buffers.FreeLineBuffers(); }
    TFreeBuffersGuard(const TFreeBuffersGuard&) = delete;
    TFreeBuffersGuard& operator=(const TFreeBuffersGuard&) = delete;

private:
    TLineBuffers& Buffers;
};
