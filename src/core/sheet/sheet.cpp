#include "sheet/sheet.h"

#include "catalogue/catalogue.h"
#include "config/ini.h"
#include "engine/calculate.h"
#include "engine/fault.h"
#include "engine/thermal.h"
#include "engine/validation.h"
#include "project/project_file.h"
#include "text/lines.h"
#include "text/number.h"
#include "units/units.h"

#include <algorithm>
#include <cmath>

namespace keld {
namespace {

using units::Quantity;

struct UnitCaptionText {
    const char* english;
    const char* metric;
};
constexpr UnitCaptionText kCaptionTexts[] = {
    {"Btu/(Hr-SqFt-F), Used =", "W/(SqM-C),   Used ="},
    {"Heat Duty, Million Btu/Hr", "Heat Duty, MW"},
    {"Inlet Temperature, \u00B0F", "Inlet Temperature, \u00B0C"},
    {"Outlet Temperature, \u00B0F", "Outlet Temperature, \u00B0C"},
    {"Inlet Air Temperature, \u00B0F", "Inlet Air Temperature, \u00B0C"},
    {"Tube Length, Feet", "Tube Length, Meters"},
};

// The fields that the unit switch converts, in its order.
struct Converted {
    Field field;
    Quantity quantity;
};
constexpr Converted kConverted[] = {
    {Field::CoefficientLow, Quantity::Coefficient}, {Field::CoefficientHigh, Quantity::Coefficient},
    {Field::Coefficient, Quantity::Coefficient},    {Field::AirInlet, Quantity::Temperature},
    {Field::HotInlet, Quantity::Temperature},       {Field::HotOutlet, Quantity::Temperature},
    {Field::TubeLength, Quantity::Length},          {Field::Duty, Quantity::Duty},
};

// The fields in which every typed key clears the file name.
bool typingClearsFileName(Field f) {
    switch (f) {
    case Field::CoefficientLow:
    case Field::CoefficientHigh:
    case Field::Title:
    case Field::Item:
    case Field::PriceFactor:
    case Field::TubeLength:
    case Field::Duty:
        return true;
    default:
        return false;
    }
}

const char* const kDefaultCase = "default.ini";

// A saved user-defined fluid line starts with its prefix without the
// closing blank ("User Defined Gas:").
std::string_view savedUserPrefix(std::size_t service) {
    const std::string_view prefix = services()[service].userPrefix;
    return prefix.substr(0, prefix.size() - 1);
}

// Sets INTERACTIVE to 0 for as long as it lives.
class NotInteractive {
  public:
    explicit NotInteractive(int& flag) : m_flag(flag) { m_flag = 0; }
    ~NotInteractive() { m_flag = 1; }
    NotInteractive(const NotInteractive&) = delete;
    NotInteractive& operator=(const NotInteractive&) = delete;

