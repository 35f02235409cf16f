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
    static Atom caps = XInternAtom(display, "Caps Lock", False);
    static Atom num = XInternAtom(display, "Num Lock", False);
    static Atom scroll = XInternAtom(display, "Scroll Lock", False);
    auto named = [display](Atom atom) {
        Bool on = False;
        if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            return false;
        return on == True;
    };
    TLockKeyStates states;
    states.Caps = named(caps);
    states.Num = named(num);
    states.Scroll = named(scroll);
    return states;
#else
    return std::nullopt;
#endif
}
