#pragma once
// F6 and Shift+F6 move the keyboard focus from one main area of the view shown
// to the next or the previous one: a list, a filter, a text, a row of buttons.
// The frame has no split panes, so the areas of the view take their place.
#include <QList>

class QWidget;

namespace app::qt {

// The areas of `view`, in focus order: every visible, enabled widget that
// takes the focus by Tab, except that a run of push buttons (and check boxes)
// side by side counts as one area, reached at its first member.
QList<QWidget*> FocusAreas(QWidget* view);

// Moves the focus to the next (or previous) area of `view`, wrapping around.
// Returns the widget that got the focus, or nullptr when the view has none.
QWidget* MoveToNextArea(QWidget* view, bool forward);

} // namespace app::qt
