// Which lock keys (Caps, Num, Scroll) are on. Qt has no portable query, so
// it is read from the window system where one is known: the X server's
// keyboard indicators under xcb. Elsewhere the state is unknown.
#pragma once

namespace vek::editor {

struct LockKeys {
    bool known = false;  // false: the window system cannot tell; all read as off
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Asks the window system now (one round trip to the X server under xcb).
LockKeys readLockKeys();

}  // namespace vek::editor
