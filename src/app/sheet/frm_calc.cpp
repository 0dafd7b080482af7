#include "sheet/frm_calc.h"

#include "catalogue/catalogue.h"
#include "config/ini.h"
#include "engine/calculate.h"
#include "engine/thermal.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "sheet/frm_fluid.h"
#include "sheet/frm_price.h"
#include "shell/window_flow.h"
#include "text/lines.h"
#include "text/number.h"
#include "units/units.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QFileInfo>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace keld::app {

namespace {

const QString kIniFilter = QStringLiteral("Ini Files (*.ini)");

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
std::string str(const QString& s) {
    return s.toStdString();
}

// The captions that name units: English and Metric.
struct UnitCaptions {
    const char* english;
    const char* metric;
};
constexpr UnitCaptions kLabel6 = {"Btu/(Hr-SqFt-F), Used =", "W/(SqM-C),   Used ="};
constexpr UnitCaptions kLabel16 = {"Heat Duty, Million Btu/Hr", "Heat Duty, MW"};
constexpr UnitCaptions kLabel9 = {"Inlet Temperature, \u00b0F", "Inlet Temperature, \u00b0C"};
constexpr UnitCaptions kLabel10 = {"Outlet Temperature, \u00b0F", "Outlet Temperature, \u00b0C"};
constexpr UnitCaptions kLabel7 = {"Inlet Air Temperature, \u00b0F",
                                  "Inlet Air Temperature, \u00b0C"};
constexpr UnitCaptions kLabel8 = {"Tube Length, Feet", "Tube Length, Meters"};

QString caption(const UnitCaptions& c, bool english) {
    return QString::fromUtf8(english ? c.english : c.metric);
}

// Checks the option at `index` of an array (none when empty) so that its
// selection reaction runs even when it was selected already.
template <std::size_t N>
void checkOption(const std::array<QRadioButton*, N>& buttons, std::optional<std::size_t> index) {
    for (QRadioButton* b : buttons) {
        b->setAutoExclusive(false);
        b->setChecked(false);
    }
    if (index && *index < N) {
        buttons[*index]->setChecked(true);
    }
    for (QRadioButton* b : buttons) {
        b->setAutoExclusive(true);
    }
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool isCtrlP(const QKeyEvent* key) {
    return key->key() == Qt::Key_P && (key->modifiers() & Qt::ControlModifier);
}

// Whether a key press types a character into a field: Enter, Backspace,
// Escape, a character, or Ctrl with a letter (a control character).
bool typesCharacter(const QKeyEvent* key) {
    const int k = key->key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
        return false;
    }
    if (isEnter(key) || k == Qt::Key_Backspace || k == Qt::Key_Escape) {
        return true;
    }
    if ((key->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z) {
        return true;
    }
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

// Sets INTERACTIVE to 0 for as long as it lives.
class NotInteractive {
public:
    explicit NotInteractive(AppState& s) : m_state(s) { m_state.INTERACTIVE = 0; }
    ~NotInteractive() { m_state.INTERACTIVE = 1; }
    NotInteractive(const NotInteractive&) = delete;
    NotInteractive& operator=(const NotInteractive&) = delete;

private:
    AppState& m_state;
};

} // namespace

frmCalc::frmCalc(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow) {
    setObjectName(QStringLiteral("frmCalc"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Calculation"));
    buildControls();
    buildMenus();
    Form_Load();
    adjustSize();
    centreOnScreen(this);
}

void frmCalc::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto lineEdit = [this](int n, int width) {
        auto* e = new QLineEdit;
        e->setObjectName(QStringLiteral("Text%1").arg(n));
        if (width > 0) {
            e->setFixedWidth(width);
        }
        m_text[static_cast<std::size_t>(n)] = e;
        return e;
    };
    auto label = [](const char* name, const QString& text) {
        auto* l = new QLabel(text);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto frame = [](const char* name, const char* title) {
        auto* g = new QGroupBox(QString::fromUtf8(title));
        g->setObjectName(QString::fromLatin1(name));
        return g;
    };
    auto option = [](const char* array, int index, const char* text) {
        auto* b = new QRadioButton(QString::fromUtf8(text));
        b->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(array)).arg(index));
        return b;
    };
    constexpr int kNumberWidth = 90;
    // The right column's entries start at one place in both of its frames.
    constexpr int kListWidth = 180;

    // 1. Project description.
    QGroupBox* frame2 = frame("Frame2", "1. Input Project Description");
    auto* g2 = new QGridLayout(frame2);
    g2->addWidget(label("Label12", QStringLiteral("Title:")), 0, 0);
    g2->addWidget(lineEdit(4, 0), 0, 1);
    g2->addWidget(label("Label13", QStringLiteral("Item Number:")), 1, 0);
    g2->addWidget(lineEdit(9, 0), 1, 1);

    // 2. Units.
    QGroupBox* frame5 = frame("Frame5", "2. Select Units");
    auto* h5 = new QHBoxLayout(frame5);
    m_units = {option("Option2", 0, "English"), option("Option2", 1, "Metric")};
    for (QRadioButton* b : m_units) {
        h5->addWidget(b);
    }
    h5->addStretch();

    // 3. Service and hot fluid.
    QGroupBox* frame1 = frame("Frame1", "3. Select Type of Service and Hot Fluid");
    auto* v1 = new QVBoxLayout(frame1);
    auto* serviceRow = new QHBoxLayout;
    serviceRow->addWidget(label("Label2", QStringLiteral("Service: ")));
    m_service = {option("Option1", 0, "Condensing"), option("Option1", 1, "Gas Cooling"),
                 option("Option1", 2, "Liquid Cooling")};
    for (QRadioButton* b : m_service) {
        serviceRow->addWidget(b);
    }
    serviceRow->addStretch();
    v1->addLayout(serviceRow);
    auto* fluidRow = new QHBoxLayout;
    fluidRow->addWidget(label("Label3", QStringLiteral("Hot Tube Side Fluid: ")));
    m_fluids = new QComboBox;
    m_fluids->setObjectName(QStringLiteral("Combo1"));
    m_fluids->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_fluids->setMinimumContentsLength(36);
    fluidRow->addWidget(m_fluids, 1);
    v1->addLayout(fluidRow);
    v1->addWidget(label("Label4", QStringLiteral("Overall Bare Tube Heat Transfer Coefficient: ")));
    auto* coefficientRow = new QHBoxLayout;
    coefficientRow->addWidget(lineEdit(1, 70));
    coefficientRow->addWidget(label("Label5", QStringLiteral("to")));
    coefficientRow->addWidget(lineEdit(2, 70));
    m_label6 = label("Label6", caption(kLabel6, true));
    coefficientRow->addWidget(m_label6);
    coefficientRow->addWidget(lineEdit(3, 70));
    coefficientRow->addStretch();
    v1->addLayout(coefficientRow);

    // 4. Fan draft.
    QGroupBox* frame6 = frame("Frame6", "4. Select Fan Draft");
    auto* h6 = new QHBoxLayout(frame6);
    m_draft = {option("Option3", 0, "Forced"), option("Option3", 1, "Induced")};
    for (QRadioButton* b : m_draft) {
        h6->addWidget(b);
    }
    h6->addStretch();

    // 5. Hot fluid.
    QGroupBox* frame4 = frame("Frame4", "5. Input Hot Fluid Parameters");
    auto* g4 = new QGridLayout(frame4);
    m_label16 = label("Label16", caption(kLabel16, true));
    m_label9 = label("Label9", caption(kLabel9, true));
    m_label10 = label("Label10", caption(kLabel10, true));
    g4->addWidget(m_label16, 0, 0);
    g4->addWidget(lineEdit(12, kNumberWidth), 0, 1);
    g4->addWidget(m_label9, 1, 0);
    g4->addWidget(lineEdit(6, kNumberWidth), 1, 1);
    g4->addWidget(m_label10, 2, 0);
    g4->addWidget(lineEdit(7, kNumberWidth), 2, 1);
    g4->setColumnStretch(0, 1);
    g4->setColumnMinimumWidth(1, kListWidth);

    // 6. Exchanger.
    QGroupBox* frame3 = frame("Frame3", "6. Input KELD Parameters");
    auto* g3 = new QGridLayout(frame3);
    m_label7 = label("Label7", caption(kLabel7, true));
    m_label8 = label("Label8", caption(kLabel8, true));
    g3->addWidget(m_label7, 0, 0);
    g3->addWidget(lineEdit(5, kNumberWidth), 0, 1);
    g3->addWidget(m_label8, 1, 0);
    g3->addWidget(lineEdit(11, kNumberWidth), 1, 1);
    g3->addWidget(label("Label11", QStringLiteral("Number of Tube Rows:")), 2, 0);
    g3->addWidget(lineEdit(8, kNumberWidth), 2, 1);
    g3->addWidget(label("Label15", QStringLiteral("Tubes and Headers:")), 3, 0);
    m_materials = new QComboBox;
    m_materials->setObjectName(QStringLiteral("Combo2"));
    m_materials->setFixedWidth(kListWidth);
    g3->addWidget(m_materials, 3, 1);
    g3->addWidget(label("Label14", QStringLiteral("Price Multiplication Factor:")), 4, 0);
    g3->addWidget(lineEdit(10, kNumberWidth), 4, 1);
    g3->setColumnStretch(0, 1);
    g3->setColumnMinimumWidth(1, kListWidth);

    m_calculate = new QPushButton(QStringLiteral("Calculate"));
    m_calculate->setObjectName(QStringLiteral("Command1"));

    auto* heading = label("Label1", QStringLiteral("Input for KELD Size and Price Estimate"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(frame2);
    left->addWidget(frame5);
    left->addWidget(frame1);
    left->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_calculate);
    buttonRow->addStretch();
    left->addLayout(buttonRow);
    auto* right = new QVBoxLayout;
    right->addWidget(frame6);
    right->addWidget(frame4);
    right->addWidget(frame3);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* page = new QVBoxLayout(central);
    page->addWidget(heading);
    page->addLayout(columns);

    // Tab order, which is also the order in which Enter moves the focus.
    const std::vector<QWidget*> order = {
        text(4),      text(9),     m_units[0], m_units[1], m_service[0], m_service[1],
        m_service[2], m_fluids,    text(1),    text(2),    text(3),      m_draft[0],
        m_draft[1],   text(12),    text(6),    text(7),    text(5),      text(11),
        text(8),      m_materials, text(10),   m_calculate};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    for (QWidget* w : order) {
        w->installEventFilter(this);
    }

    // Reactions.
    for (std::size_t i = 0; i < m_service.size(); ++i) {
        connect(m_service[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                Option1_Click();
            }
        });
        connect(m_service[i], &QRadioButton::released, this, [this] {
            if (m_dropDownAfterClick) {
                m_dropDownAfterClick = false;
                m_platform.openDropDown(m_fluids);
            }
        });
    }
    for (QRadioButton* b : m_units) {
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                Option2_Click();
            }
        });
    }
    for (QRadioButton* b : m_draft) {
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                Option3_Click();
            }
        });
    }
    // A selection by code runs its reaction where the code makes it.
    connect(m_fluids, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(m_materials, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(text(3), &QLineEdit::textChanged, this, [this] { Text3_Change(); });
    for (int n : {5, 6, 7}) {
        connect(text(n), &QLineEdit::textChanged, this, [this] { TemperatureChange(); });
    }
    // Fields whose typing clears the file name: any edit by the user does,
    // also one without a typed character (Delete, paste, cut).
    for (int n : {1, 2, 4, 9, 10, 11, 12}) {
        connect(text(n), &QLineEdit::textEdited, this, [this] { clearFileName(); });
    }
    connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate_Output(); });
}

