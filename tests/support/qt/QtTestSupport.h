#pragma once
// What the desktop program's tests share: clicks on list cells as a user
// makes them, and the texts a list shows. The tests' main (QtTestMain.cpp)
// makes the application object before the first test.
#include <QStringList>

class QTreeWidget;

namespace testing_support::qt {

// Clicks the middle of a cell of a report-style list (scrolled into view).
void ClickCell(QTreeWidget* list, int row, int column);
// Selects the row with a click, then double-clicks the cell.
void DoubleClickCell(QTreeWidget* list, int row, int column);
// The texts of one column, top to bottom.
QStringList ColumnTexts(QTreeWidget* list, int column);

} // namespace testing_support::qt
