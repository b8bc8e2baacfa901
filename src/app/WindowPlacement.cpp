#include "app/WindowPlacement.h"

#include <algorithm>
#include <charconv>

namespace app {

std::optional<Rect> ParseRect(const std::string& text)
{
    int values[4];
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p == end || *p != ',')
                return std::nullopt;
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, values[i]);
        if (ec != std::errc())
            return std::nullopt;
        p = next;
    }
    if (p != end || values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return Rect{values[0], values[1], values[2], values[3]};
}

std::string RectText(const Rect& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
}

Rect FitOnScreen(Rect wanted, const Rect& screen)
{
    wanted.width = std::min(wanted.width, screen.width);
    wanted.height = std::min(wanted.height, screen.height);
    wanted.x = std::clamp(wanted.x, screen.x, screen.x + screen.width - wanted.width);
    wanted.y = std::clamp(wanted.y, screen.y, screen.y + screen.height - wanted.height);
    return wanted;
}

} // namespace app
