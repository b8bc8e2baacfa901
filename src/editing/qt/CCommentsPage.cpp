#include "editing/qt/CCommentsPage.h"

#include "editing/PictureTags.h"
#include "editing/Shortcuts.h"
#include "editing/StepList.h"
#include "editing/qt/CSelectPickerDlg.h"
#include "editing/qt/CStepPropertySheet.h"
#include "spelling/qt/SpellHighlighter.h"
#include "store/Options.h"
#include "store/Step.h"
#include "ui/Port.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace editing::qt {

namespace {

bool BlankLineBetweenComments()
{
    return store::Options().m_YesNo36 != 0;
}

// Byte offset in the stored text of a position in the edit's text.
int StoredOffset(const QString& editText, int position)
{
    return static_cast<int>(StoredText(editText.left(position)).size());
}

// Position in the edit's text of a byte offset in the stored text.
int EditOffset(const std::string& stored, int offset)
{
    offset = std::clamp(offset, 0, static_cast<int>(stored.size()));
    return static_cast<int>(EditText(stored.substr(0, offset)).size());
}

QFont PageFont()
{
    return QFont(QStringLiteral("Arial"), 14);
}

} // namespace

std::string StoredText(const QString& editText)
{
    QString text = editText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

QString EditText(const std::string& stored)
{
    QString text = QString::fromStdString(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

editing::PlaceholderAsker EnterTextAsker(QWidget* parent)
{
    return [parent](const editing::PlaceholderPrompt& prompt) -> std::optional<std::string> {
        CEnterTextDlg dialog(QStringLiteral("Enter Text"), prompt, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Value().toStdString();
    };
}

CCommentsPage::CCommentsPage(CStepPropertySheet& sheet, QWidget* parent) : CStepPage(sheet, parent)
{
    m_stock = new QComboBox(this);
    m_stock->setObjectName(QStringLiteral("stockComments"));
    m_stock->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_stock->setMinimumContentsLength(40);
    m_stock->setMaxVisibleItems(25);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("commentEdit"));
    spelling::qt::AttachSpellChecking(m_edit);
    m_edit->setFont(PageFont());

    m_rating = new QComboBox(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_rating->setFont(PageFont());
    auto* ratingGroup = new QGroupBox(QStringLiteral("Rating"), this);
    (new QVBoxLayout(ratingGroup))->addWidget(m_rating);

    m_previous = new QPushButton(QStringLiteral("<<"), this);
    m_next = new QPushButton(QStringLiteral(">>"), this);
    m_steps = new QComboBox(this);
    m_steps->setObjectName(QStringLiteral("steps"));
    // Wide enough to tell the steps apart by name.
    m_steps->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_steps->setMinimumContentsLength(24);
    auto* navigator = new QGroupBox(QStringLiteral("Navigator"), this);
    auto* navLayout = new QHBoxLayout(navigator);
    navLayout->addWidget(m_previous);
    navLayout->addWidget(m_steps, 1);
    navLayout->addWidget(m_next);

    auto* addToList = new QPushButton(QStringLiteral("Add to List"), this);
    auto* multiPicker = new QPushButton(QStringLiteral("MultiPicker"), this);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* clear = button(QStringLiteral("Clear"));
    QPushButton* stop = button(QStringLiteral("."));
    QPushButton* comma = button(QStringLiteral(","));
    QPushButton* space = button(QStringLiteral("Space"));
    QPushButton* at = button(QStringLiteral("@"));
    QPushButton* picker = button(QStringLiteral("Picker..."));
    QPushButton* replace = button(QStringLiteral("Replace ^"));
    QPushButton* pict = button(QStringLiteral("Pict #"));
    pict->setObjectName(QStringLiteral("pictNumber"));
    pict->setToolTip(QString::fromStdString(editing::PictureFolderHint(store::Options().m_DefaultPictCardPath)));
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(m_stock, 1);
    top->addWidget(addToList);
    top->addWidget(multiPicker);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ratingGroup);
    bottom->addWidget(navigator, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_edit, 1);
    layout->addLayout(buttons);
    layout->addLayout(bottom);

    connect(m_stock, &QComboBox::activated, this, &CCommentsPage::OnStockComment);
    connect(m_rating, &QComboBox::activated, this, &CCommentsPage::OnRating);
    connect(m_steps, &QComboBox::activated, this, [this](int index) { GoToStep(index); });
    connect(m_previous, &QPushButton::clicked, this, [this] { GoToStep(Sheet().CurrentIndex() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { GoToStep(Sheet().CurrentIndex() + 1); });
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CCommentsPage::CheckShortcut);
    connect(addToList, &QPushButton::clicked, this, &CCommentsPage::OnAddToList);
    connect(multiPicker, &QPushButton::clicked, this, &CCommentsPage::OnMultiPicker);
    connect(clear, &QPushButton::clicked, this, [this] { Show({}); });
    connect(stop, &QPushButton::clicked, this, [this] { InsertAtCaret("."); });
    connect(comma, &QPushButton::clicked, this, [this] { InsertAtCaret(","); });
    connect(space, &QPushButton::clicked, this, [this] { InsertAtCaret(" "); });
    connect(at, &QPushButton::clicked, this, [this] { InsertAtCaret("@"); });
    connect(picker, &QPushButton::clicked, this, &CCommentsPage::OnPicker);
    connect(replace, &QPushButton::clicked, this, &CCommentsPage::ReplaceCarets);
    connect(pict, &QPushButton::clicked, this, &CCommentsPage::OnPictureNumber);
}

void CCommentsPage::LoadStep()
{
    FillSteps();
    FillRatings();
    FillStockComments();
    const std::string& text = Sheet().CommentText();
    Show({text, static_cast<int>(text.size()), static_cast<int>(text.size())});
}

void CCommentsPage::StoreStep()
{
    // Every change of the edit already went to the sheet's comment text; writing
    // the edit again here would undo a material comment added since it was shown.
}

void CCommentsPage::Activated()
{
    // The materials page may have changed the comment text and the voided comments.
    LoadStep();
    m_edit->setFocus();
}

void CCommentsPage::FillSteps()
{
    QSignalBlocker block(m_steps);
    m_steps->clear();
    store::Step steps;
    if (steps.OpenByCategory(Sheet().WorkingStep().m_CategoryID)) {
        for (int i = 0; i < steps.GetCount(); ++i) {
            steps.Read(i);
            m_steps->addItem(QString::fromStdString(steps.m_StepNumber + ". " + steps.m_StepTitle));
        }
    }
    m_steps->setCurrentIndex(Sheet().CurrentIndex());
    UpdateArrows();
}

void CCommentsPage::UpdateArrows()
{
    m_previous->setEnabled(Sheet().CurrentIndex() > 0);
    m_next->setEnabled(Sheet().CurrentIndex() + 1 < Sheet().StepCount());
}

void CCommentsPage::GoToStep(int index)
{
    if (index < 0 || index >= Sheet().StepCount() || index == Sheet().CurrentIndex())
        return;
    Sheet().SetStepByIndex(index);
}

void CCommentsPage::FillRatings()
{
    QSignalBlocker block(m_rating);
    m_rating->clear();
    for (const auto& entry : editing::PageRatingEntries(Sheet().WorkingStep().m_StepRatingType))
        m_rating->addItem(QString::fromStdString(entry));
    const QString rating = QString::fromStdString(Sheet().Rating());
    m_rating->setCurrentIndex(rating.isEmpty() ? -1 : m_rating->findText(rating));
}

void CCommentsPage::FillStockComments()
{
    QSignalBlocker block(m_stock);
    m_stockList = editing::StockCommentsFor(Sheet().WorkingStep().m_StepTemplateID,
                                            Sheet().CurrentInspection().m_MaterialVoids);
    m_stock->clear();
    for (const auto& entry : m_stockList)
        m_stock->addItem(QString::fromStdString(entry.text));
    m_stock->setCurrentIndex(-1);
}

void CCommentsPage::OnRating(int index)
{
    const std::string rating = editing::RatingOfEntry(m_rating->itemText(index).toStdString());
    if (rating.empty())
        m_rating->setCurrentIndex(-1);
    Sheet().Rating() = rating;
    FillStockComments();
}

editing::CommentEdit ReadCommentEdit(const QPlainTextEdit& editor)
{
    const QString text = editor.toPlainText();
    const QTextCursor cursor = editor.textCursor();
    return {StoredText(text), StoredOffset(text, cursor.selectionStart()), StoredOffset(text, cursor.selectionEnd())};
}

void ShowCommentEdit(QPlainTextEdit& editor, const editing::CommentEdit& edit)
{
    {
        QSignalBlocker block(&editor);
        editor.setPlainText(EditText(edit.text));
    }
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(EditOffset(edit.text, edit.selStart));
    cursor.setPosition(EditOffset(edit.text, edit.selEnd), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    editor.ensureCursorVisible();
    editor.setFocus();
}

editing::CommentEdit CCommentsPage::CurrentEdit() const
{
    return ReadCommentEdit(*m_edit);
}

void CCommentsPage::Show(const editing::CommentEdit& edit)
{
    ShowCommentEdit(*m_edit, edit);
    Sheet().CommentText() = edit.text;
}

void CCommentsPage::InsertComment(const std::string& stockText)
{
    std::string text = editing::IsGroupHeading(stockText) ? std::string() : editing::DropBracketCode(stockText);
    text = editing::ReplaceCarets(text, editing::PickerLists::Load(), EnterTextAsker(this));
    Show(editing::InsertComment(CurrentEdit(), text, BlankLineBetweenComments()));
}

void CCommentsPage::InsertAtCaret(const std::string& text)
{
    Show(editing::InsertAtCaret(CurrentEdit(), text));
    CheckShortcut();
}

void CCommentsPage::ReplaceCarets()
{
    editing::CommentEdit edit = CurrentEdit();
    edit.text = editing::ReplaceCarets(edit.text, editing::PickerLists::Load(), EnterTextAsker(this));
    edit.selStart = edit.selEnd = static_cast<int>(edit.text.size());
    Show(edit);
}

void CCommentsPage::CheckShortcut()
{
    if (m_filling)
        return;
    const editing::CommentEdit edit = CurrentEdit();
    Sheet().CommentText() = edit.text;
    const auto hit = editing::FindShortcut(edit.text, edit.selStart, editing::ShortcutMap::Shared());
    if (!hit)
        return;
    m_filling = true;
    const auto expanded = editing::ExpandShortcut(edit.text, *hit, edit.selStart);
    Show({expanded.text, expanded.caret, expanded.caret});
    m_filling = false;
}

void CCommentsPage::OnStockComment(int index)
{
    if (index < 0 || index >= static_cast<int>(m_stockList.size()))
        return;
    InsertComment(m_stockList[index].text);
    QSignalBlocker block(m_stock);
    m_stock->setCurrentIndex(-1);
}

void CCommentsPage::OnAddToList()
{
    if (!ui::CurrentPort().confirm("Are you sure you want to add this comment to your picklist?", "Caution"))
        return;
    const QTextCursor cursor = m_edit->textCursor();
    const QString chosen = cursor.hasSelection() ? cursor.selectedText().replace(QChar(0x2029), QLatin1Char('\n'))
                                                 : m_edit->toPlainText();
    if (editing::AddStockComment(Sheet().WorkingStep().m_StepTemplateID, StoredText(chosen), Sheet().Rating(),
                                 m_stockList)) {
        QSignalBlocker block(m_stock);
        m_stock->addItem(QString::fromStdString(m_stockList.back().text));
        m_stock->setCurrentIndex(-1);
    }
}

void CCommentsPage::OnMultiPicker()
{
    std::vector<std::string> entries;
    for (const auto& entry : m_stockList)
        entries.push_back(entry.text);
    CCommentPickerDlg dialog(entries, true, this);
    const int result = dialog.exec();
    const std::vector<std::string> picked = dialog.Picked();
    if (result == QDialog::Accepted) {
        for (const auto& text : picked)
            InsertComment(text);
    } else if (result == CCommentPickerDlg::kDeleteResult && !picked.empty()) {
        if (!ui::CurrentPort().confirm("Please confirm the deleting of these comments.", "Caution"))
            return;
        editing::RemoveStockComments(Sheet().WorkingStep().m_StepTemplateID, picked);
        FillStockComments();
    }
}

void CCommentsPage::OnPictureNumber()
{
    store::Options options;
    CPictureNumberDlg dialog(options.m_NextPictNumber, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int number = dialog.Number();
    InsertAtCaret(editing::MakePictureTag(number));
    options.m_NextPictNumber = number + 1;
    options.Save();
}

void CCommentsPage::OnPicker()
{
    CSelectPickerDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string name = dialog.PickerName();
    if (!name.empty())
        InsertAtCaret("^" + name + "^");
}

} // namespace editing::qt
