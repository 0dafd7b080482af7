#pragma once
// The controls of the calculation sheet, laid out in its six numbered frames,
// and its menu bar. Every control carries its name as objectName; members of
// a control array carry the array's name and the member's index:
// "Option1_0" .. "Option1_2" (service), "Option2_0"/"Option2_1" (units),
// "Option3_0"/"Option3_1" (fan draft), "CalcMenu_1" .. "CalcMenu_6" (menu
// bar, "CalcMenu_7" the Options, "CalcMenu_8" the Alternatives) and
// "CalcMenu1_1" .. "CalcMenu1_3" (the File menu), between Save and Exit
// "RecentFile1" .. "RecentFile5" (the files last opened or saved).

#include "engine/entries.h"
#include "sheet/sheet.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

namespace keld::app {

struct CalcControls {
    ByField<QLineEdit*> text;                // Text1 .. Text12
    std::array<QRadioButton*, 3> service{};  // Option1: Condensing, Gas Cooling, Liquid Cooling
    std::array<QRadioButton*, 2> units{};    // Option2: English, Metric
    std::array<QRadioButton*, 2> draft{};    // Option3: Forced, Induced
    QComboBox* fluids = nullptr;             // Combo1
    QComboBox* materials = nullptr;          // Combo2
    QPushButton* calculate = nullptr;        // Command1
    std::map<UnitCaption, QLabel*> captions; // Label6, Label16, Label9, Label10, Label7, Label8
    std::vector<QWidget*> tabOrder;          // also the order in which Enter moves the focus

    // The menu: File Open, Save, the recent files, Exit; Calculate, Instructions,
    // Reset, Tutorial, About.
    QMenu* file = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    std::array<QAction*, 5> recent{}; // hidden while they name no file
    QAction* recentEnd = nullptr;     // the separator after them
    QAction* exit = nullptr;
    QAction* calculateMenu = nullptr;
    QAction* instructions = nullptr;
    QAction* reset = nullptr;
    QAction* tutorial = nullptr;
    QAction* options = nullptr;      // "&Options…": fans, noise and the cost of ownership
    QAction* alternatives = nullptr; // "A&lternatives…": the design space
    QAction* about = nullptr;

    // The field a control is, if it is a text field.
    std::optional<Field> fieldOf(const QObject* control) const;
};

// Builds the sheet's controls and menus into `window`.
CalcControls buildCalcControls(QMainWindow* window);

} // namespace keld::app
