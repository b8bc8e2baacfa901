#pragma once
// The shared progress dialog: a status line, a bar with a percentage text and
// Cancel. Long operations update it between units of work; every update lets
// the window redraw and takes the click on Cancel.
#include "ui/Port.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui::qt {

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    void SetStatus(const QString& status);
    void SetRange(int low, int high);
    void SetPosition(int position);
    bool Cancelled() const { return m_cancelled; }

    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Bar() const { return m_bar; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void reject() override; // Escape and the window's close button cancel too

private:
    void Pump();

    QLabel* m_status;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    bool m_cancelled = false;
};

// The port's progress: owns a dialog shown for as long as the object lives.
class QtProgress : public ui::Progress {
public:
    explicit QtProgress(QWidget* parent);
    ~QtProgress() override;
    void setTitle(const std::string& title) override;
    void setStatus(const std::string& status) override;
    void setRange(int low, int high) override;
    void setPosition(int position) override;
    bool cancelled() const override;

    CProgressDlg* Dialog() const { return m_dialog; }

private:
    CProgressDlg* m_dialog;
};

} // namespace ui::qt
