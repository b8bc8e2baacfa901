#pragma once
// A one-line label for texts of any length (an address, a category title): it
// shows what fits, ending in "...", with the whole text as its tool tip, and
// never asks its window to grow for a long text.
#include <QLabel>

namespace ui::qt {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // The text as drawn at the label's present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui::qt