void frmCalc::buildMenus() {
    auto action = [this](QAction* a, const char* name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("CalcMenu1"));
    action(file->menuAction(), "CalcMenu_1");
    connect(action(file->addAction(QStringLiteral("&Open")), "CalcMenu1_1"), &QAction::triggered,
            this, [this] { load_file(); });
    connect(action(file->addAction(QStringLiteral("&Save")), "CalcMenu1_2"), &QAction::triggered,
            this, [this] { save_file(); });
    connect(action(file->addAction(QStringLiteral("&Exit")), "CalcMenu1_3"), &QAction::triggered,
            this, [this] {
                m_flow.closeCalc();
                m_flow.exitProgram();
            });
    connect(action(menuBar()->addAction(QStringLiteral("&Calculate")), "CalcMenu_2"),
            &QAction::triggered, this, [this] { Calculate_Output(); });
    connect(action(menuBar()->addAction(QStringLiteral("&Instructions")), "CalcMenu_3"),
            &QAction::triggered, this, [this] { Instruction(); });
    connect(action(menuBar()->addAction(QStringLiteral("&Reset")), "CalcMenu_4"),
            &QAction::triggered, this, [this] { Reset_Form(); });
    connect(action(menuBar()->addAction(QStringLiteral("&Tutorial")), "CalcMenu_5"),
            &QAction::triggered, this, [this] { show_Tutorial(); });
    connect(action(menuBar()->addAction(QStringLiteral("&About")), "CalcMenu_6"),
            &QAction::triggered, this, [this] { m_flow.openAbout(); });
}

