#include "app/qt/PaneFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QWidget>

namespace app::qt {
namespace {

bool TakesTabFocus(QWidget* w, QWidget* view)
{
    return w != view && view->isAncestorOf(w) && w->isVisibleTo(view) && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

bool IsButton(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) != nullptr;
}

} // namespace

QList<QWidget*> FocusAreas(QWidget* view)
{
    QList<QWidget*> areas;
    if (!view)
        return areas;
    // The focus chain of a window passes through the view's widgets in Tab order.
    QWidget* start = view;
    QWidget* w = view->nextInFocusChain();
    bool previousWasButton = false;
    for (int guard = 0; w && w != start && guard < 2000; ++guard, w = w->nextInFocusChain()) {
        if (!TakesTabFocus(w, view) || areas.contains(w))
            continue;
        const bool button = IsButton(w);
        if (!(button && previousWasButton))
            areas.append(w);
        previousWasButton = button;
    }
    return areas;
}

QWidget* MoveToNextArea(QWidget* view, bool forward)
{
    const QList<QWidget*> areas = FocusAreas(view);
    if (areas.isEmpty())
        return nullptr;
    // The area that holds the focus now: the last one that starts at or before it in the chain.
    QWidget* focus = QApplication::focusWidget();
    int current = -1;
    if (focus && (focus == view || view->isAncestorOf(focus))) {
        QWidget* w = view->nextInFocusChain();
        int area = -1;
        for (int guard = 0; w && w != view && guard < 2000; ++guard, w = w->nextInFocusChain()) {
            const int index = areas.indexOf(w);
            if (index >= 0)
                area = index;
            if (w == focus || w->isAncestorOf(focus)) {
                current = area;
                break;
            }
        }
    }
    const int n = static_cast<int>(areas.size());
    int next = current < 0 ? (forward ? 0 : n - 1) : (current + (forward ? 1 : -1) + n) % n;
    QWidget* target = areas[next];
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return target;
}

} // namespace app::qt
