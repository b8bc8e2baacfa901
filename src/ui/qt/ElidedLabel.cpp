#include "ui/qt/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace ui::qt {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setWordWrap(false);
}

QSize ElidedLabel::minimumSizeHint() const
{
    // A few characters' room; the layout gives it what the window has.
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("Mmmm...")) + m.left() + m.right(),
            QLabel::minimumSizeHint().height()};
}

QString ElidedLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    const QString shown = ShownText();
    // The whole text is one hover away when it does not fit.
    const QString tip = shown == text() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace ui::qt
