#pragma once
// "Error finding structure": shown while a data file is missing. The user
// corrects the two paths, browses for the files or creates the missing ones.
#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app::qt {

class CDataPathDlg : public QDialog {
    Q_OBJECT
public:
    // Creates the files missing at the two paths; false when that failed (the
    // creator has told the user why).
    using CreateFiles = std::function<bool(const std::string& templatePath, const std::string& inspectionPath)>;

    explicit CDataPathDlg(QWidget* parent = nullptr);

    void SetPaths(const std::string& templatePath, const std::string& inspectionPath);
    std::string TemplatePath() const;
    std::string InspectionPath() const;
    // Offers "Create Missing Files" when set.
    void SetCreateFiles(CreateFiles create);

    QLineEdit* TemplateEdit() const { return m_template; }
    QLineEdit* InspectionEdit() const { return m_inspection; }
    QPushButton* CreateButton() const { return m_create; }

    static const char* BrowseFilter();
    // The file-open dialog of "Browse...", started in the folder of `current`;
    // the file chosen, or an empty text.
    static QString BrowseForDataFile(QWidget* parent, const QString& current);

private:
    void Browse(QLineEdit* edit);
    void UpdateState();
    void OnCreate();

    QLineEdit* m_inspection;
    QLineEdit* m_template;
    QLabel* m_inspectionState;
    QLabel* m_templateState;
    QPushButton* m_create;
    QPushButton* m_ok;
    QLabel* m_createHint;
    CreateFiles m_createFiles;
};

} // namespace app::qt
