#pragma once
// The About box: the program icon, the version, the date of the last update
// and the legal notice.
#include <QDialog>

namespace app::qt {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static const char* VersionText();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace app::qt
