// A seeded soak of the whole program: thousands of random user actions over
// every window (typing into fields, the options, the lists, both dialogs
// answered either way, Calculate, the report, the tutorial and instructions,
// zoom, About, File Open and Save, Exit), with the platform double answering
// message boxes and file dialogs. After every action no field and no report
// may show NaN or infinity, and no dialog may stay open.
//
// The seed is printed first; KELD_SOAK_SEED=<seed> replays a run and
// KELD_SOAK_ACTIONS=<n> sets its length.

#include "app_state.h"
#include "shell/app_windows.h"
#include "shell_test_support.h"
#include "test_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <memory>
#include <random>

using namespace keld::app;
using namespace keld::app::test;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDefaultActions = 2500; // the sanitizers make each action several times slower
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kDefaultActions = 2500;
#else
constexpr int kDefaultActions = 10000;
#endif
#else
constexpr int kDefaultActions = 10000;
#endif

// What a user may type into a field: proper values, edge values and junk
// ("NaN" typed by the user is the user's own text, so it is not typed here).
const QStringList kTyped = {"",
                            "0",
                            "-0",
                            "12.5",
                            "95",
                            "180",
                            "120",
                            "5",
                            "30",
                            "100",
                            "1",
                            "-40",
                            "750",
                            "3",
                            "10",
                            "1 2",
                            "1e400",
                            "-1e400",
                            "1e-400",
                            "&HFFFF",
                            "&HFFFFFFFF",
                            "&H7FFF",
                            "&O17",
                            "1.7976931348623157e308",
                            "-1.7976931348623157e308",
                            "4.9e-324",
                            "1e-300",
                            "abc",
                            "12,5",
                            "$20",
                            "0.99996",
                            "9.99996",
                            "999.996",
                            "1e308",
                            "-1e308",
                            QString(400, '9'),
                            "Caf\u00e9 \u0081",
                            "<TEXT1>",
                            "x<!TITLE$>"};

