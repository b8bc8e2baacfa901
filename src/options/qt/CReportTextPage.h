#pragma once
// The Options sheet's pages of one report text each: "Legal Text",
// "Def of Terms" and "Summary Disclaimer".
#include "store/Options.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace options::qt {

class CReportTextPage : public QWidget {
    Q_OBJECT
public:
    CReportTextPage(const QString& title, std::string store::Options::*text, QWidget* parent = nullptr);

    void Load(const store::Options& options);
    void Store(store::Options& options) const;
    QPlainTextEdit* Edit() const { return m_edit; }

private:
    std::string store::Options::*m_text;
    QPlainTextEdit* m_edit;
};

// The legal text of the report.
class CLegalPage : public CReportTextPage {
    Q_OBJECT
public:
    explicit CLegalPage(QWidget* parent = nullptr);
};

// The definition of terms; empty prints the standard definitions.
class CDefOfTermsPage : public CReportTextPage {
    Q_OBJECT
public:
    explicit CDefOfTermsPage(QWidget* parent = nullptr);
};

// The disclaimer of the summary report, printed where the legal text stands.
class CSummaryDisclaimerPage : public CReportTextPage {
    Q_OBJECT
public:
    explicit CSummaryDisclaimerPage(QWidget* parent = nullptr);
};

} // namespace options::qt
