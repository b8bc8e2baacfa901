#pragma once
// Where the main window was: kept in the settings file between runs, and put
// back on a screen that may have changed meanwhile.
#include <optional>
#include <string>

namespace app {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// "x,y,width,height"; nothing for a text that is not four numbers with a size.
std::optional<Rect> ParseRect(const std::string& text);
std::string RectText(const Rect& r);

// `wanted` moved and cut so that it lies wholly within `screen` (the screen's
// available area): a window never comes back off screen or larger than it.
Rect FitOnScreen(Rect wanted, const Rect& screen);

} // namespace app
