#pragma once
// The user-defined fluid dialog: the name and the coefficient of a service's
// own fluid. OK and Cancel go to the sheet, which keeps the working values
// USERFLUIDNAME, USERFLUIDU and FLUIDDIALOGREADY (0 after OK, 1 after Cancel
// or a close).

#include "sheet/sheet.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace keld::app {

class Platform;

class frmFluid : public QDialog {
    Q_OBJECT

  public:
    frmFluid(Sheet& sheet, Platform& platform, const UserFluidDialogTexts& start, QWidget* owner);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

    Sheet& m_sheet;
    Platform& m_platform;
    QLineEdit* m_name = nullptr;        // Text1
    QLineEdit* m_coefficient = nullptr; // Text2
    QLabel* m_unit = nullptr;           // Label1
};

} // namespace keld::app
