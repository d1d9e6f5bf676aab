#include "documents/window_fit.h"

#include <algorithm>
#include <cstdint>

namespace umlo {

WindowPlace FitOnScreen(WindowPlace place, const ScreenArea& area) {
    if (place.Width <= 0 || place.Height <= 0 || area.Width <= 0 || area.Height <= 0) {
        return place;
    }
    place.Width = std::min<std::int32_t>(place.Width, area.Width);
    place.Height = std::min<std::int32_t>(place.Height, area.Height);
    place.Left =
        std::clamp<std::int32_t>(place.Left, area.Left, area.Left + area.Width - place.Width);
    place.Top =
        std::clamp<std::int32_t>(place.Top, area.Top, area.Top + area.Height - place.Height);
    return place;
}

} // namespace umlo
