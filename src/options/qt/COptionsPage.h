#pragma once
// The "General" page of the Options sheet: report switches, the materials
// delimiter, the five column widths, font, spacing, the default step page and
// the two data paths, and the spelling language (kept in the settings file).
#include "app/DataConfiguration.h"
#include "store/Options.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace options::qt {

class COptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit COptionsPage(QWidget* parent = nullptr);

    void Load(const store::Options& options, const app::DataPaths& paths);
    // Copies the page into `options`; the message, and the field to correct
    // focused, when a field holds no value of its kind.
    std::optional<std::string> Store(store::Options& options) const;
    app::DataPaths Paths() const;
    // The dictionary language chosen ("" when the document type decides).
    std::string SpellingLanguage() const;
    // Focuses the field of a data path, for a message about it.
    void FocusPath(bool templatePath) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse(QLineEdit* edit);
    void ShowStepPage();

    QCheckBox* m_notPresentPage;
    QCheckBox* m_alertIncomplete;
    QLineEdit* m_delimiter;
    std::array<QLineEdit*, 5> m_widths{};
    QComboBox* m_fontSize;
    QComboBox* m_stepSpacing;
    QComboBox* m_stepPage;
    QComboBox* m_fontName;
    QComboBox* m_spellingLanguage;
    QLineEdit* m_inspectionPath;
    QLineEdit* m_templatePath;
    int m_storedStepPage = 0;
    bool m_stepPageShown = false;
};

} // namespace options::qt
