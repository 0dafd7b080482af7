#pragma once
// The cover window: the program starts on it. It shows the configured cover
// picture and title, and its menu leads to the tutorial, the calculation sheet
// and the About box.

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;

namespace keld::app {

struct AppState;
class Platform;
class WindowFlow;

class frmBrochure : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the controls and runs the start-up (Form_Load); the flow shows it.
    frmBrochure(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent = nullptr);

    // The menu actions, by the index of their item in MainMenu and MainMenu1.
    void MainMenu_Click(int index);
    void MainMenu1_Click(int index);

  private:
    void Form_Load();

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    QLabel* m_cover = nullptr; // IMGCOVERBMP
    QLabel* m_title = nullptr; // lblCoverTitle
};

} // namespace keld::app
