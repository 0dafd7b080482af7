#include "sheet/frm_calc.h"

#include "catalogue/catalogue.h"
#include "engine/validation.h"
#include "planning/plan.h"
#include "platform/atomic_save.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "sheet/frm_fluid.h"
#include "sheet/frm_options.h"
#include "sheet/frm_price.h"
#include "sheet/sheet_keys.h"
#include "window_flow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace keld::app {

namespace {

// The messages of a run kept to be shown, or not, afterwards.
class RecordedMessages : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon icon) override {
        messages.emplace_back(std::string(text), icon);
    }
    std::vector<std::pair<std::string, MessageIcon>> messages;
};

const QString kIniFilter = QStringLiteral("Ini Files (*.ini)");

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Selects the option at `index` of a group (none: no option), without the
// options' signals.
template <std::size_t N>
void checkOption(const std::array<QRadioButton*, N>& buttons, std::optional<std::size_t> index) {
    for (QRadioButton* b : buttons) {
        const QSignalBlocker blocked(b);
        b->setAutoExclusive(false);
        b->setChecked(index && *index < N && buttons[*index] == b);
        b->setAutoExclusive(true);
    }
}

} // namespace

frmCalc::frmCalc(AppState& state, Platform& platform, WindowFlow& flow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow),
      m_recent(state.settingsFile) {
    setObjectName(QStringLiteral("frmCalc"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Calculation"));
    m_controls = buildCalcControls(this);
    for (const Material& m : materials()) {
        m_controls.materials->addItem(QString::fromUtf8(m.name));
    }
    connectControls();
    showRecentFiles();
    Form_Load(Sheet::Start::NewWindow);
    adjustSize();
    centreOnScreen(this);
}

void frmCalc::connectControls() {
    CalcControls& c = m_controls;
    for (const Field f : kFields) {
        connect(c.text[f], &QLineEdit::textEdited, this,
                [this, f](const QString& text) { apply(sheet().type(f, text.toStdString())); });
    }
    for (std::size_t i = 0; i < c.service.size(); ++i) {
        connect(c.service[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                apply(sheet().chooseService(i));
            }
        });
    }
    for (std::size_t i = 0; i < c.units.size(); ++i) {
        connect(c.units[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                apply(sheet().chooseUnits(i == 0 ? UnitSystem::English : UnitSystem::Metric));
            }
        });
    }
    for (std::size_t i = 0; i < c.draft.size(); ++i) {
        connect(c.draft[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                apply(sheet().chooseDraft(i == 0));
            }
        });
    }
    connect(c.fluids, &QComboBox::activated, this,
            [this](int i) { apply(sheet().chooseFluid(static_cast<std::size_t>(i))); });
    connect(c.materials, &QComboBox::activated, this,
            [this](int i) { apply(sheet().chooseMaterial(static_cast<std::size_t>(i))); });
    connect(c.calculate, &QPushButton::clicked, this, [this] { Calculate_Output(); });

    connect(c.open, &QAction::triggered, this, [this] { load_file(); });
    connect(c.save, &QAction::triggered, this, [this] { save_file(); });
    for (std::size_t i = 0; i < c.recent.size(); ++i) {
        connect(c.recent[i], &QAction::triggered, this, [this, i] { openRecentFile(i); });
    }
    // Another run of the program may have opened or saved files meanwhile.
    connect(c.file, &QMenu::aboutToShow, this, [this] { showRecentFiles(); });
    connect(c.exit, &QAction::triggered, this, [this] {
        if (!mayDiscardCase()) {
            return;
        }
        m_discardAllowed = true;
        m_flow.closeCalc();
        m_flow.exitProgram();
    });
    connect(c.calculateMenu, &QAction::triggered, this, [this] { Calculate_Output(); });
    connect(c.instructions, &QAction::triggered, this, [this] { Instruction(); });
    connect(c.reset, &QAction::triggered, this, [this] { Reset_Form(); });
    connect(c.tutorial, &QAction::triggered, this, [this] { show_Tutorial(); });
    connect(c.options, &QAction::triggered, this, [this] { openOptions(); });
    connect(c.alternatives, &QAction::triggered, this, [this] { alternatives(); });
    connect(c.about, &QAction::triggered, this, [this] { m_flow.openAbout(); });

    SheetKeys::Hooks hooks;
    hooks.price = [this] { openPriceDialog(); };
    hooks.typed = [this](QObject* control) {
        if (const std::optional<Field> f = m_controls.fieldOf(control)) {
            apply(sheet().keyTyped(*f));
        }
    };
    hooks.pressed = [this](QObject* control) {
        if (control == m_controls.text[Field::Rows]) {
            apply(sheet().clickRows());
        }
    };
    m_keys = new SheetKeys(this, m_platform, c.tabOrder, {c.units, c.service, c.draft, c.fluids},
                           std::move(hooks));
}

