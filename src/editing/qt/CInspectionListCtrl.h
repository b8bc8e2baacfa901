#pragma once
// The report list of the inspection list and the review comments: rows of
// cells whose texts are cut with "..." to the width of their column.
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace editing::qt {

// The longest beginning of `text` that, followed by "...", fits `width`
// pixels with 16 to spare; `text` itself when it fits. Texts are first cut to
// 259 characters, and at least one character is kept.
QString CutToColumn(const QFontMetrics& metrics, const QString& text, int width);

class CCutTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Rows get a little air above and below their text.
inline constexpr int kRowPadding = 6;

class CInspectionListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CInspectionListCtrl(QWidget* parent = nullptr);

    // Columns by header text and width in pixels.
    void SetColumns(const QStringList& headers, const QList<int>& widths);
    // The row last selected, -1 until one has been.
    int CurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row);
    // The texts shown in the cells of a row (after cutting).
    QString ShownText(int row, int column) const;

signals:
    void RowClicked(int row, int column);
    void RowDoubleClicked(int row, int column);
    void RowActivated(int row); // Enter on a row

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_currentRow = -1;
};

} // namespace editing::qt
