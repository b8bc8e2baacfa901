#pragma once
// The bold title line at the top of a view ("INSPECTION LIST", ...). A long
// title (a category's) is elided rather than widening the window.
#include "ui/qt/ElidedLabel.h"

namespace editing::qt {

inline QLabel* MakeViewTitle(const QString& text, QWidget* parent)
{
    auto* title = new ui::qt::ElidedLabel(text, parent);
    title->setObjectName(QStringLiteral("title"));
    QFont font = title->font();
    font.setPointSize(12);
    font.setBold(true);
    title->setFont(font);
    return title;
}

} // namespace editing::qt
