#pragma once

#include "tdocumenthost.h"

// Shows the hourglass for the lifetime of the guard, restoring the cursor on every exit.
class TBusyCursorGuard {
public:
    explicit TBusyCursorGuard(TDocumentHost& host) : Host(host) { Host.PushBusyCursor(); }
    ~TBusyCursorGuard() { Host.PopBusyCursor(); }
    TBusyCursorGuard(const TBusyCursorGuard&) = delete;
    TBusyCursorGuard& operator=(const TBusyCursorGuard&) = delete;

private:
    TDocumentHost& Host;
};
