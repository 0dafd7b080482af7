#pragma once
// The About box: the program's name, version, date, authors and the purpose
// of its estimate. Not modal; it closes on OK and as soon as it loses the
// focus.

#include <QDialog>

namespace keld::app {

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    void cmdOK_Click();

  protected:
    bool event(QEvent* event) override;
};

} // namespace keld::app
