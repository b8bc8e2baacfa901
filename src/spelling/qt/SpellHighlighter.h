#pragma once
// Spelling as the inspector types: misspelled words get the platform's red
// wavy underline, and the context menu of the editor offers suggestions,
// "Add to Dictionary" and "Ignore". Only the block being edited is checked
// again, so typing never waits for the checker.
#include <QSyntaxHighlighter>

#include <memory>
#include <string>

class QPlainTextEdit;
class QTextEdit;

namespace spelling {
class SpellChecker;
}

namespace spelling::qt {

// The checker of `language`, made once per process (loading a dictionary
// takes a moment) and shared by every editor and the spelling dialog.
SpellChecker& SharedChecker(const std::string& language);

// The language of the document's current inspection, English without one.
std::string CurrentLanguage();

class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    SpellHighlighter(QTextDocument* document, SpellChecker& checker);
    SpellChecker& Checker() const { return m_checker; }

protected:
    void highlightBlock(const QString& text) override;

private:
    SpellChecker& m_checker;
};

// Checks the spelling of `edit` in the current inspection's language (or in
// `language` when given). Does nothing more than leave the editor as it was
// when no dictionary is installed.
void AttachSpellChecking(QPlainTextEdit* edit, const std::string& language = {});
void AttachSpellChecking(QTextEdit* edit, const std::string& language = {});

} // namespace spelling::qt
