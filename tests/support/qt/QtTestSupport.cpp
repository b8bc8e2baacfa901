#include "support/qt/QtTestSupport.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>
#include <QtTest/QTest>

namespace testing_support::qt {
namespace {

QPoint CellCentre(QTreeWidget* list, int row, int column)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    EXPECT_NE(item, nullptr) << "no row " << row;
    if (!item)
        return {};
    list->scrollToItem(item);
    return {list->header()->sectionViewportPosition(column) + list->columnWidth(column) / 2,
            list->visualItemRect(item).center().y()};
}

} // namespace

void ClickCell(QTreeWidget* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(list, row, column));
}

void DoubleClickCell(QTreeWidget* list, int row, int column)
{
    const QPoint at = CellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList ColumnTexts(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

} // namespace testing_support::qt
