#pragma once
// The calculation sheet's window: the view of the state's Sheet. What the
// user does goes to the Sheet; what the Sheet says has changed is shown
// again, with the controls' own signals blocked.

#include "app_state.h"
#include "sheet/calc_layout.h"
#include "sheet/recent_files.h"

#include <QMainWindow>

namespace keld::app {

class Platform;
class SheetKeys;
class WindowFlow;

class frmCalc : public QMainWindow {
    Q_OBJECT

  public:
    // Builds the controls and runs the start-up; the flow shows the sheet.
    frmCalc(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent = nullptr);

    void Calculate_Output();
    void load_file();
    // File, Save; true when the case was written.
    bool save_file();
    void Reset_Form();
    void show_Tutorial();
    void Instruction();
    // "Alternatives…": the design space of the case, once it passes its checks.
    void alternatives();

    // A project file opened as File, Open opens the file chosen (from the
    // recent files, or named on the command line).
    void openFile(const QString& path);

    // Before the case is given up: true when it has no changes that are not
    // saved, or when the user saved it or chose to discard them; false when
    // the user cancelled (or the save did not happen), and nothing changed.
    bool mayDiscardCase();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load(Sheet::Start kind);
    void connectControls();
    // Shows what an action changed, then opens the user-defined fluid
    // dialog when the action asks for it.
    void apply(const SheetChanges& changes);
    void display(const SheetChanges& changes);
    void openPriceDialog();
    void openOptions();
    QString filesFolder() const;
    // File, Save; `fromQuestion`: asked for by the unsaved-changes question,
    // whose cancelled save changes nothing (not even the caption).
    bool save(bool fromQuestion);
    void openRecentFile(std::size_t index);
    void showRecentFiles();

    Sheet& sheet() { return m_state.sheet; }

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    CalcControls m_controls;
    SheetKeys* m_keys = nullptr;
    RecentFiles m_recent;
    // The user has let the case go: closing the window asks no more.
    bool m_discardAllowed = false;
};

} // namespace keld::app