// ---------------------------------------------------------------------------
// Start-up and Reset.

void frmCalc::Form_Load() {
    auto busy = std::make_optional<BusyPointer>();
    m_state.userFluids.reset();
    m_fluids->clear();
    m_state.record.COSTUSER = 0;
    m_materials->clear();
    for (const Material& m : materials()) {
        m_materials->addItem(QString::fromUtf8(m.name));
    }
    m_materials->setCurrentIndex(-1);
    m_state.FLUIDCHOSEN = false;
    m_state.record.ENGLISH = true;
    m_state.record.ROWSFIXED = false;
    m_state.record.DRAFT = true;
    busy.reset(); // the default case's messages come with the normal pointer
    // No service is selected, so that the default case's service line fills
    // the fluid list whichever service the sheet showed before a Reset.
    checkOption(m_service, std::nullopt);
    readDefaultCase();
}

void frmCalc::Reset_Form() {
    Form_Load();
}

void frmCalc::readDefaultCase() {
    const std::string path = m_state.ProgramFolder + "/Files/default.ini";
    const FileContent content = readFile(path);
    // A file that cannot be opened leaves the start-up's own values.
    if (content.status == FileStatus::CannotOpen) {
        m_platform.showMessage(this, QStringLiteral("Could not load the file ") + qs(path),
                               MessageIcon::None);
    } else if (content.status == FileStatus::ReadError) {
        m_platform.showMessage(this, QStringLiteral("Could not read from Selected File."),
                               MessageIcon::Exclamation);
    }
    // The start-up's own values: no fluid list, no user-defined fluids,
    // English units and forced draft until the file says otherwise.
    SheetState loaded = sheetState();
    loaded.fluidList.clear();
    loaded.fluidIndex.reset();
    loaded.userEntry = SheetState{}.userEntry;
    loaded.userCoefficient = {};
    loaded.english = true;
    loaded.forced = true;
    SizingCase loadedRecord = m_state.record;
    applyProject(parseProjectFile(content.bytes), LoadKind::DefaultCase, loaded, loadedRecord);
    showLoaded(loaded, loadedRecord);
    setFileName(content.status == FileStatus::CannotOpen ? " " : "default.ini");
}

