#include "tlockkeys.h"

#include <QGuiApplication>

#if defined(FASTENEX_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

std::optional<TLockKeyStates> TLockKeys::Read() {
#if defined(FASTENEX_HAVE_X11)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    // Each request waits for the server, which may be busy drawing: the indicators' places are
    // asked for once, and their states in one request each time.
    static const auto place = [display](const char* name) {
        const Atom atom = XInternAtom(display, name, False);
        int index = -1;
        if (atom == None || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
            return -1;
        return index;
    };
    static const int caps = place("Caps Lock");
    static const int num = place("Num Lock");
    static const int scroll = place("Scroll Lock");
    unsigned int on = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &on) != Success)
        return TLockKeyStates();
    const auto lit = [on](int index) { return index >= 0 && index < 32 && (on >> index & 1u) != 0; };
    TLockKeyStates states;
    states.Caps = lit(caps);
    states.Num = lit(num);
    states.Scroll = lit(scroll);
    return states;
#else
    return std::nullopt;
#endif
}
