#include "platform/lock_keys.h"

#include <QGuiApplication>

// Qt reaches the X display only when it was built with its xcb platform.
#if defined(VEK_HAVE_X11) && QT_CONFIG(xcb)
#  define VEK_READ_X11_LOCKS 1
// Xlib defines macros (None, Bool, KeyPress, ...) that clash with Qt's
// names, so it comes after every Qt header.
#  include <X11/XKBlib.h>
#endif

namespace vek::editor {

#ifdef VEK_READ_X11_LOCKS
namespace {

Display *x11Display() {
    if (!qGuiApp)
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The indicator named `name` (as the keymap names it) in the bit set
// `lit`; off when the keymap has no such indicator.
bool indicatorLit(Display *display, const char *name, unsigned lit) {
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    Bool state = False;
    Bool real = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, &index, &state, nullptr, &real))
        return false;
    return index >= 0 && index < 32 && (lit >> index & 1u) != 0;
}

}  // namespace

LockKeys readLockKeys() {
    Display *display = x11Display();
    unsigned lit = 0;
    if (!display || XkbGetIndicatorState(display, XkbUseCoreKbd, &lit) != Success)
        return {};
    LockKeys keys;
    keys.known = true;
    keys.caps = indicatorLit(display, "Caps Lock", lit);
    keys.num = indicatorLit(display, "Num Lock", lit);
    keys.scroll = indicatorLit(display, "Scroll Lock", lit);
    return keys;
}

#else

LockKeys readLockKeys() { return {}; }

#endif

}  // namespace vek::editor