// ---------------------------------------------------------------------------
// Project files.

QString frmCalc::filesFolder() const {
    return qs(m_state.ProgramFolder) + QStringLiteral("/Files");
}

void frmCalc::load_file() {
    // The whole file is read and applied to a copy of the sheet first; the
    // sheet changes only when every line could be applied.
    const std::optional<QString> chosen =
        m_platform.getOpenFileName(this, filesFolder(), kIniFilter);
    if (!chosen) {
        return;
    }
    const std::string path = str(*chosen);
    const FileContent content = readFile(path);
    SheetState loaded = sheetState();
    SizingCase loadedRecord = m_state.record;
    prepareOpen(loaded, loadedRecord);
    if (content.status != FileStatus::Ok ||
        applyProject(parseProjectFile(content.bytes), LoadKind::Open, loaded, loadedRecord)) {
        m_platform.showMessage(this, QStringLiteral("Could not load the file ") + *chosen,
                               MessageIcon::None);
        return;
    }
    m_state.userFluids.reset();
    m_state.record.COSTUSER = 0;
    m_fluids->clear();
    showLoaded(loaded, loadedRecord);
    setFileName(fileNameOfPath(path));
}

void frmCalc::save_file() {
    const std::optional<QString> chosen =
        m_platform.getSaveFileName(this, filesFolder(), kIniFilter);
    if (!chosen) {
        clearFileName();
        return;
    }
    bool lossy = false;
    const std::string bytes = projectFileBytes(sheetState(), &lossy);
    // Written beside the target and renamed over it: a save that fails
    // leaves the file that was there untouched.
    // Unbuffered, so that a short write (a full disk) shows in the count:
    // a buffered write that fails at the flush would still be committed.
    // A name that already stands for something other than a file (a folder,
    // a device, a pipe) is refused: replacing it would destroy it.
    const QFileInfo target(*chosen);
    QSaveFile file(*chosen);
    bool saved = !(target.exists() && !target.isFile()) && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                 file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                     static_cast<qint64>(bytes.size()) &&
                 file.flush();
    if (saved) {
        saved = file.commit();
    } else {
        file.cancelWriting();
    }
    if (!saved) {
        m_platform.showMessage(this, QStringLiteral("Could not save the data in file ") + *chosen,
                               MessageIcon::None);
        return;
    }
    setFileName(fileNameOfPath(str(*chosen)));
    if (lossy) {
        m_platform.showMessage(
            this,
            QStringLiteral(
                "Some characters cannot be kept in a project file and were saved as \"?\"."),
            MessageIcon::Exclamation);
    }
}

