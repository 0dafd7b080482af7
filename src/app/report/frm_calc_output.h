#pragma once
// The report window: builds the report of the calculation just made from the
// configured template, shows it in a fixed-pitch read-only text box, prints
// it, and leads back to the sheet.
//
// Menu items carry the array's name and the item's index as objectName:
// "OutMenu_1" .. "OutMenu_5" on the menu bar, "OutMenu1_1" (Exit) and
// "OutMenu1_2" (Save as PDF) under "&File", "OutMenu2_1" (Copy) under
// "&Edit" (OutMenu_5).

#include "app_state.h"
#include "planning/plan.h"

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;

namespace keld::app {

class Platform;
class WindowFlow;

class frmCalcOutput : public QMainWindow {
    Q_OBJECT

  public:
    // Builds the report of the finished case and shows the window.
    frmCalcOutput(AppState& state, Platform& platform, WindowFlow& flow, const SizingCase& finished,
                  const planning::Plan& plan, QWidget* parent = nullptr);

    void PrintReport();
    // Edit, "&Copy" (Ctrl+C): the text selected, or the whole report when
    // nothing is, as plain text for a mail or a spreadsheet.
    void copyReport();
    // File, "Save as PDF…": the report as Print lays it out, in a file.
    void saveAsPdf();
    QString reportText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    const SizingCase m_case;
    const planning::Plan m_plan;
    QLabel* m_title = nullptr;        // lblOutputTitle
    QPlainTextEdit* m_text = nullptr; // txtOutputText
    QString m_report;                 // with CR LF line breaks
};

} // namespace keld::app
