#pragma once
// The page window: one page of the tutorial ("Brochure") or of the sheet's
// instructions ("Instructions") at a time, with its picture, section title and
// text, and a menu to page, zoom the picture, go to the calculations or open
// the About box.

#include <QMainWindow>

class QAction;
class QLabel;
class QPlainTextEdit;
class QScrollArea;

namespace keld::app {

struct AppState;
class Platform;
class WindowFlow;

class frmPages : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the controls and loads the first page to show: the resume page of
    // the tutorial, page 1 of the instructions. The flow shows it.
    frmPages(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent = nullptr);

    // Shows page CurrentPage of PageSet: its picture, section title, caption
    // and text; "&Next" is disabled on the last page.
    void LoadTutorialPage();

    // The menu actions, by the index of their item in PageMenu and PageMenu1.
    void PageMenu_Click(int index);
    void PageMenu1_Click(int index);

    // The frame of the page's picture, in pixels.
    static QSize pictureFrame();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void showPicture();
    void leave();
    bool isInstructions() const;

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    QLabel* m_page = nullptr;          // lblPage
    QScrollArea* m_frame = nullptr;    // the frame IMGPAGEBMP stands in
    QLabel* m_picture = nullptr;       // IMGPAGEBMP
    QLabel* m_sectionTitle = nullptr;  // lblSectTitle
    QPlainTextEdit* m_text = nullptr;  // txtPageText
    QAction* m_calculations = nullptr; // PageMenu 2
    QAction* m_next = nullptr;         // PageMenu 4
    bool m_leaving = false; // the window closes towards another one, not by its close box
};

} // namespace keld::app
