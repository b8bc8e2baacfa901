#pragma once
// The "Picture" page of the step sheet: the step's picture file, shown scaled
// to the page, and whether the report prints it before the step's text.
#include "editing/qt/CStepPage.h"

#include <QImage>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace editing::qt {

class CPicturePage : public CStepPage {
    Q_OBJECT
public:
    explicit CPicturePage(CStepPropertySheet& sheet, QWidget* parent = nullptr);

    QString Caption() const override { return QStringLiteral("Picture"); }
    void LoadStep() override;
    void StoreStep() override;
    void Activated() override;

    // The path shown; a path that is not empty is loaded and shown.
    void SetPath(const QString& path);
    QString Path() const;
    void SetPrintBefore(bool before);
    bool PrintBefore() const;
    // Whether a picture could be loaded from the path.
    bool HasPicture() const { return !m_image.isNull(); }

    QLineEdit* PathEdit() const { return m_path; }
    QLabel* Display() const { return m_display; }
    QComboBox* RatingCombo() const { return m_rating; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }
    QCheckBox* PrintBeforeBox() const { return m_before; }
    QPushButton* BrowseButton() const { return m_browse; }
    QPushButton* ClearButton() const { return m_clear; }

    void OnBrowse();
    // The filter of "Browse...": every picture format the page can show.
    static std::string BrowseFilter();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowImage();
    void UpdateNavigator();
    void Move(int by);

    QLineEdit* m_path;
    QPushButton* m_browse;
    QLabel* m_display;
    QComboBox* m_rating;
    QPushButton* m_previous;
    QPushButton* m_next;
    QCheckBox* m_before;
    QPushButton* m_clear;
    QImage m_image;
};

} // namespace editing::qt
