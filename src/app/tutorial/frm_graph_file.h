#pragma once
// The zoom window: the current page's picture, enlarged, with one "&Back"
// menu that returns to the page window.

#include <QMainWindow>

class QLabel;

namespace keld::app {

struct AppState;
class WindowFlow;

class frmGraphFile : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the controls and loads the picture (Form_Load); the flow shows it.
    frmGraphFile(AppState& state, WindowFlow& flow, QWidget* parent = nullptr);

    void GraphMenu_Click();

    // The frame of the enlarged picture, in pixels, for a screen area.
    static QSize pictureFrame(QSize available);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();

    AppState& m_state;
    WindowFlow& m_flow;
    QLabel* m_picture = nullptr; // imgGraphFile
};

} // namespace keld::app
