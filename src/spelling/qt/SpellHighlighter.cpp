#include "spelling/qt/SpellHighlighter.h"

#include "app/CInspectorDoc.h"
#include "spelling/InspectionSpelling.h"
#include "spelling/SpellChecker.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <map>

namespace spelling::qt {
namespace {

// The UTF-16 position in `text` of each UTF-8 byte offset of `utf8`.
std::vector<int> Utf16Positions(const QString& text, const std::string& utf8)
{
    std::vector<int> positions(utf8.size() + 1, text.size());
    std::size_t byte = 0;
    for (int i = 0; i < text.size(); ++i) {
        positions[byte] = i;
        const char32_t code = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                  : text.at(i).unicode();
        if (code > 0xFFFF)
            ++i;
        byte += code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (byte > utf8.size())
            break;
    }
    return positions;
}

struct WordUnderCursor {
    QTextCursor cursor;  // selects the misspelled word
    std::string word;
};

// The misspelled word at `cursor`, if there is one.
std::optional<WordUnderCursor> MisspelledAt(QTextCursor cursor, const SpellChecker& checker)
{
    const QTextBlock block = cursor.block();
    const QString text = block.text();
    const std::string utf8 = text.toStdString();
    const auto positions = Utf16Positions(text, utf8);
    const int column = cursor.position() - block.position();
    for (const auto& wrong : checker.Check(utf8)) {
        const int start = positions[wrong.offset];
        const int end = positions[wrong.offset + wrong.length];
        if (column >= start && column <= end) {
            cursor.setPosition(block.position() + start);
            cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
            return WordUnderCursor{cursor, wrong.word};
        }
    }
    return std::nullopt;
}

// Puts the spelling entries above the editor's own context menu.
template <typename Edit>
void ShowMenu(Edit* edit, SpellHighlighter* highlighter, const QPoint& at)
{
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu(at));
    SpellChecker& checker = highlighter->Checker();
    if (const auto found = MisspelledAt(edit->cursorForPosition(at), checker)) {
        QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().constFirst();
        const auto suggestions = checker.Suggest(found->word);
        if (suggestions.empty()) {
            QAction* none = new QAction(QObject::tr("(no suggestions)"), menu.get());
            none->setEnabled(false);
            menu->insertAction(first, none);
        }
        for (const auto& suggestion : suggestions) {
            QAction* use = new QAction(QString::fromStdString(suggestion), menu.get());
            QFont bold = use->font();
            bold.setBold(true);
            use->setFont(bold);
            QObject::connect(use, &QAction::triggered, edit, [cursor = found->cursor, suggestion]() mutable {
                cursor.insertText(QString::fromStdString(suggestion));
            });
            menu->insertAction(first, use);
        }
        QAction* add = new QAction(QStringLiteral("Add to Dictionary"), menu.get());
        QObject::connect(add, &QAction::triggered, edit, [&checker, highlighter, word = found->word] {
            checker.AddToDictionary(word);
            highlighter->rehighlight();
        });
        QAction* ignore = new QAction(QStringLiteral("Ignore"), menu.get());
        QObject::connect(ignore, &QAction::triggered, edit, [&checker, highlighter, word = found->word] {
            checker.Ignore(word);
            highlighter->rehighlight();
        });
        menu->insertAction(first, add);
        menu->insertAction(first, ignore);
        menu->insertSeparator(first);
    }
    menu->exec(edit->mapToGlobal(at));
}

template <typename Edit>
void Attach(Edit* edit, const std::string& language)
{
    SpellChecker& checker = SharedChecker(language.empty() ? CurrentLanguage() : language);
    if (!checker.Available())
        return;
    auto* highlighter = new SpellHighlighter(edit->document(), checker);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit,
                     [edit, highlighter](const QPoint& at) { ShowMenu(edit, highlighter, at); });
}

} // namespace

SpellChecker& SharedChecker(const std::string& language)
{
    static std::map<std::string, std::unique_ptr<SpellChecker>> checkers;
    auto& checker = checkers[language];
    if (!checker)
        checker = std::make_unique<SpellChecker>(language);
    return *checker;
}

std::string CurrentLanguage()
{
    const app::CInspectorDoc* doc = app::CInspectorDoc::Current();
    if (!doc || doc->CurrentInspectionRow() < 0)
        return kEnglish;
    return InspectionLanguage(doc->CurrentInspection().m_InspectionID);
}

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellChecker& checker)
    : QSyntaxHighlighter(document), m_checker(checker)
{
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    const std::string utf8 = text.toStdString();
    const auto found = m_checker.Check(utf8);
    if (found.empty())
        return;
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wavy.setUnderlineColor(Qt::red);
    const auto positions = Utf16Positions(text, utf8);
    for (const auto& wrong : found) {
        const int start = positions[wrong.offset];
        setFormat(start, positions[wrong.offset + wrong.length] - start, wavy);
    }
}

void AttachSpellChecking(QPlainTextEdit* edit, const std::string& language) { Attach(edit, language); }
void AttachSpellChecking(QTextEdit* edit, const std::string& language) { Attach(edit, language); }

} // namespace spelling::qt
