#include "spelling/qt/CSpellingDlg.h"

#include "ui/Port.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace spelling::qt {

// (1) While the dialog shows a word, m_current is a misspelling of
//     m_places[m_place].text at m_current.offset, and m_offset is that offset.
// (2) m_places hold the texts as saved: a change is written before the next
//     word is looked for.

CSpellingDlg::CSpellingDlg(std::vector<TextPlace> places, SpellChecker& checker, QWidget* parent)
    : QDialog(parent), m_places(std::move(places)), m_checker(checker)
{
    setWindowTitle(QStringLiteral("Spelling Error"));
    m_where = new QLabel(this);
    m_where->setObjectName(QStringLiteral("where"));
    m_context = new QTextEdit(this);
    m_context->setObjectName(QStringLiteral("context"));
    m_context->setReadOnly(true);
    m_context->setMinimumHeight(90);
    m_changeTo = new QLineEdit(this);
    m_changeTo->setObjectName(QStringLiteral("changeTo"));
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("suggestions"));

    auto button = [this](const char* text, const char* name, void (CSpellingDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_change = button("&Change", "change", &CSpellingDlg::OnChange);
    m_changeAll = button("Change A&ll", "changeAll", &CSpellingDlg::OnChangeAll);
    QPushButton* ignore = button("&Ignore", "ignore", &CSpellingDlg::OnIgnore);
    QPushButton* ignoreAll = button("I&gnore All", "ignoreAll", &CSpellingDlg::OnIgnoreAll);
    QPushButton* add = button("&Add to Dictionary", "addToDictionary", &CSpellingDlg::OnAddToDictionary);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_change->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Not in Dictionary:"), this), 0, 0, 1, 2);
    grid->addWidget(m_where, 1, 0, 1, 2);
    grid->addWidget(m_context, 2, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(ignore);
    right->addWidget(ignoreAll);
    right->addWidget(add);
    right->addStretch();
    grid->addLayout(right, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Change To:"), this), 3, 0, 1, 2);
    grid->addWidget(m_changeTo, 4, 0);
    grid->addWidget(new QLabel(QStringLiteral("Suggestions:"), this), 5, 0, 1, 2);
    grid->addWidget(m_suggestions, 6, 0);
    auto* changes = new QVBoxLayout;
    changes->addWidget(m_change);
    changes->addWidget(m_changeAll);
    changes->addStretch();
    changes->addWidget(close);
    grid->addLayout(changes, 6, 1);
    setLayout(grid);
    resize(560, 420);

    connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] { OnChange(); });
    connect(m_changeTo, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_change->setEnabled(!text.isEmpty());
        m_changeAll->setEnabled(!text.isEmpty());
    });
}

bool CSpellingDlg::Start()
{
    m_place = 0;
    m_offset = 0;
    FindNext();
    return !m_done;
}

void CSpellingDlg::FindNext()
{
    for (; m_place < m_places.size(); ++m_place, m_offset = 0) {
        for (const auto& wrong : m_checker.Check(m_places[m_place].text))
            if (wrong.offset >= m_offset) {
                m_current = wrong;
                m_offset = wrong.offset;
                Show();
                return;
            }
    }
    m_done = true;
    if (isVisible()) {
        ui::CurrentPort().inform("The spelling check is complete.", "Spelling");
        accept();
    }
}

void CSpellingDlg::Show()
{
    const TextPlace& place = m_places[m_place];
    m_where->setText(QString::fromStdString(Describe(place)));
    // The word in its text, marked.
    const QString before = QString::fromStdString(place.text.substr(0, m_current.offset)).toHtmlEscaped();
    const QString word = QString::fromStdString(m_current.word).toHtmlEscaped();
    const QString after =
        QString::fromStdString(place.text.substr(m_current.offset + m_current.length)).toHtmlEscaped();
    QString html = before + QStringLiteral("<span style=\"color:#c00000; font-weight:bold\">") + word +
                   QStringLiteral("</span>") + after;
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>")).replace(QLatin1Char('\n'), QLatin1String("<br>"));
    m_context->setHtml(html);
    m_context->scrollToAnchor({});
    m_suggestions->clear();
    const auto suggestions = m_checker.Suggest(m_current.word);
    for (const auto& s : suggestions)
        m_suggestions->addItem(QString::fromStdString(s));
    if (!suggestions.empty())
        m_suggestions->setCurrentRow(0);
    else
        m_changeTo->setText(QString::fromStdString(m_current.word));
    m_changeTo->setFocus();
}

void CSpellingDlg::OnChange()
{
    const std::string replacement = m_changeTo->text().toStdString();
    TextPlace changed = m_places[m_place];
    changed.text = ReplaceAt(changed.text, m_current.offset, m_current.length, replacement);
    if (!SaveText(changed))
        return;  // the table layer has said why; the word stays shown
    m_places[m_place] = std::move(changed);
    m_changed = true;
    m_offset = m_current.offset + replacement.size();
    FindNext();
}

void CSpellingDlg::OnChangeAll()
{
    const std::string replacement = m_changeTo->text().toStdString();
    // As in a word processor, "Change All" changes the word everywhere in
    // the inspection, also where it was passed over before.
    const auto count = ChangeAll(m_places, m_checker, m_current.word, replacement);
    if (!count)
        return;
    m_changed = m_changed || *count > 0;
    m_offset = m_current.offset + replacement.size();
    FindNext();
}

void CSpellingDlg::OnIgnore()
{
    m_offset = m_current.offset + m_current.length;
    FindNext();
}

void CSpellingDlg::OnIgnoreAll()
{
    m_checker.Ignore(m_current.word);
    FindNext();
}

void CSpellingDlg::OnAddToDictionary()
{
    if (!m_checker.AddToDictionary(m_current.word))
        ui::CurrentPort().inform("The word could not be added to the personal word list " + PersonalWordListPath() +
                                 ".");
    FindNext();
}

} // namespace spelling::qt
