// The main window's saved place against the screen it opens on: a settings
// file may hold any numbers, and a window larger than the screen or beside
// it cannot be used.
#pragma once

#include "documents/settings_file.h"

namespace umlo {

// The part of the screen a window may take (without panels and docks).
struct ScreenArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// No wider or taller than the area, and moved into it. A place without a
// size (0 or less) is left as it is: the caller chooses one.
WindowPlace FitOnScreen(WindowPlace place, const ScreenArea& area);

} // namespace umlo
