#pragma once
// A view of the main frame: one of the seven pages shown one at a time. The
// frame tells a view when it becomes the active view and when it is left.
#include <QWidget>

namespace app::qt {

class CMainFrame;

class CView : public QWidget {
    Q_OBJECT
public:
    explicit CView(CMainFrame& frame, QWidget* parent = nullptr) : QWidget(parent), m_frame(frame) {}

    // `activate` true: the view is shown now; false: another view replaces it.
    virtual void OnActivateView(bool activate) {}

    CMainFrame& Frame() const { return m_frame; }

private:
    CMainFrame& m_frame;
};

} // namespace app::qt
