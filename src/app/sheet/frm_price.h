#pragma once
// The price dialog: a price of the user's own that replaces the estimate in
// the next report (COSTUSER). Opened with Ctrl+P on the sheet.

#include "sheet/sheet.h"

#include <QDialog>

class QLineEdit;

namespace keld::app {

class Platform;

class frmPrice : public QDialog {
    Q_OBJECT

  public:
    frmPrice(Sheet& sheet, Platform& platform, QWidget* owner);

  private:
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

    Sheet& m_sheet;
    Platform& m_platform;
    QLineEdit* m_price = nullptr; // Text1
};

} // namespace keld::app
