#pragma once
// The calculation sheet: the window on which the user enters one case of the
// estimate, opens and saves project files and starts the calculation.
//
// Controls carry their names as objectName. Members of a control array carry
// the array's name and the member's index: "Option1_0" .. "Option1_2"
// (service), "Option2_0"/"Option2_1" (units), "Option3_0"/"Option3_1" (fan
// draft), "CalcMenu_1" .. "CalcMenu_6" (menu bar) and "CalcMenu1_1" ..
// "CalcMenu1_3" (the File menu).

#include "app_state.h"
#include "project/project_file.h"

#include <QMainWindow>

#include <array>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace keld::app {

class Platform;
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

    // The sheet's entries as data, read from the controls.
    SheetState sheetState() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void Form_Load();

    // Reactions.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Text3_Change();
    void TemperatureChange();
    void suggestRows();
    void showUserFluidDialog(std::size_t service);
    void openPriceDialog();

    // Key preview: Enter moves the focus on, Ctrl+P opens the price dialog.
    bool previewKey(QKeyEvent* key);
    bool focusCheckedOption(QObject* watched, Qt::FocusReason reason);

    // The file-name rule of the caption.
    void setFileName(const std::string& name);
    void clearFileName() { setFileName(" "); }

    // Writes a sheet state (a project file applied to a copy) into the
    // controls while INTERACTIVE is 0.
    void showLoaded(const SheetState& loaded, const SizingCase& loadedRecord);
    void readDefaultCase();

    void selectService(std::optional<std::size_t> service);
    void fillFluidList(const std::vector<std::string>& entries);
    std::optional<std::size_t> selectedService() const;
    QLineEdit* text(int n) const { return m_text[static_cast<std::size_t>(n)]; }
    QString filesFolder() const;

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;

    std::array<QLineEdit*, 13> m_text{}; // Text1 .. Text12 (index 0 unused)
    std::array<QRadioButton*, 3> m_service{};
    std::array<QRadioButton*, 2> m_units{};
    std::array<QRadioButton*, 2> m_draft{};
    QComboBox* m_fluids = nullptr;    // Combo1
    QComboBox* m_materials = nullptr; // Combo2
    QPushButton* m_calculate = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label9 = nullptr;
    QLabel* m_label10 = nullptr;
    QLabel* m_label16 = nullptr;
    // A service option that took the focus by a mouse press opens the fluid
    // list after the click, so that the click still selects the service.
    bool m_dropDownAfterClick = false;
};

} // namespace keld::app
