#include "options/qt/CReportTextPage.h"

#include "options/OptionsRules.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace options::qt {

CReportTextPage::CReportTextPage(const QString& title, std::string store::Options::*text, QWidget* parent)
    : QWidget(parent), m_text(text)
{
    setObjectName(title);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("text"));
    m_edit->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
}

void CReportTextPage::Load(const store::Options& options)
{
    m_edit->setPlainText(QString::fromStdString(ShownLineEnds(options.*m_text)));
}

void CReportTextPage::Store(store::Options& options) const
{
    options.*m_text = StoredLineEnds(m_edit->toPlainText().toStdString());
}

CLegalPage::CLegalPage(QWidget* parent) : CReportTextPage(QStringLiteral("Legal Text"), &store::Options::m_String5, parent)
{
}

CDefOfTermsPage::CDefOfTermsPage(QWidget* parent)
    : CReportTextPage(QStringLiteral("Def of Terms"), &store::Options::m_String6, parent)
{
    Edit()->setPlaceholderText(QStringLiteral("Left empty, reports print the standard definitions of terms."));
}

CSummaryDisclaimerPage::CSummaryDisclaimerPage(QWidget* parent)
    : CReportTextPage(QStringLiteral("Summary Disclaimer"), &store::Options::m_SummaryDisclaimer, parent)
{
}

} // namespace options::qt