bool showsNonFinite(const QString& text) {
    static const QRegularExpression word(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return word.match(text).hasMatch();
}

// Types text as key presses, characters beyond ASCII included.
void typeInto(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
            QTest::keyClick(w, static_cast<char>(ch.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

struct Program {
    explicit Program(const QString& folder) {
        state.ProgramFolder = folder.toStdString();
        state.ConfigPath = keld::configPathIn(state.ProgramFolder);
        windows.start();
        settle();
    }
    AppState state;
    TestPlatform platform;
    AppWindows windows{state, platform};
};

class Soak {
  public:
    Soak(std::uint64_t seed, const QString& files) : m_rng(seed), m_files(files) {
        // Answers whatever modal dialog is open, once, either way.
        m_watch.setInterval(0);
        QObject::connect(&m_watch, &QTimer::timeout, [this] { answerModal(); });
        m_watch.start();
    }

    void restart() {
        m_program.reset();
        settle();
        m_program = std::make_unique<Program>(QStringLiteral(KELD_PROGRAM_DIR));
        ++m_restarts;
    }

    int restarts() const { return m_restarts; }
    int dialogsAnswered() const { return m_dialogs; }
    int reportsOpened() const { return m_reports; }
    const QString& lastAction() const { return m_last; }

    // One action on one of the visible windows; false when it showed a
    // number that is none.
    void step() {
        if (!m_program || m_program->platform.endCount > 0 || visibleWindows().isEmpty()) {
            restart();
        }
        const QList<QWidget*> windows = visibleWindows();
        QWidget* w = windows[pick(windows.size())];
        const QString name = w->objectName();
        if (name == "frmBrochure") {
            menu(w, {"MainMenu_2", "MainMenu_3", "MainMenu_3", "MainMenu_4"},
                 {"MainMenu1_1", "close"});
        } else if (name == "frmCalc") {
            sheet(w);
        } else if (name == "frmCalcOutput") {
            report(w);
        } else if (name == "frmPages") {
            menu(w,
                 {"PageMenu_2", "PageMenu_3", "PageMenu_4", "PageMenu_4", "PageMenu_5",
                  "PageMenu_6"},
                 {"PageMenu1_1", "close"});
        } else if (name == "frmGraphFile") {
            menu(w, {"GraphMenu", "close"});
        } else if (name == "frmAbout") {
            if (chance(2)) {
                auto* ok = w->findChild<QPushButton*>("cmdOK");
                m_last = "about cmdOK";
                if (ok) {
                    ok->click();
                }
            } else {
                menu(w, {"close", "deactivate"});
            }
        } else {
            menu(w, {"close"});
        }
        settle();
        QWidget* report = m_program->windows.report();
        if (report != nullptr && report != m_lastReport) {
            ++m_reports;
        }
        m_lastReport = report;
    }

    // Every field, label and text box of every window shows only numbers
    // that are numbers; no dialog is left open.
    QString fault() const {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (auto* e : top->findChildren<QLineEdit*>()) {
                if (showsNonFinite(e->text())) {
                    return top->objectName() + "." + e->objectName() + " shows " + e->text();
                }
            }
            for (auto* t : top->findChildren<QPlainTextEdit*>()) {
                if (showsNonFinite(t->toPlainText())) {
                    return top->objectName() + "." + t->objectName() + " shows NaN or infinity";
                }
            }
        }
        if (QApplication::activeModalWidget() != nullptr) {
            return "a modal dialog stayed open: " + QApplication::activeModalWidget()->objectName();
        }
        return {};
    }

  private:
    int pick(qsizetype n) {
        return static_cast<int>(std::uniform_int_distribution<qsizetype>(0, n - 1)(m_rng));
    }
    bool chance(int oneIn) { return pick(oneIn) == 0; }
    QString typed() {
        if (chance(4)) {
            // A number of a random size, as a user might mean one.
            const double v = std::uniform_real_distribution<double>(-50, 800)(m_rng);
            return QString::number(v, 'g', 1 + pick(8));
        }
        return kTyped[pick(kTyped.size())];
    }

    QList<QWidget*> visibleWindows() const {
        QList<QWidget*> list;
        const AppWindows& w = m_program->windows;
        for (QWidget* x : {w.cover(), w.calc(), w.report(), w.pages(), w.zoom(), w.about()}) {
            if (x != nullptr && x->isVisible()) {
                list << x;
            }
        }
        return list;
    }

    // One of the items, or now and then one of those that may end the program.
    void menu(QWidget* w, const QStringList& items, const QStringList& endings = {}) {
        const QStringList& from = !endings.isEmpty() && chance(30) ? endings : items;
        const QString item = from[pick(from.size())];
        m_last = w->objectName() + " " + item;
        if (item == "close") {
            w->close();
        } else if (item == "deactivate") {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(w, &deactivate);
        } else {
            trigger(w, item);
        }
    }

    void sheet(QWidget* w) {
        const int what = pick(20);
        if (what < 8) {
            auto* e = w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(1 + pick(12)));
            const QString value = typed();
            m_last = "frmCalc type \"" + value.left(20) + "\" into " + e->objectName();
            e->setFocus();
            e->selectAll();
            if (value.isEmpty()) {
                QTest::keyClick(e, Qt::Key_Backspace);
            } else {
                typeInto(e, value);
            }
            if (chance(4)) {
                QTest::keyClick(e, Qt::Key_Return);
            }
        } else if (what < 11) {
            static const QStringList options = {"Option1_0", "Option1_1", "Option1_2", "Option2_0",
                                                "Option2_1", "Option3_0", "Option3_1"};
            const QString o = options[pick(options.size())];
            m_last = "frmCalc click " + o;
            if (auto* b = w->findChild<QRadioButton*>(o)) {
                b->click();
            }
        } else if (what < 14) {
            const QString c = chance(2) ? "Combo1" : "Combo2";
            auto* combo = w->findChild<QComboBox*>(c);
            if (combo != nullptr && combo->count() > 0) {
                // The last fluid is the user-defined one: its dialog opens.
                const int i = chance(3) ? combo->count() - 1 : pick(combo->count());
                m_last = "frmCalc choose " + c + " " + combo->itemText(i);
                combo->setCurrentIndex(i);
                emit combo->activated(i);
            }
        } else if (what < 16) {
            m_last = "frmCalc Calculate";
            if (auto* b = w->findChild<QPushButton*>("Command1"); b != nullptr && chance(2)) {
                b->click();
            } else {
                trigger(w, "CalcMenu_2");
            }
        } else if (what == 16) {
            m_last = "frmCalc Ctrl+P";
            QWidget* focus = w->focusWidget() != nullptr ? w->focusWidget() : w;
            QTest::keyClick(focus, Qt::Key_P, Qt::ControlModifier);
        } else if (what == 17) {
            fileAction(w);
        } else {
            menu(w, {"CalcMenu_3", "CalcMenu_4", "CalcMenu_5", "CalcMenu_6"},
                 {"CalcMenu1_3", "close"});
        }
    }

    void fileAction(QWidget* w) {
        TestPlatform& p = m_program->platform;
        const QStringList targets = {m_files + "/case.ini",
                                     m_files + "/other.ini",
                                     m_files + "/empty.ini",
                                     m_files + "/lf_only.ini",
                                     m_files + "/folder.ini",
                                     m_files + "/missing.ini",
                                     QStringLiteral(KELD_PROGRAM_DIR "/Files/default.ini"),
                                     m_files + "/readonly/case.ini"};
        std::optional<QString> answer;
        if (!chance(5)) {
            answer = targets[pick(targets.size())];
        }
        if (chance(2)) {
            m_last = "frmCalc Open " + answer.value_or("(cancelled)");
            p.openAnswers = {answer};
            trigger(w, "CalcMenu1_1");
        } else {
            // The shipped default case is never overwritten.
            if (answer && answer->startsWith(KELD_PROGRAM_DIR)) {
                answer = m_files + "/case.ini";
            }
            m_last = "frmCalc Save " + answer.value_or("(cancelled)");
            p.saveAnswers = {answer};
            trigger(w, "CalcMenu1_2");
        }
    }

    void report(QWidget* w) {
        if (chance(6)) {
            m_last = "frmCalcOutput Print";
            m_program->platform.printAnswers = {
                chance(3) ? std::optional<QString>(m_files + "/report.pdf") : std::nullopt};
            trigger(w, "OutMenu_2");
            return;
        }
        menu(w, {"OutMenu_3", "close"}, {"OutMenu1_1", "OutMenu_4"});
    }

    void answerModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_answered) {
            return;
        }
        m_answered = modal;
        ++m_dialogs;
        for (auto* e : modal->findChildren<QLineEdit*>()) {
            if (chance(2)) {
                e->setText(typed());
            }
        }
        const QString button = chance(3) ? "Command2" : "Command1";
        m_last += " / " + modal->objectName() + " " + button;
        if (auto* b = modal->findChild<QPushButton*>(button)) {
            b->click();
        }
        // A dialog that an OK refused stays open: the next round cancels it.
        if (button == "Command1") {
            QTimer::singleShot(0, modal, [modal = QPointer<QWidget>(modal), this] {
                if (modal && modal->isVisible()) {
                    if (auto* cancel = modal->findChild<QPushButton*>("Command2")) {
                        m_last += " / then Command2";
                        cancel->click();
                    }
                }
            });
        }
    }

    std::mt19937_64 m_rng;
    QString m_files;
    std::unique_ptr<Program> m_program;
    QTimer m_watch;
    QPointer<QWidget> m_answered;
    QString m_last;
    int m_restarts = 0;
    int m_dialogs = 0;
    int m_reports = 0;
    QPointer<QWidget> m_lastReport;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        // The offscreen platform's notes on every window shown say nothing.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support"))) {
                    previous(type, context, message);
                }
            });
    }

    void randomUserActions() {
        const QByteArray seedText = qgetenv("KELD_SOAK_SEED");
        const std::uint64_t seed =
            seedText.isEmpty() ? static_cast<std::uint64_t>(
                                     std::chrono::steady_clock::now().time_since_epoch().count())
                               : seedText.toULongLong();
        const int actions = qEnvironmentVariableIsSet("KELD_SOAK_ACTIONS")
                                ? qEnvironmentVariableIntValue("KELD_SOAK_ACTIONS")
                                : kDefaultActions;
        qInfo("soak seed: %llu (replay with KELD_SOAK_SEED=%llu), %d actions",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed),
              actions);

        // Files that File, Open and Save are pointed at.
        QTemporaryDir files;
        QVERIFY(files.isValid());
        QDir dir(files.path());
        auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        QFile shipped(QStringLiteral(KELD_PROGRAM_DIR "/Files/default.ini"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray proper = shipped.readAll();
        write("case.ini", proper);
        write("other.ini", QByteArray(proper).replace("LIQUID<OPTION1>", "GAS<OPTION1>"));
        write("empty.ini", {});
        write("lf_only.ini", QByteArray(proper).replace("\r\n", "\n"));
        QVERIFY(dir.mkdir("folder.ini"));
        QVERIFY(dir.mkdir("readonly"));
        write("readonly/case.ini", proper);
        QFile::setPermissions(dir.filePath("readonly"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        Soak soak(seed, files.path());
        for (int i = 0; i < actions; ++i) {
            soak.step();
            const QString fault = soak.fault();
            if (!fault.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                     .arg(seed)
                                     .arg(i)
                                     .arg(soak.lastAction(), fault)));
            }
        }
        qInfo("soak: %d actions, %d program starts, %d reports opened, %d dialogs answered",
              actions, soak.restarts(), soak.reportsOpened(), soak.dialogsAnswered());
        QFile::setPermissions(dir.filePath("readonly"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
