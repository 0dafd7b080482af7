#pragma once
// The calculation sheet as a model: everything the sheet shows and remembers,
// and one method per user action, each applying the sheet's reaction rules.
//
// The window is only its view: it forwards what the user does to a method
// and shows what the method says has changed. Start-up, Reset, File, Open,
// File, Save and Calculate are methods too, so the command-line tool loads a
// project file exactly as the window does.
//
// While a project file (or the default case) is applied, INTERACTIVE is 0 and
// the reactions only do their bookkeeping: the unit switch relabels without
// converting, a service change appends its list without selecting, a fluid
// selection only notes FLUIDCHOSEN, and no row count is suggested.

#include "engine/entries.h"
#include "engine/messages.h"
#include "engine/sizing_case.h"
#include "text/lines.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

struct ProjectLine;

// The user-defined fluid of each service and the working values shared with
// the fluid dialog.
struct UserFluids {
    // The last entry of each service's fluid list (Condensing, Gas, Liquid):
    // USERCONDENSATE, USERGAS, USERLIQUID.
    std::array<std::string, 3> entry = {"User Defined Condensate", "User Defined Gas",
                                        "User Defined Liquid"};
    // UCONDENSATE, UGAS, ULIQUID, in Btu/(hr sq ft °F); 0 until defined.
    std::array<double, 3> coefficient{};
    std::string USERFLUIDNAME;
    double USERFLUIDU = 0;
    int FLUIDDIALOGREADY = 1; // 0 from the dialog's OK until its entry is applied

    bool operator==(const UserFluids&) const = default;
};

// The captions that name a unit, by the field they label.
enum class UnitCaption {
    Coefficient, // Label6, before the coefficient used
    Duty,        // Label16
    HotInlet,    // Label9
    HotOutlet,   // Label10
    AirInlet,    // Label7
    TubeLength,  // Label8
};
inline constexpr std::array<UnitCaption, 6> kUnitCaptions = {
    UnitCaption::Coefficient, UnitCaption::Duty,     UnitCaption::HotInlet,
    UnitCaption::HotOutlet,   UnitCaption::AirInlet, UnitCaption::TubeLength};
const char* unitCaption(UnitCaption caption, UnitSystem units);

// What an action changed, for the view to show again.
struct SheetChanges {
    ByField<bool> text;
    bool service = false;   // the selected service option
    bool units = false;     // the unit option and the captions that name units
    bool draft = false;     // the draft option
    bool fluidList = false; // the entries of the fluid list
    bool fluid = false;     // the selected fluid
    bool material = false;  // the selected material
    bool fileName = false;  // FILENM, and so the caption
    // The user chose the user-defined entry of this service: its dialog opens
    // now (beginUserFluid, then confirm or cancel, then endUserFluid).
    std::optional<std::size_t> userFluidDialog;

    SheetChanges& operator|=(const SheetChanges& other);

    // Everything, for a view that shows the sheet afresh.
    static SheetChanges everything();
};

// What the fluid dialog shows when it opens.
struct UserFluidDialogTexts {
    std::string name;
    std::string coefficient;
    const char* unit; // "Btu/(Hr-SqFt-F)" or "W/(SqM-C)"
};

// Why File, Open refused a file. The sheet is left as it was.
struct OpenFailure {
    enum class Reason {
        CannotRead,      // the file cannot be opened or read
        FluidNotInList,  // the fluid line names no entry of the service's list
        UnknownMaterial, // the material line names no material of the list
        NoProjectLine,   // not a single line of the file is a project file's line
    };
    Reason reason;
    std::string value;                  // the value refused (the path, when unreadable)
    std::optional<std::size_t> service; // the service selected at the fluid line
    std::size_t line = 0;               // the line of the file refused
};

// What the sheet asks before it gives up a case that has changes not saved
// (Exit, Reset, File, Open, closing the window): Save, Discard or Cancel.
inline constexpr const char* kUnsavedChangesQuestion =
    "The case has changes that are not saved. Save them?";

// Why a file was refused, in a sentence: "line 16: the fluid \"Ammonia\" is
// not in the fluid list of the service \"Liquid Cooling\" but of
// \"Condensing\"".
std::string describe(const OpenFailure& failure);

class Sheet {
  public:
    // A sheet as a new window shows it before its start-up: empty fields,
    // nothing selected, the record as at program start.
    Sheet() = default;

    // ---- What the sheet shows and remembers.
    const std::string& text(Field f) const { return m_text[f]; }
    std::optional<std::size_t> service() const { return m_service; }
    UnitSystem units() const { return m_units; }
    bool forced() const { return m_forced; }
    const std::vector<std::string>& fluidList() const { return m_fluidList; }
    std::optional<std::size_t> fluid() const { return m_fluid; }
    std::string fluidText() const;
    std::optional<std::size_t> material() const { return m_material; }
    std::string materialText() const;
    const UserFluids& userFluids() const { return m_user; }
    const std::string& fileName() const { return m_record.FILENM; }
    bool rowsFixed() const { return isTrue(m_record.ROWSFIXED); }
    double userPrice() const { return m_record.COSTUSER; }
    // The one record of the calculations: the sheet's flags, the material,
    // the user's price and the figures of the last calculation.
    const SizingCase& record() const { return m_record; }

    // The window caption: the configured title, " - " and the file name.
    std::string caption(const std::string& configPath) const;