// ---------------------------------------------------------------------------
// The view.

void frmCalc::display(const SheetChanges& changes) {
    const Sheet& s = sheet();
    CalcControls& c = m_controls;
    for (const Field f : kFields) {
        const QString text = qs(s.text(f));
        // The field the user types into keeps its cursor: it already shows its text.
        if (changes.text[f] && c.text[f]->text() != text) {
            const QSignalBlocker blocked(c.text[f]);
            c.text[f]->setText(text);
        }
    }
    if (changes.service) {
        checkOption(c.service, s.service());
    }
    if (changes.units) {
        checkOption(c.units, s.units() == UnitSystem::English ? 0U : 1U);
        for (const auto& [caption, label] : c.captions) {
            label->setText(QString::fromUtf8(unitCaption(caption, s.units())));
        }
        // What the calculation accepts, in the units shown.
        for (const EntryCheck& check : entryChecks()) {
            c.text[check.field]->setToolTip(qs(acceptedRangeText(check, s.units())));
        }
    }
    if (changes.draft) {
        checkOption(c.draft, s.forced() ? 0U : 1U);
    }
    if (changes.fluidList || changes.fluid) {
        const QSignalBlocker blocked(c.fluids);
        if (changes.fluidList) {
            c.fluids->clear();
            for (const std::string& e : s.fluidList()) {
                c.fluids->addItem(qs(e));
            }
        }
        c.fluids->setCurrentIndex(s.fluid() ? static_cast<int>(*s.fluid()) : -1);
    }
    if (changes.material) {
        const QSignalBlocker blocked(c.materials);
        c.materials->setCurrentIndex(s.material() ? static_cast<int>(*s.material()) : -1);
    }
    if (changes.fileName) {
        setWindowTitle(qs(s.caption(m_state.ConfigPath)));
        update();
    }
}

void frmCalc::apply(const SheetChanges& changes) {
    display(changes);
    if (!changes.userFluidDialog) {
        return;
    }
    const std::size_t service = *changes.userFluidDialog;
    {
        frmFluid dialog(sheet(), m_platform, sheet().beginUserFluid(service), this);
        dialog.exec();
    }
    apply(sheet().endUserFluid(service));
}

// ---------------------------------------------------------------------------
// Start-up and Reset.

void frmCalc::Form_Load(Sheet::Start kind) {
    BusyPointer busy;
    ArrowMessages messages(m_platform, this);
    display(sheet().startUp(m_state.ProgramFolder, messages, kind));
}

void frmCalc::Reset_Form() {
    if (mayDiscardCase()) {
        Form_Load(Sheet::Start::Reset);
    }
}

