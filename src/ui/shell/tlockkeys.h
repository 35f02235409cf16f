#pragma once

#include <optional>

// The toggle states of the keyboard's lock keys.
struct TLockKeyStates {
    bool Caps = false;
    bool Num = false;
    bool Scroll = false;
};

class TLockKeys {
public:
    // The states from the X keyboard extension; none where the display has no such thing
    // (another platform, the offscreen platform of the tests).
    static std::optional<TLockKeyStates> Read();
};
