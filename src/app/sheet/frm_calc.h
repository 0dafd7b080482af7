#pragma once
// The calculation sheet's window: the view of the state's Sheet. What the
// user does goes to the Sheet; what the Sheet says has changed is shown
// again, with the controls' own signals blocked.

#include "app_state.h"
#include "sheet/calc_layout.h"

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
    void save_file();
    void Reset_Form();
    void show_Tutorial();
    void Instruction();
    // "Alternatives…": the design space of the case, once it passes its checks.
    void Alternatives();

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

    Sheet& sheet() { return m_state.sheet; }

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    CalcControls m_controls;
    SheetKeys* m_keys = nullptr;
};

} // namespace keld::app
