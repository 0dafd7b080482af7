// A seeded soak of the whole program: random user actions over every window
// and dialog (the Options, the Alternatives and Save as PDF among them), each
// answered either way. After every action no field, table cell or report
// shows NaN or infinity and no dialog is left open; now and then the default
// case gets one random entry, and Calculate opens a report or refuses with a
// message that names the field. KELD_SOAK_SEED=<seed> runs (or replays)
// another seed than the fixed one, KELD_SOAK_ACTIONS=<n> another count.

#include "harness.h"

#include "alternatives/frm_alternatives.h"

#include <random>

namespace {

// What a user may type: proper values, edge values and junk ("NaN" typed
// is the user's own text, so it is not typed here).
const QStringList kTyped = QString("|0|-0|12.5|95|180|5|30|-40|750|1 2|1e400|-1e400|1e-400|&HFFFF|"
                                   "&O17|1e308|4.9e-324|abc|12,5|$20|999.996|Caf\u00e9|<TEXT1>")
                               .split('|');

// The field and how a refusal names it: its own name, one it is checked against
// (the temperatures and the duty), or the rows that its entry suggests afresh.
const std::map<QString, QStringList> kRefusalNames = {
    {"Text3", {"Overall Heat Transfer Coefficient (Item 3)", "Tube Rows (Item 6)"}},
    {"Text4", {"Project Title (Item 1)"}},
    {"Text5", {"(Item 5)", "Inlet Air Temperature (Item 6)", "Tube Rows (Item 6)"}},
    {"Text6", {"(Item 5)", "Tube Rows (Item 6)"}},
    {"Text7", {"(Item 5)", "Tube Rows (Item 6)"}},
    {"Text8", {"Tube Rows (Item 6)"}},
    {"Text10", {"Price Multiplication Factor (Item 6)"}},
    {"Text11", {"Tube Length (Item 6)"}},
    {"Text12", {"(Item 5)"}}};

// The items of each window, the first one of those that may end the program.
const std::map<QString, QString> kItems = {
    {"cover", "MainMenu1_1,MainMenu_2,MainMenu_3,MainMenu_3,MainMenu_4"},
    {"pages", "PageMenu1_1,PageMenu_2,PageMenu_3,PageMenu_4,PageMenu_5,PageMenu_6"},
    {"zoom", "close,GraphMenu"},
    {"about", "close,cmdOK,deactivate"},
    {"report", "OutMenu_4,OutMenu_2,OutMenu1_2,OutMenu_3,close"},
    {"calc",
     "CalcMenu1_3,CalcMenu_2,CalcMenu_3,CalcMenu_4,CalcMenu_5,CalcMenu_6,CalcMenu_7,CalcMenu_8"},
    {"alternatives", "cmdClose,close,cmdSweep,cmdCancel,cmdExport,chkAllMaterials,chkUsualOnly,"
                     "cboRank=Evaluated cost,cboRank=Sound pressure,txtFrom,txtTo,txtStep"}};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomUserActions() {
        const std::uint64_t seed = qEnvironmentVariable("KELD_SOAK_SEED", "20261206").toULongLong();
        const int actions = qEnvironmentVariable("KELD_SOAK_ACTIONS", "2500").toInt();
        QTemporaryDir files; // what File, Open and Save are pointed at
        writeFile(files.filePath("case.ini"), readFile(kDefaultCase));
        QVERIFY(QDir(files.path()).mkpath("folder.ini"));
        m_rng.seed(seed);
        m_files = files.path();
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [this] { answerModal(); });
        watch.start(0);
        for (int i = 0; i < actions; ++i) {
            const QString fault = step();
            const QString where = QString("KELD_SOAK_SEED=%1, action %2 (%3): ").arg(seed).arg(i);
            QVERIFY2(fault.isEmpty(), qPrintable(where.arg(m_last) + fault));
        }
        qInfo("soak: seed %llu, %d actions, %d reports opened, %d refusals seen",
              static_cast<unsigned long long>(seed), actions, m_reports, m_refusals);
        QVERIFY(m_reports > 0 && m_refusals > 0);
    }

  private:
    // One action on one of the visible windows; a fault found, or none.
    QString step() {
        QStringList windows =
            m_program ? m_program->look("windows").section('/', 0, 0).split(' ', Qt::SkipEmptyParts)
                      : QStringList(); // the visible ones
        if (windows.isEmpty() || m_program->platform.endCount > 0) {
            m_program.reset();
            settle();
            m_program = std::make_unique<Program>();
            m_program->startOnCover();
            windows = QStringList{"cover"};
        }
        const QString w = windows[pick(windows.size())];
        if (w == "calc" && chance(4)) {
            return probe();
        }
        m_program->platform.answers["ask"] =
            QStringList{"save", "discard", "cancel"}.mid(pick(3), 1);
        if (w == "calc" && chance(2)) {
            sheet();
        } else {
            const QStringList items = kItems.at(w).split(',');
            const QString item = chance(40) ? items[0] : items[1 + pick(items.size() - 1)];
            // Print, Save as PDF and Export: a file, a folder, or cancelled.
            act("print:" + file({"r.pdf", "cancel"}));
            act("save:" + file({"r.pdf", "a.csv", "folder.ini", "cancel"}));
            act(w + ":" + item + (item.startsWith("txt") ? "=" + typed() : QString()));
            m_program->platform.answers["print"].clear();
            m_program->platform.answers["save"].clear();
        }
        return fault();
    }
    int pick(qsizetype n) {
        return static_cast<int>(std::uniform_int_distribution<qsizetype>(0, n - 1)(m_rng));
    }
    bool chance(int oneIn) { return pick(oneIn) == 0; }
    QString typed() {
        return chance(4) ? QString::number(std::uniform_real_distribution(-50.0, 800.0)(m_rng), 'g',
                                           1 + pick(8))
                         : kTyped[pick(kTyped.size())];
    }
    QString file(const QStringList& names) { // in the soak's folder, or "cancel"
        const QString name = names[pick(names.size())];
        return name == "cancel" ? name : m_files + "/" + name;
    }
    void act(const QString& step) {
        m_last = step;
        auto* item = m_program->control<QAction>(step.section(':', 0, 0), step.section(':', 1));
        if (item == nullptr || item->isEnabled()) {
            m_program->act(step);
        }
    }

    void sheet() {
        const int what = pick(10);
        if (what < 5) {
            act(QString("calc:Text%1=").arg(1 + pick(12)) + typed());
        } else if (what < 7) {
            act(QString("calc:Option%1_%2").arg(1 + pick(3)).arg(pick(2)));
        } else if (what == 7) {
            const auto* list =
                m_program->control<QComboBox>("calc", chance(2) ? "Combo1" : "Combo2");
            if (list->count() > 0) { // the last fluid is the user-defined one: its dialog opens
                act("calc:" + list->objectName() + "=" +
                    list->itemText(chance(3) ? list->count() - 1 : pick(list->count())));
            }
        } else if (what == 8) {
            act("calc:Text4 Ctrl+P");
        } else { // File, Open or Save: a file, none, a folder, or cancelled
            const bool open = chance(2);
            act((open ? "open:" : "save:") +
                file({"case.ini", "none.ini", "folder.ini", "cancel"}));
            act(open ? "calc:CalcMenu1_1" : "calc:CalcMenu1_2");
        }
    }

    // From the default case, one field typed, Calculate.
    QString probe() {
        m_program->platform.answers["ask"].clear(); // Reset discards what was typed
        act("calc:CalcMenu_4");
        if (chance(3)) {
            act("calc:Option2_1");
        }
        const auto field = std::next(kRefusalNames.begin(), pick(kRefusalNames.size()));
        const QString typing = "calc:" + field->first + "=" + typed();
        act(typing);
        const qsizetype before = m_program->platform.messages.size();
        act("calc:Command1");
        const QStringList shown = m_program->platform.messages.mid(before);
        if (m_program->window("report") != nullptr) {
            ++m_reports;
            return shown.value(0) == "All calculation completed without error." ? fault()
                                                                                : "no completion";
        }
        ++m_refusals;
        const auto named = [&](const QString& name) { return shown.value(0).contains(name); };
        return std::any_of(field->second.begin(), field->second.end(), named)
                   ? fault()
                   : typing + ": no report, and the message does not name the field: " +
                         shown.join(" | ");
    }

    // Every field and text box of every window, and the table of each
    // sweep, shows only numbers that are numbers; no dialog is left open.
    QString fault() {
        static const QRegularExpression nonFinite("\\b(nan|inf|infinity)\\b",
                                                  QRegularExpression::CaseInsensitiveOption);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (QWidget* c : top->findChildren<QWidget*>()) {
                const char* text = qobject_cast<QPlainTextEdit*>(c) ? "plainText" : "text";
                QStringList shown{c->property(text).toString()};
                const auto* table = qobject_cast<QTableView*>(c);
                const auto* sweep = qobject_cast<frmAlternatives*>(top);
                const bool fresh = table != nullptr && sweep != nullptr &&
                                   sweep->result() != std::exchange(m_scanned, sweep->result());
                for (int row = 0; fresh && row < table->model()->rowCount(); ++row) {
                    for (int column = 0; column < table->model()->columnCount(); ++column) {
                        shown << table->model()->index(row, column).data().toString();
                    }
                }
                if (nonFinite.match(shown.join('|')).hasMatch()) {
                    return c->objectName() + " shows NaN or infinity";
                }
            }
        }
        QWidget* modal = QApplication::activeModalWidget();
        return modal != nullptr ? "a dialog stayed open: " + modal->objectName() : QString();
    }

    // Whatever modal dialog is open is answered, either way (the Options now
    // and then with their defaults); one that an OK refused is cancelled then.
    void answerModal() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            for (auto* e : modal->findChildren<QLineEdit*>()) {
                e->setText(chance(2) ? typed() : e->text());
            }
            m_last += " / " + modal->objectName();
            for (const char* name : {chance(3) ? "Command3" : "none", // the Options' Defaults
                                     chance(3) ? "Command2" : "Command1", "Command2"}) {
                auto* button = modal->findChild<QPushButton*>(name);
                if (button != nullptr && modal->isVisible()) {
                    button->click();
                }
            }
        }
    }

    std::mt19937_64 m_rng;
    QString m_files;
    std::unique_ptr<Program> m_program;
    const keld::sweep::Result* m_scanned = nullptr; // the last sweep whose table was looked at
    QString m_last;                                 // the last action
    int m_reports = 0;
    int m_refusals = 0;
};

KELD_TEST_CLASS(SoakTest)
#include "soak_test.moc"