    // Whether the case differs from what was last started, reset, opened or
    // saved: what File, Save would write now is not what it was then. What
    // Calculate shows of its own choices (the rows it chose, the draft it
    // forced) is no change of the user's.
    bool hasUnsavedChanges() const { return caseLines() != m_savedCase; }

    // ---- Start-up and Reset: the user-defined fluids and the lists are
    // reset, English units and forced draft set, and the default case
    // Files/default.ini of the program folder applied. Its failures are
    // shown through `messages`.
    enum class Start {
        NewWindow, // the sheet's window is created: its fields start empty
        Reset      // Reset on the open window: fields the default case lacks keep their text
    };
    SheetChanges startUp(const std::string& programFolder, MessageSink& messages,
                         Start kind = Start::NewWindow);
    // The same with the default case already read from `path`.
    SheetChanges startUp(const FileContent& defaultCase, const std::string& path,
                         MessageSink& messages, Start kind = Start::NewWindow);

    // ---- The user's actions.
    // A field's text changed by the user (typing, deleting, pasting).
    SheetChanges type(Field f, std::string text);
    // A key that types a character (Enter, Backspace, a letter, Ctrl with a
    // letter) into a field, whether or not its text changed.
    SheetChanges keyTyped(Field f);
    // A mouse click into the rows field: the user takes the rows over.
    SheetChanges clickRows();
    SheetChanges chooseService(std::size_t index);
    SheetChanges chooseUnits(UnitSystem units);
    SheetChanges chooseDraft(bool forced);
    SheetChanges chooseFluid(std::size_t position);
    SheetChanges chooseMaterial(std::size_t position);
    // An alternative of the design space taken to the sheet: its rows (kept
    // for the calculation, as a click into the rows field keeps them), its
    // tube length as the sweep typed it, in the sheet's units, and its
    // material.
    SheetChanges adopt(int rows, const std::string& tubeLength, std::size_t material);

    // The user-defined fluid dialog of a service: what it shows on opening;
    // OK (a refusal message, or none when the fluid is taken); Cancel or a
    // close; and the sheet's steps after the dialog has closed.
    UserFluidDialogTexts beginUserFluid(std::size_t service);
    std::optional<std::string> confirmUserFluid(const std::string& name,
                                                const std::string& coefficient);
    void cancelUserFluid();
    SheetChanges endUserFluid(std::size_t service);

    // The price dialog: its text on opening; OK (a refusal message, or none
    // when the price is taken); the price given up again.
    std::string priceText() const;
    std::optional<std::string> enterPrice(const std::string& text);
    void clearUserPrice() { m_record.COSTUSER = 0; }

    // ---- Files.
    // File, Open: the whole file is applied to a copy of the sheet first; the
    // sheet changes only when every line could be applied.
    std::optional<OpenFailure> open(const std::string& path, SheetChanges* changes = nullptr);
    std::optional<OpenFailure> openBytes(std::string_view bytes, const std::string& path,
                                         SheetChanges* changes = nullptr);
    // File, Save: the 17 lines of a project file (Windows-1252, CR LF); a
    // character that Windows-1252 cannot hold is written as "?" and `lossy`
    // says so. After the file has been written, `saved` names it.
    std::string projectFile(bool* lossy = nullptr) const;
    SheetChanges saved(const std::string& path);
    // A save that was cancelled leaves no file name.
    SheetChanges saveCancelled();

    // ---- Calculate: the entries checked, the bundle sized and estimated into
    // the record; true when the report opens. When the outlet-air rule forces
    // the draft, the sheet selects Forced as well, and when the sizing chose
    // the rows, the rows field shows the count chosen (the rows stay the
    // sizing's to choose), so that the sheet, a file saved from it, the
    // record and every later report agree; `changes` says so.
    bool calculate(MessageSink& messages, SheetChanges* changes = nullptr);
    // What a calculation reads of the sheet.
    SheetEntries entries() const;

    // For a run without the sheet's window (keld-size): the rows left to the
    // sizing, or a price of the user's.
    void setRowsFixed(bool fixed) { m_record.ROWSFIXED = fixed; }
    void setUserPrice(double price) { m_record.COSTUSER = price; }

  private:
    // Reactions, run by the actions above and while a file is applied.
    void setText(Field f, std::string value);
    void textChanged(Field f);
    void suggestRows();
    void serviceSelected();
    void unitsSelected();
    void draftSelected();
    void fluidSelected();
    void materialSelected();
    void clearFileName() { setFileName(" "); }
    void setFileName(std::string name);
    void selectFluid(std::optional<std::size_t> position);

    // The value of each line of a project file written now, one after another.
    std::string lineValue(const ProjectLine& line) const;
    std::vector<std::string> caseLines() const;

    // Applies a project file's lines with INTERACTIVE 0. For File, Open a
    // fluid or material that is not in its list stops it.
    std::optional<OpenFailure> applyFile(std::string_view bytes, bool open);
    SheetChanges takeChanges();

    ByField<std::string> m_text;
    std::optional<std::size_t> m_service;
    UnitSystem m_units = UnitSystem::English; // the unit option selected
    bool m_forced = true;                     // the Forced draft option is selected
    std::vector<std::string> m_fluidList;
    std::optional<std::size_t> m_fluid;
    std::optional<std::size_t> m_material;
    UserFluids m_user;
    int INTERACTIVE = 1;
    bool FLUIDCHOSEN = false;
    SizingCase m_record;
    SheetChanges m_changes;
    // The case as it was last started, reset, opened or saved.
    std::vector<std::string> m_savedCase;
};

} // namespace keld
