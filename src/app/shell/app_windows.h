#pragma once
// The program's windows and how they hand over to each other. AppWindows
// creates every window, knows which ones are loaded (a window that closed
// itself is gone), shows and hides them as the windows ask, and ends the
// program on "&Exit" and when its last loaded window has closed.

#include "window_flow.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace keld::app {

struct AppState;
class Platform;

class AppWindows : public QObject, public WindowFlow {
    Q_OBJECT
  public:
    AppWindows(AppState& state, Platform& platform);
    ~AppWindows() override;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // Program start: the cover loads and shows itself.
    void start();
    // Program start on a project file (keld FILE.ini, a file manager's "Open
    // with"): the sheet, which opens the file as File, Open would.
    void start(const QString& projectFile);

    void showCalc() override;
    void hideCalc() override;
    void closeCalc() override;
    void openReport(const SizingCase& finished, const planning::Plan& plan) override;
    void openAlternatives() override;
    void openPages() override;
    void showPages() override;
    void openZoom() override;
    void openCover() override;
    void openAbout() override;
    void exitProgram() override;

    // The loaded windows (nullptr for one that is not loaded or has closed).
    QWidget* cover() const;
    QWidget* calc() const;
    QWidget* report() const;
    QWidget* pages() const;
    QWidget* zoom() const;
    QWidget* about() const;
    QWidget* alternatives() const;

  private:
    // Creates a window into its slot; while its start-up runs (which may
    // show a modal message), the closing of another window does not end the
    // program.
    template <class Window, class... Args> Window* load(QPointer<QWidget>& slot, Args&&... args);
    void windowGone();
    bool anyLoaded() const;

    AppState& m_state;
    Platform& m_platform;
    QPointer<QWidget> m_cover;
    QPointer<QWidget> m_calc;
    QPointer<QWidget> m_report;
    QPointer<QWidget> m_pages;
    QPointer<QWidget> m_zoom;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_alternatives;
    int m_loading = 0;
    bool m_ended = false;
};

} // namespace keld::app
