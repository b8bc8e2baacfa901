#pragma once
// The "Header/Footer" page of the Options sheet: the report switches of the
// page header and footer, the custom footer, the picture folder and the
// report logo.
#include "store/Options.h"

#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace options::qt {

class CFooterPage : public QWidget {
    Q_OBJECT
public:
    explicit CFooterPage(QWidget* parent = nullptr);

    void Load(const store::Options& options);
    void Store(store::Options& options) const;

    // Chooses the logo as "Logo..." does, without the file dialog; false
    // (after a message) when the file is no picture that can be read.
    bool ChooseLogo(const QString& file);
    void ClearLogo();
    // Stores the logo chosen or removes the one cleared; nothing to do when
    // neither happened. The message when the file cannot be written.
    std::optional<std::string> ApplyLogo() const;

private:
    void BrowsePictureFolder();
    void BrowseLogo();
    void ShowLogo(const QImage& image);

    QCheckBox* m_printCompany;
    QCheckBox* m_customFooter;
    QPlainTextEdit* m_footer;
    QCheckBox* m_hideRatings;
    QCheckBox* m_blankLine;
    QCheckBox* m_sectionBreak;
    QCheckBox* m_stepNumbers;
    QLineEdit* m_pictureFolder;
    QLabel* m_logoPreview;
    QPushButton* m_clearLogo;
    QImage m_newLogo;        // chosen in this sheet, stored on OK
    bool m_logoCleared = false;
};

} // namespace options::qt