SheetState frmCalc::sheetState() const {
    SheetState s;
    for (int n = 1; n <= 12; ++n) {
        s.text[static_cast<Field>(n)] = str(text(n)->text());
    }
    for (std::size_t i = 0; i < m_service.size(); ++i) {
        s.service[i] = m_service[i]->isChecked();
    }
    s.english = m_units[0]->isChecked();
    s.forced = m_draft[0]->isChecked();
    for (int i = 0; i < m_fluids->count(); ++i) {
        s.fluidList.push_back(str(m_fluids->itemText(i)));
    }
    if (m_fluids->currentIndex() >= 0) {
        s.fluidIndex = static_cast<std::size_t>(m_fluids->currentIndex());
    }
    if (m_materials->currentIndex() >= 0) {
        s.materialIndex = static_cast<std::size_t>(m_materials->currentIndex());
    }
    s.userEntry = m_state.userFluids.entry;
    s.userCoefficient = m_state.userFluids.coefficient;
    return s;
}

void frmCalc::showLoaded(const SheetState& loaded, const SizingCase& loadedRecord) {
    NotInteractive filling(m_state);
    for (int n = 1; n <= 12; ++n) {
        text(n)->setText(qs(loaded.text[static_cast<Field>(n)]));
    }
    m_state.userFluids.entry = loaded.userEntry;
    m_state.userFluids.coefficient = loaded.userCoefficient;
    selectService(loaded.selectedService());
    fillFluidList(loaded.fluidList);
    if (loaded.fluidIndex) {
        m_fluids->setCurrentIndex(static_cast<int>(*loaded.fluidIndex));
        Combo1_Click();
    }
    // The unit and draft options are selected afresh, so that ENGLISH and
    // DRAFT always match the options shown.
    checkOption(m_units, loaded.english ? 0U : 1U);
    checkOption(m_draft, loaded.forced ? 0U : 1U);
    if (loaded.materialIndex) {
        m_materials->setCurrentIndex(static_cast<int>(*loaded.materialIndex));
        Combo2_Click();
    }
    m_state.record.ROWSFIXED = loadedRecord.ROWSFIXED;
}

