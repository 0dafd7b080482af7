#pragma once
// The user-defined fluid dialog: the name and the coefficient of a service's
// own fluid. It reports through the shared working values USERFLUIDNAME,
// USERFLUIDU and FLUIDDIALOGREADY (0 after OK, 1 after Cancel or a close).

#include "app_state.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace keld::app {

class Platform;

class frmFluid : public QDialog {
    Q_OBJECT

public:
    frmFluid(AppState& state, Platform& platform, QWidget* owner);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

    AppState& m_state;
    Platform& m_platform;
    QLineEdit* m_name = nullptr;        // Text1
    QLineEdit* m_coefficient = nullptr; // Text2
    QLabel* m_unit = nullptr;           // Label1
};

} // namespace keld::app
