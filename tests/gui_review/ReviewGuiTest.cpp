#include "ReviewGuiTest.h"

#include "editing/qt/CCategoryView.h"
#include "editing/qt/CInspectionListCtrl.h"

#include <QTreeWidget>

namespace review_gui {

void ReviewGui::OpenCategory(const QString& title)
{
    ASSERT_TRUE(frame->ShowView(app::qt::kViewCategoryList));
    auto* categories = qobject_cast<editing::qt::CCategoryView*>(frame->View(app::qt::kViewCategoryList));
    ASSERT_NE(categories, nullptr);
    QTreeWidget* list = categories->List();
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->text(1) == title) {
            ClickCell(list, row, 1);
            return;
        }
    FAIL() << "no category " << title.toStdString();
}

} // namespace review_gui