void frmCalc::selectService(std::optional<std::size_t> service) {
    checkOption(m_service, service);
}

void frmCalc::fillFluidList(const std::vector<std::string>& entries) {
    m_fluids->clear();
    for (const std::string& e : entries) {
        m_fluids->addItem(qs(e));
    }
    m_fluids->setCurrentIndex(-1);
}

std::optional<std::size_t> frmCalc::selectedService() const {
    for (std::size_t i = 0; i < m_service.size(); ++i) {
        if (m_service[i]->isChecked()) {
            return i;
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// The caption.

void frmCalc::setFileName(const std::string& name) {
    m_state.record.FILENM = name;
    setWindowTitle(qs(ReadIni(m_state.ConfigPath, "Brochure", "TitleBar", "0") + " - " + name));
    update();
}

// ---------------------------------------------------------------------------
// Reactions.

void frmCalc::Option1_Click() {
    const bool interactive = m_state.INTERACTIVE == 1;
    if (interactive) {
        m_state.FLUIDCHOSEN = false;
        m_fluids->clear();
        text(1)->setText(QStringLiteral(" "));
        text(2)->setText(QStringLiteral(" "));
        text(3)->setText(QStringLiteral(" "));
    }
    const std::optional<std::size_t> s = selectedService();
    if (s) {
        const bool wasEmpty = m_fluids->count() == 0;
        const int before = m_fluids->currentIndex();
        for (const std::string& e :
             fluidList(static_cast<Service>(*s), m_state.userFluids.entry[*s])) {
            m_fluids->addItem(qs(e));
        }
        if (wasEmpty) {
            m_fluids->setCurrentIndex(before);
        }
    }
    if (interactive && m_fluids->count() > 0) {
        m_fluids->setCurrentIndex(0);
        Combo1_Click();
    }
    clearFileName();
}

void frmCalc::Option2_Click() {
    const bool english = !m_units[1]->isChecked();
    const bool differs = english != isTrue(m_state.record.ENGLISH);
    m_state.record.ENGLISH = english;
    m_label6->setText(caption(kLabel6, english));
    m_label16->setText(caption(kLabel16, english));
    m_label9->setText(caption(kLabel9, english));
    m_label10->setText(caption(kLabel10, english));
    m_label7->setText(caption(kLabel7, english));
    m_label8->setText(caption(kLabel8, english));
    if (m_state.INTERACTIVE == 1 && differs) {
        struct Conversion {
            int field;
            double (*toMetric)(double);
            double (*toEnglish)(double);
        };
        static constexpr Conversion kConversions[] = {
            {1, [](double x) { return x * units::kCoefficientToMetric; },
             [](double x) { return x * units::kCoefficientToEnglish; }},
            {2, [](double x) { return x * units::kCoefficientToMetric; },
             [](double x) { return x * units::kCoefficientToEnglish; }},
            {3, [](double x) { return x * units::kCoefficientToMetric; },
             [](double x) { return x * units::kCoefficientToEnglish; }},
            {5, [](double x) { return (x - 32) / 1.8; }, [](double x) { return x * 1.8 + 32; }},
            {6, [](double x) { return (x - 32) / 1.8; }, [](double x) { return x * 1.8 + 32; }},
            {7, [](double x) { return (x - 32) / 1.8; }, [](double x) { return x * 1.8 + 32; }},
            {11, [](double x) { return x * 0.3048; }, [](double x) { return x * 3.2808; }},
            {12, [](double x) { return x * 0.2931; }, [](double x) { return x * 3.4123; }},
        };
        for (const Conversion& c : kConversions) {
            // A value too large to read or to convert: the field keeps its text.
            const std::optional<double> v = readNumber(str(text(c.field)->text()));
            const double converted = v ? (english ? c.toEnglish(*v) : c.toMetric(*v)) : 0;
            if (v && std::isfinite(converted)) {
                text(c.field)->setText(qs(FormatInputValue(converted)));
            }
        }
    }
    clearFileName();
}

void frmCalc::Option3_Click() {
    m_state.record.DRAFT = m_draft[0]->isChecked();
    clearFileName();
}

void frmCalc::Combo1_Click() {
    m_state.FLUIDCHOSEN = true;
    if (m_state.INTERACTIVE != 1) {
        return;
    }
    const int index = m_fluids->currentIndex();
    const std::optional<std::size_t> s = selectedService();
    if (s && index >= 0) {
        const std::optional<CoefficientTexts> texts =
            coefficientTexts(static_cast<Service>(*s), static_cast<std::size_t>(index),
                             m_state.userFluids.coefficient, isTrue(m_state.record.ENGLISH));
        if (texts) {
            text(1)->setText(qs(texts->lower));
            text(2)->setText(qs(texts->upper));
            text(3)->setText(qs(texts->used));
        }
    }
    clearFileName();
    if (s && m_state.userFluids.FLUIDDIALOGREADY == 1 &&
        static_cast<std::size_t>(index) + 1 == fluidListSize(static_cast<Service>(*s))) {
        showUserFluidDialog(*s);
    }
}

void frmCalc::Combo2_Click() {
    const int index = m_materials->currentIndex();
    if (index >= 0) {
        m_state.record.MATERIALFACTOR = materialFactor(static_cast<std::size_t>(index));
        m_state.record.MATERIAL = str(m_materials->currentText());
    }
    clearFileName();
}

void frmCalc::suggestRows() {
    const std::optional<double> hotIn = readNumber(str(text(6)->text()));
    const std::optional<double> hotOut = readNumber(str(text(7)->text()));
    const std::optional<double> airIn = readNumber(str(text(5)->text()));
    const std::optional<double> coefficient = readNumber(str(text(3)->text()));
    if (!hotIn || !hotOut || !airIn || !coefficient) {
        return; // a number too large to read: the rows field stays as it is
    }
    const std::optional<RowChoice> rows =
        RecommendRows(m_state.record, *hotIn, *hotOut, *airIn, *coefficient);
    text(8)->setText(rows ? QString::number(rows->rows) : QString());
}

void frmCalc::Text3_Change() {
    if (m_state.INTERACTIVE == 1) {
        const std::optional<double> used = readNumber(str(text(3)->text()));
        if (m_state.FLUIDCHOSEN && used && *used > 0) {
            suggestRows();
        } else if (used) {
            text(8)->setText(QStringLiteral(" "));
        }
    }
    clearFileName();
}

void frmCalc::TemperatureChange() {
    if (m_state.INTERACTIVE == 1) {
        suggestRows();
    }
    clearFileName();
}

// The user-defined fluid of a service: the dialog, then its entry applied.
void frmCalc::showUserFluidDialog(std::size_t service) {
    UserFluids& u = m_state.userFluids;
    const Service s = static_cast<Service>(service);
    const QString entry = qs(u.entry[service]);
    const QString prefix = QString::fromUtf8(serviceInfo(s).userPrefix);
    if (entry.size() >= prefix.size()) {
        u.USERFLUIDNAME = str(entry.mid(prefix.size()));
    }
    if (u.coefficient[service] > 0) {
        u.USERFLUIDU = u.coefficient[service];
    }
    {
        frmFluid dialog(m_state, m_platform, this);
        dialog.exec();
    }
    if (u.FLUIDDIALOGREADY == 0) {
        u.entry[service] = userEntryText(s, u.USERFLUIDNAME);
        u.USERFLUIDNAME.clear();
        u.coefficient[service] = u.USERFLUIDU;
        u.USERFLUIDU = 0;
        const int last = m_fluids->count() - 1;
        m_fluids->removeItem(last);
        m_fluids->addItem(qs(u.entry[service]));
        m_fluids->setCurrentIndex(m_fluids->count() - 1);
        Combo1_Click();
    } else {
        m_fluids->setCurrentIndex(0);
        Combo1_Click();
    }
    u.FLUIDDIALOGREADY = 1;
    m_fluids->update();
}

void frmCalc::openPriceDialog() {
    frmPrice dialog(m_state, m_platform, this);
    dialog.exec();
}

// ---------------------------------------------------------------------------
// Keys, mouse and focus.

bool frmCalc::previewKey(QKeyEvent* key) {
    if (isEnter(key)) {
        m_platform.moveFocusOn(this);
        return true;
    }
    if (isCtrlP(key)) {
        openPriceDialog();
        return true;
    }
    return false;
}

bool frmCalc::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = typesCharacter(key);
        const bool handled = previewKey(key);
        for (int n : {1, 2, 4, 9, 10, 11, 12}) {
            if (watched == text(n) && typed) {
                clearFileName();
            }
        }
        return handled;
    }
    case QEvent::MouseButtonPress:
        if (watched == text(8)) {
            m_state.record.ROWSFIXED = true;
            clearFileName();
        }
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            focusCheckedOption(watched, reason)) {
            return true;
        }
        for (QRadioButton* b : m_service) {
            if (watched != b) {
                continue;
            }
            switch (reason) {
            case Qt::MouseFocusReason:
                m_dropDownAfterClick = true;
                break;
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
            case Qt::OtherFocusReason:
                m_platform.openDropDown(m_fluids);
                break;
            default:
                break; // back from a pop-up or another window
            }
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Tab and Enter into a group of options land on the selected one, so that
// Space there does not change the selection by accident.
bool frmCalc::focusCheckedOption(QObject* watched, Qt::FocusReason reason) {
    const auto redirect = [&](auto& group) {
        const auto hit = std::find(group.begin(), group.end(), watched);
        if (hit == group.end() || (*hit)->isChecked()) {
            return false;
        }
        for (QRadioButton* b : group) {
            if (b->isChecked()) {
                b->setFocus(reason);
                return true;
            }
        }
        return false;
    };
    return redirect(m_units) || redirect(m_service) || redirect(m_draft);
}

void frmCalc::keyPressEvent(QKeyEvent* event) {
    if (!previewKey(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

void frmCalc::closeEvent(QCloseEvent* event) {
    m_state.record.COSTUSER = 0;
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Commands.

void frmCalc::Calculate_Output() {
    PlatformMessages messages(m_platform, this);
    SheetEntries entries = sheetEntries(sheetState());
    if (keld::Calculate_Output(entries, m_state.record, messages)) {
        m_flow.hideCalc();
        m_flow.openReport();
    }
}

void frmCalc::Instruction() {
    m_state.tutorial.PageSet = "Instructions";
    m_flow.hideCalc();
    m_flow.openPages();
}

void frmCalc::show_Tutorial() {
    m_flow.closeCalc();
    m_state.tutorial.PageSet = "Brochure";
    m_flow.openPages();
}

} // namespace keld::app
