#pragma once

#include "tlinebuffers.h"

// Sets the window's Busy flag for the lifetime of the guard and restores the earlier value on
// every exit, so a step inside a longer operation leaves that operation's flag standing.
class TBusyFlagGuard {
public:
    explicit TBusyFlagGuard(TLineBuffers& buffers) : Buffers(buffers), Previous(buffers.Busy) {
        Buffers.Busy = true;
    }
    ~TBusyFlagGuard() { Buffers.Busy = Previous; }
    TBusyFlagGuard(const TBusyFlagGuard&) = delete;
    TBusyFlagGuard& operator=(const TBusyFlagGuard&) = delete;

private:
    TLineBuffers& Buffers;
    bool Previous;
};