bool frmCalc::mayDiscardCase() {
    if (!sheet().hasUnsavedChanges()) {
        return true;
    }
    switch (m_platform.askToSave(this, QString::fromUtf8(kUnsavedChangesQuestion))) {
    case Platform::SaveChoice::Save:
        return save(true);
    case Platform::SaveChoice::Discard:
        return true;
    case Platform::SaveChoice::Cancel:
        break;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Project files.

QString frmCalc::filesFolder() const {
    return qs(m_state.ProgramFolder) + QStringLiteral("/Files");
}

void frmCalc::load_file() {
    if (!mayDiscardCase()) {
        return;
    }
    if (const std::optional<QString> chosen =
            m_platform.getOpenFileName(this, filesFolder(), kIniFilter)) {
        openFile(*chosen);
    }
}

void frmCalc::openFile(const QString& path) {
    SheetChanges changes;
    if (const std::optional<OpenFailure> failure = sheet().open(path.toStdString(), &changes)) {
        // The first line as it always was, then why.
        QString why = qs(describe(*failure));
        why[0] = why[0].toUpper();
        m_platform.showMessage(this,
                               QStringLiteral("Could not load the file ") + path +
                                   QLatin1Char('\n') + why + QLatin1Char('.'),
                               MessageIcon::None);
        return;
    }
    display(changes);
    m_recent.add(path);
    showRecentFiles();
}

void frmCalc::openRecentFile(std::size_t index) {
    const QStringList& files = m_recent.files();
    if (index >= static_cast<std::size_t>(files.size())) {
        return;
    }
    const QString path = files[static_cast<qsizetype>(index)];
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        showRecentFiles();
        m_platform.showMessage(this,
                               QStringLiteral("Could not load the file ") + path +
                                   QStringLiteral("\nIt no longer exists and was taken off the "
                                                  "list of recent files."),
                               MessageIcon::None);
        return;
    }
    if (mayDiscardCase()) {
        openFile(path);
    }
}

void frmCalc::showRecentFiles() {
    const QStringList& files = m_recent.files();
    CalcControls& c = m_controls;
    for (std::size_t i = 0; i < c.recent.size(); ++i) {
        const auto at = static_cast<qsizetype>(i);
        c.recent[i]->setVisible(at < files.size());
        if (at < files.size()) {
            c.recent[i]->setText(RecentFiles::menuText(at, files[at]));
            c.recent[i]->setStatusTip(QDir::toNativeSeparators(files[at]));
        }
    }
    c.recentEnd->setVisible(!files.isEmpty());
}

bool frmCalc::save_file() {
    return save(false);
}

bool frmCalc::save(bool fromQuestion) {
    const std::optional<QString> chosen =
        m_platform.getSaveFileName(this, filesFolder(), kIniFilter);
    if (!chosen) {
        if (!fromQuestion) {
            display(sheet().saveCancelled());
        }
        return false;
    }
    bool lossy = false;
    if (!saveFileAtomically(*chosen, sheet().projectFile(&lossy))) {
        m_platform.showMessage(this, QStringLiteral("Could not save the data in file ") + *chosen,
                               MessageIcon::None);
        return false;
    }
    display(sheet().saved(chosen->toStdString()));
    m_recent.add(*chosen);
    showRecentFiles();
    if (lossy) {
        m_platform.showMessage(
            this,
            QStringLiteral(
                "Some characters cannot be kept in a project file and were saved as \"?\"."),
            MessageIcon::Exclamation);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Keys, dialogs and commands.

void frmCalc::openOptions() {
    frmOptions dialog(m_state.planning, sheet().units(), m_platform, this);
    if (dialog.exec() == QDialog::Accepted) {
        saveOptions(m_state.settingsFile, m_state.planning);
    }
}

void frmCalc::openPriceDialog() {
    frmPrice dialog(sheet(), m_platform, this);
    dialog.exec();
}

void frmCalc::keyPressEvent(QKeyEvent* event) {
    if (!m_keys->preview(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

void frmCalc::closeEvent(QCloseEvent* event) {
    if (!m_discardAllowed && !mayDiscardCase()) {
        event->ignore();
        return;
    }
    sheet().clearUserPrice();
    QMainWindow::closeEvent(event);
}

void frmCalc::Calculate_Output() {
    PlatformMessages messages(m_platform, this);
    SheetChanges changes;
    const bool ok = sheet().calculate(messages, &changes);
    display(changes);
    if (ok) {
        m_flow.hideCalc();
        m_flow.openReport(sheet().record(), planning::planCase(sheet().record(), m_state.planning));
    }
}

void frmCalc::alternatives() {
    // The sheet's own checks first, on a copy: a case that fails shows its
    // message as Calculate would, and no sweep starts.
    Sheet trial = sheet();
    RecordedMessages recorded;
    if (!trial.calculate(recorded)) {
        PlatformMessages messages(m_platform, this);
        for (const auto& [text, icon] : recorded.messages) {
            messages.showMessage(text, icon);
        }
        return;
    }
    m_flow.hideCalc();
    m_flow.openAlternatives();
}

void frmCalc::showEvent(QShowEvent* event) {
    // A window that changed the sheet while it was hidden (an alternative
    // taken from the design space) is shown afresh.
    display(SheetChanges::everything());
    QMainWindow::showEvent(event);
}

void frmCalc::Instruction() {
    m_state.tutorial.PageSet = "Instructions";
    m_flow.hideCalc();
    m_flow.openPages();
}

void frmCalc::show_Tutorial() {
    // Closing the sheet gives its case up: a new sheet starts on the default case.
    if (!mayDiscardCase()) {
        return;
    }
    m_discardAllowed = true;
    m_flow.closeCalc();
    m_state.tutorial.PageSet = "Brochure";
    m_flow.openPages();
}

} // namespace keld::app