  private:
    int& m_flag;
};

} // namespace

const char* unitCaption(UnitCaption caption, UnitSystem units) {
    const UnitCaptionText& t = kCaptionTexts[static_cast<std::size_t>(caption)];
    return units == UnitSystem::English ? t.english : t.metric;
}

SheetChanges& SheetChanges::operator|=(const SheetChanges& other) {
    for (const Field f : kFields) {
        text[f] = text[f] || other.text[f];
    }
    service |= other.service;
    units |= other.units;
    draft |= other.draft;
    fluidList |= other.fluidList;
    fluid |= other.fluid;
    material |= other.material;
    fileName |= other.fileName;
    if (other.userFluidDialog) {
        userFluidDialog = other.userFluidDialog;
    }
    return *this;
}

SheetChanges SheetChanges::everything() {
    SheetChanges all;
    for (const Field f : kFields) {
        all.text[f] = true;
    }
    all.service = all.units = all.draft = all.fluidList = all.fluid = all.material = all.fileName =
        true;
    return all;
}

std::string Sheet::fluidText() const {
    if (m_fluid && *m_fluid < m_fluidList.size()) {
        return m_fluidList[*m_fluid];
    }
    return {};
}

std::string Sheet::materialText() const {
    const auto list = materials();
    if (m_material && *m_material < list.size()) {
        return list[*m_material].name;
    }
    return {};
}

std::string Sheet::caption(const std::string& configPath) const {
    return titleBar(configPath) + " - " + m_record.FILENM;
}

SheetChanges Sheet::takeChanges() {
    SheetChanges changes = m_changes;
    m_changes = SheetChanges{};
    return changes;
}

// ---------------------------------------------------------------------------
// Reactions.

void Sheet::setFileName(std::string name) {
    m_record.FILENM = std::move(name);
    m_changes.fileName = true;
}

// A field's text written; its change reaction runs when the text changed.
void Sheet::setText(Field f, std::string value) {
    if (m_text[f] == value) {
        return;
    }
    m_text[f] = std::move(value);
    m_changes.text[f] = true;
    textChanged(f);
}

void Sheet::textChanged(Field f) {
    switch (f) {
    case Field::Coefficient:
        if (INTERACTIVE == 1) {
            const std::optional<double> used = readNumber(m_text[f]);
            if (FLUIDCHOSEN && used && *used > 0) {
                suggestRows();
            } else if (used) {
                setText(Field::Rows, " ");
            }
        }
        clearFileName();
        break;
    case Field::AirInlet:
    case Field::HotInlet:
    case Field::HotOutlet:
        if (INTERACTIVE == 1) {
            suggestRows();
        }
        clearFileName();
        break;
    default:
        break;
    }
}

void Sheet::suggestRows() {
    const std::optional<double> hotIn = readNumber(m_text[Field::HotInlet]);
    const std::optional<double> hotOut = readNumber(m_text[Field::HotOutlet]);
    const std::optional<double> airIn = readNumber(m_text[Field::AirInlet]);
    const std::optional<double> coefficient = readNumber(m_text[Field::Coefficient]);
    if (!hotIn || !hotOut || !airIn || !coefficient) {
        return; // a number too large to read: the rows field stays as it is
    }
    const std::optional<RowChoice> rows =
        RecommendRows(m_record, *hotIn, *hotOut, *airIn, *coefficient);
    setText(Field::Rows, rows ? std::to_string(rows->rows) : std::string());
}

void Sheet::serviceSelected() {
    const bool interactive = INTERACTIVE == 1;
    if (interactive) {
        FLUIDCHOSEN = false;
        m_fluidList.clear();
        m_fluid.reset();
        m_changes.fluidList = m_changes.fluid = true;
        setText(Field::CoefficientLow, " ");
        setText(Field::CoefficientHigh, " ");
        setText(Field::Coefficient, " ");
    }
    if (m_service) {
        const auto s = *m_service;
        for (std::string& e : keld::fluidList(static_cast<Service>(s), m_user.entry[s])) {
            m_fluidList.push_back(std::move(e));
        }
        m_changes.fluidList = true;
    }
    if (interactive && !m_fluidList.empty()) {
        selectFluid(0);
    }
    clearFileName();
}

void Sheet::unitsSelected() {
    const bool differs = m_units != unitsOf(m_record);
    m_record.ENGLISH = m_units == UnitSystem::English;
    m_changes.units = true;
    if (INTERACTIVE == 1 && differs) {
        for (const Converted& c : kConverted) {
            // A value too large to read or to convert: the field keeps its text.
            const std::optional<double> v = readNumber(m_text[c.field]);
            if (!v) {
                continue;
            }
            const double converted = m_units == UnitSystem::English
                                         ? units::toEnglish(c.quantity, *v)
                                         : units::toMetric(c.quantity, *v);
            if (std::isfinite(converted)) {
                setText(c.field, FormatInputValue(converted));
            }
        }
    }
    clearFileName();
}

void Sheet::draftSelected() {
    m_record.DRAFT = m_forced;
    clearFileName();
}

void Sheet::selectFluid(std::optional<std::size_t> position) {
    m_fluid = position;
    m_changes.fluid = true;
    fluidSelected();
}

void Sheet::fluidSelected() {
    FLUIDCHOSEN = true;
    if (INTERACTIVE != 1) {
        return;
    }
    if (m_service && m_fluid) {
        const std::optional<CoefficientTexts> texts = coefficientTexts(
            static_cast<Service>(*m_service), *m_fluid, m_user.coefficient, m_units);
        if (texts) {
            setText(Field::CoefficientLow, texts->lower);
            setText(Field::CoefficientHigh, texts->upper);
            setText(Field::Coefficient, texts->used);
        }
    }
    clearFileName();
    if (m_service && m_fluid && m_user.FLUIDDIALOGREADY == 1 &&
        *m_fluid + 1 == fluidListSize(static_cast<Service>(*m_service))) {
        m_changes.userFluidDialog = *m_service;
    }
}

void Sheet::materialSelected() {
    if (m_material) {
        m_record.MATERIALFACTOR = materialFactor(*m_material);
        m_record.MATERIAL = materials()[*m_material].name;
    }
    clearFileName();
}

// ---------------------------------------------------------------------------
// Actions.

SheetChanges Sheet::type(Field f, std::string text) {
    setText(f, std::move(text));
    if (typingClearsFileName(f)) {
        clearFileName();
    }
    return takeChanges();
}

SheetChanges Sheet::keyTyped(Field f) {
    if (typingClearsFileName(f)) {
        clearFileName();
    }
    return takeChanges();
}

SheetChanges Sheet::clickRows() {
    m_record.ROWSFIXED = true;
    clearFileName();
    return takeChanges();
}

SheetChanges Sheet::chooseService(std::size_t index) {
    if (index >= kServiceCount || m_service == index) {
        return takeChanges(); // an option already selected raises no reaction
    }
    m_service = index;
    m_changes.service = true;
    serviceSelected();
    return takeChanges();
}

SheetChanges Sheet::chooseUnits(UnitSystem units) {
    if (m_units == units) {
        return takeChanges();
    }
    m_units = units;
    unitsSelected();
    return takeChanges();
}

SheetChanges Sheet::chooseDraft(bool forced) {
    if (m_forced == forced) {
        return takeChanges();
    }
    m_forced = forced;
    m_changes.draft = true;
    draftSelected();
    return takeChanges();
}

SheetChanges Sheet::chooseFluid(std::size_t position) {
    if (position < m_fluidList.size()) {
        selectFluid(position);
    }
    return takeChanges();
}

SheetChanges Sheet::chooseMaterial(std::size_t position) {
    if (position < materials().size()) {
        m_material = position;
        m_changes.material = true;
        materialSelected();
    }
    return takeChanges();
}

SheetChanges Sheet::adopt(int rows, const std::string& tubeLength, std::size_t material) {
    setText(Field::Rows, std::to_string(rows));
    m_record.ROWSFIXED = true;
    setText(Field::TubeLength, tubeLength);
    if (material < materials().size()) {
        m_material = material;
        m_changes.material = true;
        materialSelected();
    }
    clearFileName();
    return takeChanges();
}

// ---------------------------------------------------------------------------
// The user-defined fluid dialog.

UserFluidDialogTexts Sheet::beginUserFluid(std::size_t service) {
    const Service s = static_cast<Service>(service);
    if (std::optional<std::string> name = userNameFromEntry(s, m_user.entry[service])) {
        m_user.USERFLUIDNAME = std::move(*name);
    }
    if (m_user.coefficient[service] > 0) {
        m_user.USERFLUIDU = m_user.coefficient[service];
    }
    const bool english = unitsOf(m_record) == UnitSystem::English;
    return {m_user.USERFLUIDNAME,
            FormatInputValue(english ? m_user.USERFLUIDU
                                     : m_user.USERFLUIDU * units::kCoefficientToMetricDialog),
            english ? "Btu/(Hr-SqFt-F)" : "W/(SqM-C)"};
}

std::optional<std::string> Sheet::confirmUserFluid(const std::string& name,
                                                   const std::string& coefficient) {
    m_user.USERFLUIDNAME = name;
    if (hasTextAfterNumber(coefficient)) {
        return notANumberMessage("Overall Heat Transfer Coefficient", coefficient);
    }
    const std::optional<double> v = readNumber(coefficient);
    if (v && *v == 0) {
        return std::string("Input Overall Heat Transfer Coefficient");
    }
    const bool english = unitsOf(m_record) == UnitSystem::English;
    // The value as the field would show it: four significant digits.
    std::optional<double> value;
    if (v) {
        value = readNumber(FormatInputValue(english ? *v : *v / units::kCoefficientToMetricDialog));
    }
    if (value) {
        m_user.USERFLUIDU = *value;
    }
    if (value && *value >= 6 && *value <= 200) {
        m_user.FLUIDDIALOGREADY = 0;
        return std::nullopt;
    }
    return std::string("The Overall Heat Transfer Coefficient is out of range.\n") +
           (english ? "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid."
                    : "Values between 34.1 and 1136 W/(SqM-C) are valid.");
}

void Sheet::cancelUserFluid() {
    m_user.FLUIDDIALOGREADY = 1;
}

SheetChanges Sheet::endUserFluid(std::size_t service) {
    if (m_user.FLUIDDIALOGREADY == 0) {
        m_user.entry[service] = userEntryText(static_cast<Service>(service), m_user.USERFLUIDNAME);
        m_user.USERFLUIDNAME.clear();
        m_user.coefficient[service] = m_user.USERFLUIDU;
        m_user.USERFLUIDU = 0;
        if (!m_fluidList.empty()) {
            m_fluidList.back() = m_user.entry[service];
            m_changes.fluidList = true;
            selectFluid(m_fluidList.size() - 1);
        }
    } else if (!m_fluidList.empty()) {
        selectFluid(0);
    }
    m_user.FLUIDDIALOGREADY = 1;
    return takeChanges();
}

// ---------------------------------------------------------------------------
// The price dialog.

std::string Sheet::priceText() const {
    return m_record.COSTUSER > 0 ? formatPlainDecimal(m_record.COSTUSER) : std::string();
}

std::optional<std::string> Sheet::enterPrice(const std::string& text) {
    if (!text.empty() && hasTextAfterNumber(text)) {
        return notANumberMessage("KELD Price", text); // "12,5000" is no price of 12
    }
    const std::optional<double> price = readNumber(text);
    // A price too large to read is refused like a price of 0.
    if (text.empty() || !price || *price <= 0) {
        return std::string("Enter KELD Price > 0");
    }
    m_record.COSTUSER = *price;
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Start-up and files.

SheetChanges Sheet::startUp(const std::string& programFolder, MessageSink& messages, Start kind) {
    const std::string path = programFolder + "/Files/" + kDefaultCase;
    return startUp(readFile(path), path, messages, kind);
}

SheetChanges Sheet::startUp(const FileContent& content, const std::string& path,
                            MessageSink& messages, Start kind) {
    if (kind == Start::NewWindow) {
        m_text = {};
        m_service.reset();
    }
    m_user = UserFluids{};
    m_fluidList.clear();
    m_fluid.reset();
    m_record.COSTUSER = 0;
    m_material.reset();
    FLUIDCHOSEN = false;
    m_record.ENGLISH = true;
    m_record.ROWSFIXED = false;
    m_record.DRAFT = true;
    m_units = UnitSystem::English;
    m_forced = true;
    // No service is selected, so that the default case's service line fills
    // the fluid list whichever service the sheet showed before a Reset.
    m_service.reset();

    // A file that cannot be opened leaves the start-up's own values.
    if (content.status == FileStatus::CannotOpen) {
        messages.showMessage("Could not load the file " + path, MessageIcon::None);
    } else if (content.status == FileStatus::ReadError) {
        messages.showMessage("Could not read from Selected File.", MessageIcon::Exclamation);
    }
    applyFile(content.bytes, false);
    setFileName(content.status == FileStatus::CannotOpen ? " " : kDefaultCase);
    m_savedCase = caseLines();
    takeChanges();
    return SheetChanges::everything(); // everything is shown afresh
}

std::optional<OpenFailure> Sheet::applyFile(std::string_view bytes, bool open) {
    NotInteractive filling(INTERACTIVE);
    const std::vector<ProjectEntry> entries = parseProjectFile(bytes);
    // Random bytes or an empty file are no project file: File, Open refuses
    // them rather than take their name for a case it does not hold.
    if (open && entries.empty()) {
        return OpenFailure{OpenFailure::Reason::NoProjectLine, {}, std::nullopt, 0};
    }
    for (const ProjectEntry& e : entries) {
        switch (e.line->item) {
        case ProjectItem::Field:
            setText(e.line->field, e.value);
            if (e.line->field == Field::Rows && open) {
                m_record.ROWSFIXED = true;
            }
            break;
        case ProjectItem::Service: {
            std::size_t s = static_cast<std::size_t>(Service::LiquidCooling);
            for (const ServiceInfo& info : services()) {
                if (e.value == info.fileCode) {
                    s = static_cast<std::size_t>(info.service);
                }
            }
            // Cleared and selected again, so that the service reaction runs
            // even for the service already selected.
            m_service = s;
            m_changes.service = true;
            serviceSelected();
            break;
        }
        case ProjectItem::Units:
            m_units = unitsFromWord(e.value);
            unitsSelected();
            break;
        case ProjectItem::Draft:
            m_forced = forcedFromWord(e.value);
            m_changes.draft = true;
            draftSelected();
            break;
        case ProjectItem::Fluid: {
            if (open && m_service && e.value.starts_with(savedUserPrefix(*m_service))) {
                if (m_fluidList.empty()) {
                    return OpenFailure{OpenFailure::Reason::FluidNotInList, e.value, std::nullopt,
                                       e.lineNumber};
                }
                m_user.entry[*m_service] = e.value;
                if (const std::optional<double> u = readNumber(m_text[Field::Coefficient])) {
                    store(m_user.coefficient[*m_service],
                          isTrue(m_record.ENGLISH) ? *u
                                                   : units::toEnglish(Quantity::Coefficient, *u));
                }
                m_fluidList.back() = e.value;
                m_changes.fluidList = true;
            }
            std::optional<std::size_t> found;
            for (std::size_t i = 0; i < m_fluidList.size(); ++i) {
                if (m_fluidList[i] == e.value) {
                    found = i;
                    break;
                }
            }
            if (found) {
                selectFluid(found);
            } else if (open) {
                // An empty list: no service line came before this one.
                return OpenFailure{OpenFailure::Reason::FluidNotInList, e.value,
                                   m_fluidList.empty() ? std::nullopt : m_service, e.lineNumber};
            }
            break;
        }
        case ProjectItem::Material:
            if (const std::optional<std::size_t> m = findMaterial(e.value)) {
                m_material = m;
                m_changes.material = true;
                materialSelected();
            } else if (open) {
                return OpenFailure{OpenFailure::Reason::UnknownMaterial, e.value, m_service,
                                   e.lineNumber};
            }
            break;
        }
    }
    return std::nullopt;
}

std::optional<OpenFailure> Sheet::open(const std::string& path, SheetChanges* changes) {
    const FileContent content = readFile(path);
    if (content.status != FileStatus::Ok) {
        return OpenFailure{OpenFailure::Reason::CannotRead, path, std::nullopt, 0};
    }
    return openBytes(content.bytes, path, changes);
}

std::optional<OpenFailure> Sheet::openBytes(std::string_view bytes, const std::string& path,
                                            SheetChanges* changes) {
    Sheet loaded = *this;
    loaded.m_changes = SheetChanges{};
    loaded.m_user = UserFluids{};
    loaded.m_fluidList.clear();
    loaded.m_fluid.reset();
    loaded.m_changes.fluidList = loaded.m_changes.fluid = true;
    loaded.m_record.COSTUSER = 0;
    if (std::optional<OpenFailure> failure = loaded.applyFile(bytes, true)) {
        return failure;
    }
    loaded.setFileName(fileNameOfPath(path));
    loaded.m_savedCase = loaded.caseLines();
    *this = std::move(loaded);
    const SheetChanges made = takeChanges();
    if (changes) {
        *changes = made;
    }
    return std::nullopt;
}

std::string Sheet::lineValue(const ProjectLine& line) const {
    switch (line.item) {
    case ProjectItem::Field:
        return m_text[line.field];
    case ProjectItem::Service:
        return services()[m_service.value_or(static_cast<std::size_t>(Service::LiquidCooling))]
            .fileCode;
    case ProjectItem::Units:
        return unitsWord(m_units);
    case ProjectItem::Draft:
        return draftWord(m_forced);
    case ProjectItem::Fluid:
        return fluidText();
    case ProjectItem::Material:
        return materialText();
    }
    return {};
}

std::vector<std::string> Sheet::caseLines() const {
    std::vector<std::string> values;
    values.reserve(kProjectLines.size());
    for (const ProjectLine& line : kProjectLines) {
        values.push_back(lineValue(line));
    }
    return values;
}

std::string Sheet::projectFile(bool* lossy) const {
    return writeProjectFile([this](const ProjectLine& line) { return lineValue(line); }, lossy);
}

SheetChanges Sheet::saved(const std::string& path) {
    setFileName(fileNameOfPath(path));
    m_savedCase = caseLines();
    return takeChanges();
}

SheetChanges Sheet::saveCancelled() {
    clearFileName();
    return takeChanges();
}

// ---------------------------------------------------------------------------
// Calculate.

SheetEntries Sheet::entries() const {
    SheetEntries e;
    e.text = m_text;
    if (m_service) {
        e.service[*m_service] = true;
    }
    e.fluid = fluidText();
    return e;
}

bool Sheet::calculate(MessageSink& messages, SheetChanges* changes) {
    const bool ok = Calculate_Output(entries(), m_record, messages);
    const bool draftForced = ok && isTrue(m_record.DRAFT) && !m_forced;
    const std::string chosenRows =
        ok && !isTrue(m_record.ROWSFIXED) ? std::to_string(m_record.NROWS) : std::string();
    const bool rowsChosen = !chosenRows.empty() && chosenRows != m_text[Field::Rows];
    if (draftForced || rowsChosen) {
        // The sheet's own display of what the calculation chose, no edit: no
        // reaction runs, the file name stays, the rows stay the sizing's to
        // choose, and a case without changes still has none.
        const bool hadChanges = hasUnsavedChanges();
        if (draftForced) {
            m_forced = true;
            m_changes.draft = true;
        }
        if (rowsChosen) {
            m_text[Field::Rows] = chosenRows;
            m_changes.text[Field::Rows] = true;
        }
        if (!hadChanges) {
            m_savedCase = caseLines();
        }
    }
    const SheetChanges made = takeChanges();
    if (changes) {
        *changes = made;
    }
    return ok;
}

std::string describe(const OpenFailure& failure) {
    const std::string line = "line " + std::to_string(failure.line) + ": ";
    const std::string value = "\"" + failure.value + "\"";
    switch (failure.reason) {
    case OpenFailure::Reason::CannotRead:
        return "the file cannot be opened or read";
    case OpenFailure::Reason::NoProjectLine:
        return "the file holds no line of a project file";
    case OpenFailure::Reason::UnknownMaterial:
        return line + "the material " + value + " is not in the list of tube and header materials";
    case OpenFailure::Reason::FluidNotInList:
        break;
    }
    if (!failure.service) {
        return line + "the fluid " + value + " comes before any service line";
    }
    std::string text = line + "the fluid " + value + " is not in the fluid list of the service \"" +
                       services()[*failure.service].caption + "\"";
    for (const ServiceInfo& other : services()) {
        const auto list = fluidList(other.service, other.userInitial);
        const bool listed =
            std::find(list.begin(), list.end(), failure.value) != list.end() ||
            failure.value.starts_with(savedUserPrefix(static_cast<std::size_t>(other.service)));
        if (static_cast<std::size_t>(other.service) != *failure.service && listed) {
            return text + " but of \"" + other.caption + "\"";
        }
    }
    return text;
}

} // namespace keld
