#include "review/qt/CCommentDlg.h"

#include "editing/CommentText.h"
#include "editing/PictureTags.h"
#include "editing/Placeholder.h"
#include "editing/Shortcuts.h"
#include "editing/qt/CCommentsPage.h"
#include "editing/qt/CPictureNumberDlg.h"
#include "editing/qt/CSelectPickerDlg.h"
#include "spelling/qt/SpellHighlighter.h"
#include "store/Options.h"
#include "ui/Port.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace review::qt {
namespace {

using editing::qt::EditText;
using editing::qt::StoredText;

QFont CommentFont()
{
    return QFont(QStringLiteral("Arial"), 14);
}

} // namespace

CCommentDlg::CCommentDlg(app::CInspectorDoc& doc, CommentSubject subject, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_subject(std::move(subject)),
      // Line breaks as the editor gives them back, so that showing the text is no change.
      m_originalText(StoredText(EditText(m_subject.text))),
      m_originalCodes(m_subject.codes)
{
    setObjectName(QStringLiteral("commentDialog"));
    setWindowTitle(QString::fromStdString(m_subject.title));

    m_stock = new QComboBox(this);
    m_stock->setObjectName(QStringLiteral("stockComments"));
    m_stock->setFont(CommentFont());
    m_stock->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_stock->setMinimumContentsLength(40);
    // The drop-down list is far taller than the box: many stock comments at a glance.
    m_stock->setMaxVisibleItems(16);
    auto* add = new QPushButton(QStringLiteral("Add->"), this);
    add->setObjectName(QStringLiteral("addToList"));
    add->setAutoDefault(false);

    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("commentEdit"));
    m_edit->setFont(CommentFont());
    spelling::qt::AttachSpellChecking(m_edit);
    m_edit->setMinimumSize(560, 260);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& caption, auto&& onClick) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, onClick);
    };
    button(QStringLiteral("Clear"), [this] { Show({}); });
    button(QStringLiteral("."), [this] { InsertAtCaret("."); });
    button(QStringLiteral(","), [this] { InsertAtCaret(","); });
    button(QStringLiteral("Space"), [this] { InsertAtCaret(" "); });
    button(QStringLiteral("Picker..."), [this] { OnPicker(); });
    button(QStringLiteral("Pict #"), [this] { OnPictureNumber(); });
    buttons->addStretch();

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CCommentDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CCommentDlg::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(m_stock, 1);
    top->addWidget(add);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_edit, 1);
    layout->addLayout(buttons);
    layout->addWidget(box);

    connect(m_stock, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_stockList.size()))
            InsertStockComment(m_stockList[index].text);
        QSignalBlocker block(m_stock);
        m_stock->setCurrentIndex(-1);
    });
    connect(add, &QPushButton::clicked, this, &CCommentDlg::OnAddToList);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CCommentDlg::CheckShortcut);

    FillStockComments();
    const std::string& text = m_subject.text;
    Show({text, static_cast<int>(text.size()), static_cast<int>(text.size())});
}

QPushButton* CCommentDlg::Button(const QString& caption) const
{
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void CCommentDlg::FillStockComments()
{
    QSignalBlocker block(m_stock);
    m_stockList = StockCommentsOf(m_subject);
    m_stock->clear();
    for (const auto& entry : m_stockList)
        m_stock->addItem(QString::fromStdString(entry.text));
    m_stock->setCurrentIndex(-1);
}

std::string CCommentDlg::Text() const
{
    return StoredText(m_edit->toPlainText());
}

bool CCommentDlg::Changed() const
{
    return Text() != m_originalText || m_subject.codes != m_originalCodes;
}

editing::CommentEdit CCommentDlg::CurrentEdit() const
{
    return editing::qt::ReadCommentEdit(*m_edit);
}

void CCommentDlg::Show(const editing::CommentEdit& edit)
{
    editing::qt::ShowCommentEdit(*m_edit, edit);
}

void CCommentDlg::InsertStockComment(const std::string& entry)
{
    std::string text;
    if (!editing::IsGroupHeading(entry)) {
        text = entry;
        if (const auto code = BracketCode(entry)) {
            // Only a category keeps the codes of what was chosen.
            if (m_subject.kind == CommentKind::Category)
                m_subject.codes = AddCode(m_subject.codes, *code);
            text = editing::DropBracketCode(entry);
        }
    }
    text = editing::ReplaceCarets(text, editing::PickerLists::Load(), editing::qt::EnterTextAsker(this));
    Show(editing::InsertComment(CurrentEdit(), text, store::Options().m_YesNo36 != 0));
}

void CCommentDlg::InsertAtCaret(const std::string& text)
{
    Show(editing::InsertAtCaret(CurrentEdit(), text));
    CheckShortcut();
}

void CCommentDlg::CheckShortcut()
{
    if (m_expanding)
        return;
    const editing::CommentEdit edit = CurrentEdit();
    const auto hit = editing::FindShortcut(edit.text, edit.selStart, editing::ShortcutMap::Shared());
    if (!hit)
        return;
    m_expanding = true;
    const auto expanded = editing::ExpandShortcut(edit.text, *hit, edit.selStart);
    Show({expanded.text, expanded.caret, expanded.caret});
    m_expanding = false;
}

void CCommentDlg::OnAddToList()
{
    // Added without a question: the button says what it does.
    if (AddStockCommentTo(m_subject, Text(), m_stockList)) {
        QSignalBlocker block(m_stock);
        m_stock->addItem(QString::fromStdString(m_stockList.back().text));
        m_stock->setCurrentIndex(-1);
    }
}

void CCommentDlg::OnPicker()
{
    editing::qt::CSelectPickerDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string name = dialog.PickerName();
    if (!name.empty())
        InsertAtCaret("^" + name + "^");
}

void CCommentDlg::OnPictureNumber()
{
    store::Options options;
    editing::qt::CPictureNumberDlg dialog(options.m_NextPictNumber, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int number = dialog.Number();
    InsertAtCaret(editing::MakePictureTag(number));
    options.m_NextPictNumber = number + 1;
    if (!options.Save())
        ui::CurrentPort().inform("The next picture number could not be saved.");
}

void CCommentDlg::accept()
{
    m_subject.text = Text();
    if (!StoreComment(m_subject, m_doc)) {
        ui::CurrentPort().inform("The comment could not be saved.");
        return;
    }
    QDialog::accept();
}

void CCommentDlg::reject()
{
    if (Changed() && !ui::CurrentPort().confirm("Discard the changes made to this comment?", "Caution"))
        return;
    QDialog::reject();
}

} // namespace review::qt
