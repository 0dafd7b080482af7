// The calculation sheet driven through its controls. Most cases are rows of
// steps a user takes and what the sheet shows afterwards.

#include "sheet_support.h"

#include "sheet/frm_options.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <map>
#include <sys/resource.h>

using namespace keld::app;
using namespace keld::app::test;

namespace {

// One step of a user at the sheet:
//   "Text6=181"            types into a field, replacing its text
//   "set Text7=abc"        pastes a text over a field's text
//   "click Option3_1"      a mouse click on a control
//   "choose Combo2=Monel"  an entry chosen from a list
//   "key Text4=Ctrl+P"     one key in a control
//   "menu CalcMenu_4"      a menu item
//   "answer A;B;..."       answers the next modal dialog: "Text1=x" fills a
//                          field, "Command1" presses a button while the dialog
//                          is open, "seen Text2" notes what a field shows
//   "open PATH", "save PATH"  the next file dialog's answer
void act(SheetHarness& h, const QString& step, QStringList& seen) {
    const QString verb = step.section(' ', 0, 0);
    const QString rest = step.section(' ', 1);
    const QString name = rest.section('=', 0, 0);
    const QString value = rest.section('=', 1);
    QWidget* w = h.sheet->findChild<QWidget*>(name);
    if (verb == "set") {
        h.paste(name.mid(4).toInt(), value);
    } else if (verb == "click") {
        QTest::mouseClick(w, Qt::LeftButton);
    } else if (verb == "choose") {
        h.choose(name.right(1).toInt(), value);
    } else if (verb == "key") {
        w->setFocus();
        const QKeyCombination key = QKeySequence(value)[0];
        QTest::keyClick(w, key.key(), key.keyboardModifiers());
    } else if (verb == "menu") {
        h.menu(rest)->trigger();
    } else if (verb == "open" || verb == "save") {
        (verb == "open" ? h.platform.openAnswers : h.platform.saveAnswers).push_back(rest);
    } else if (verb == "answer") {
        onModal([actions = rest.split(';'), &seen](QWidget* dialog) {
            for (const QString& a : actions + QStringList{"Command2"}) {
                if (a.startsWith("seen ")) {
                    seen << dialog->findChild<QLineEdit*>(a.mid(5))->text();
                } else if (!dialog->isVisible()) {
                    break;
                } else if (a.contains('=')) {
                    dialog->findChild<QLineEdit*>(a.section('=', 0, 0))->setText(a.section('=', 1));
                } else {
                    dialog->findChild<QPushButton*>(a)->click();
                }
            }
        });
    } else {
        h.type(step.section('=', 0, 0).mid(4).toInt(), step.section('=', 1));
    }
}

// What the sheet shows, by name: a control's text ("Text8", "Label6",
// "Combo1"), "Combo1#" (its entries), "caption", "focus", "messages",
// "calls", "dropDowns", "seen", the record's "ROWSFIXED", "ENGLISH",
// "DRAFT", "COSTUSER", and "entry N" of the user-defined fluids.
QString look(const SheetHarness& h, const QString& what, const QStringList& seen) {
    const keld::SizingCase& r = h.state.sheet.record();
    const std::map<QString, keld::Flag> flags = {
        {"ROWSFIXED", r.ROWSFIXED}, {"ENGLISH", r.ENGLISH}, {"DRAFT", r.DRAFT}};
    const std::size_t n = what.right(1).toUInt();
    if (what == "caption")
        return h.caption();
    if (what == "focus")
        return QApplication::focusWidget()->objectName();
    if (what == "messages")
        return h.platform.texts().join(" | ");
    if (what == "calls")
        return h.flow.calls.join(",");
    if (what == "dropDowns")
        return QString::number(h.platform.dropDowns.size());
    if (what == "seen")
        return seen.join(",");
    if (const auto f = flags.find(what); f != flags.end())
        return f->second ? QString::number(*f->second) : QString("unset");
    if (what == "COSTUSER")
        return QString::number(r.COSTUSER);
    if (what == "PageSet")
        return QString::fromStdString(h.state.tutorial.PageSet);
    if (what.startsWith("entry "))
        return QString::fromStdString(h.state.sheet.userFluids().entry[n]);
    if (what == "Combo1#")
        return QString::number(h.combo(1)->count());
    if (what.startsWith("tip "))
        return h.sheet->findChild<QLineEdit*>(what.mid(4))->toolTip();
    if (what == "filter")
        return h.platform.lastFilter;
    if (auto* b = h.sheet->findChild<QRadioButton*>(what))
        return QString::number(b->isChecked());
    if (auto* c = h.sheet->findChild<QComboBox*>(what))
        return c->currentText();
    if (auto* e = h.sheet->findChild<QLineEdit*>(what))
        return e->text();
    if (auto* l = h.sheet->findChild<QLabel*>(what))
        return l->text();
    return "no such thing: " + what;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write((lines.join("\r\n") + "\r\n").toLatin1()) > 0;
}

// Everything the sheet's window shows, to tell whether a step changed anything.
QString everything(const SheetHarness& h) {
    QString all;
    for (QLineEdit* e : h.sheet->findChildren<QLineEdit*>()) {
        all += e->objectName() + '=' + e->text() + '|';
    }
    for (QRadioButton* b : h.sheet->findChildren<QRadioButton*>()) {
        all += b->isChecked() ? b->objectName() + '|' : QString();
    }
    for (int i = 0; i < h.combo(1)->count(); ++i) {
        all += h.combo(1)->itemText(i) + '|';
    }
    return all + h.combo(1)->currentText() + h.combo(2)->currentText() + h.caption() +
           QString::number(h.state.sheet.userPrice());
}

const QString kRange = "The Overall Heat Transfer Coefficient is out of range.\n";

} // namespace

class SheetTest : public QObject {
    Q_OBJECT

    // Each row: the steps, then what the sheet shows ("name=value").
    static void columns() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
    }
    static void row(const char* name, const QStringList& steps, const QStringList& expected) {
        QTest::newRow(name) << steps << expected;
    }
    static void run() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QTemporaryDir folder;
        SheetHarness h;
        QStringList seen;
        for (const QString& s : steps) {
            act(h, QString(s).replace("$DIR", folder.path()), seen);
        }
        for (const QString& e : expected) {
            const QString name = e.section('=', 0, 0);
            QCOMPARE(name + '=' + look(h, name, seen), QString(e).replace("$DIR", folder.path()));
        }
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The default case: air 95 °F, hot fluid 180 to 120 °F, coefficient 132.5.
    // (The number of rows suggested is the core's to test; here only that it is shown.)
    // The sheet's rules are the core's to test; here, that what the user does
    // with the controls reaches them and that their outcome is shown.
    void editsAndRows_data() {
        columns();
        row("start-up", {},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Text8=4",
             "Combo1=Process Water", "Combo1#=23", "Combo2=Steel", "Option2_0=1", "ROWSFIXED=0",
             "messages=", "tip Text3=From 6 to 200 Btu/(Hr-SqFt-F)"});
        row("a character in the title", {"key Text4=X"}, {"caption=KELD -  "});
        row("Delete in the tube length", {"set Text11=30", "key Text11=Home", "key Text11=Delete"},
            {"Text11=0", "caption=KELD -  "});
        row("an arrow key in the title", {"key Text4=Left"}, {"caption=KELD - default.ini"});
        row("another material", {"choose Combo2=Inconel 600"}, {"caption=KELD -  "});
        row("induced draft", {"click Option3_1"}, {"DRAFT=0", "caption=KELD -  "});
        row("hot inlet 181: 5 rows", {"Text6=181"}, {"Text8=5", "caption=KELD -  "});
        row("a click into the rows", {"click Text8"}, {"ROWSFIXED=1", "caption=KELD -  "});
        row("metric fluid", {"click Option2_1", "choose Combo1=Tar"},
            {"Text1=28.39", "Text2=56.78", "Text3=42.585", "Label6=W/(SqM-C),   Used =",
             "tip Text6=Above the inlet air temperature, at most 398.8 \u00b0C"});
        row("reset after edits",
            {"click Option2_1", "click Option1_1", "Text4=x", "menu CalcMenu_4"},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Combo1#=23",
             "Option2_0=1", "Label8=Tube Length, Feet"});
    }
    void editsAndRows() { run(); }

    void keys_data() {
        columns();
        row("Enter in the duty", {"key Text12=Return"}, {"focus=Text6", "caption=KELD -  "});
        row("Enter in the rows", {"key Text8=Return"},
            {"focus=Combo2", "caption=KELD - default.ini"});
        row("Enter in the fluid list", {"key Combo1=Return"}, {"focus=Text1"});
        row("Enter in the coefficient", {"key Text3=Return"}, {"focus=Option3_0"});
        row("Enter in the price factor", {"key Text10=Return"}, {"focus=Command1"});
        row("Tab onto a service", {"key Option2_1=Tab"}, {"focus=Option1_2", "dropDowns=1"});
        row("Tab onto the units shown", {"click Option2_1", "key Text9=Tab"}, {"focus=Option2_1"});
        row("Shift+Tab onto the draft shown", {"click Option3_1", "key Text12=Backtab"},
            {"focus=Option3_1"});
        row("a click on a service", {"click Option1_1"}, {"Combo1#=20", "Text3=35", "dropDowns=1"});
        row("F1: the instructions", {"key Text5=F1"}, {"calls=hideCalc,openPages"});
        row("Ctrl+O: File, Open", {"key Text5=Ctrl+O"}, {"filter=Ini Files (*.ini)"});
        row("Ctrl+S: File, Save", {"key Text8=Ctrl+S"},
            {"filter=Ini Files (*.ini)", "caption=KELD -  "});
    }
    void keys() { run(); }

    void dialogs_data() {
        columns();
        row("price refused", {"answer Text1=0;Command1", "key Text4=Ctrl+P"},
            {"messages=Enter KELD Price > 0", "COSTUSER=0"});
        row("price taken and shown again",
            {"answer Text1=125000;Command1", "key Text9=Ctrl+P",
             "answer seen Text1;Text1=5;Command2", "key Text6=Ctrl+P"},
            {"messages=", "COSTUSER=125000", "seen=125000"});
        row("gas, no name, 50",
            {"click Option1_1", "answer Text2=50;Command1", "choose Combo1=User Defined Gas"},
            {"Combo1=User Defined Gas: ", "entry 1=User Defined Gas: ", "Text3=50"});
        row("refused, then cancelled",
            {"click Option1_1", "answer Text1=X;Text2=300;Command1;Command2",
             "choose Combo1=User Defined Gas"},
            {"Combo1=HC Gas @ 15 to 50 psig and dp = 1 psi", "entry 1=User Defined Gas",
             "messages=" + kRange + "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid."});
        row("working values shown",
            {"click Option1_1", "answer Text1=Hydrogen;Text2=300;Command1;Command2",
             "choose Combo1=User Defined Gas", "click Option1_2",
             "answer seen Text1;seen Text2;Text2=75;Command1", "choose Combo1=User Defined Liquid",
             "click Option2_1", "answer seen Text1;seen Text2;Command2",
             "choose Combo1=User Defined Liquid: Hydrogen"},
            {"seen=Hydrogen,300.00,Hydrogen,425.87", "entry 2=User Defined Liquid: Hydrogen"});
    }
    void dialogs() { run(); }

    // The windows these lead to are the flow test's; here, what the sheet asks.
    void handOvers_data() {
        columns();
        row("Calculate", {"click Command1"},
            {"calls=hideCalc,openReport", "messages=All calculation completed without error."});
        row("a title missing", {"Text4=", "menu CalcMenu_2"},
            {"calls=", "messages=Input Project Title (Item 1)"});
        row("Instructions", {"menu CalcMenu_3"},
            {"calls=hideCalc,openPages", "PageSet=Instructions"});
        row("Tutorial", {"menu CalcMenu_5"}, {"calls=closeCalc,openPages", "PageSet=Brochure"});
    }
    void handOvers() { run(); }

    void projectFiles_data() {
        columns();
        const QStringList bad = {"open $DIR/bad.ini", "menu CalcMenu1_1"};
        const QString refused =
            "messages=Could not load the file $DIR/bad.ini\nThe file cannot be opened or read.";
        row("save cancelled", {"menu CalcMenu1_2"}, {"caption=KELD -  ", "messages="});
        row("saved as typed", {"save $DIR/Case 12", "menu CalcMenu1_2"},
            {"caption=KELD - Case 12"});
        row("saved into no folder", {"save $DIR/no/case.ini", "menu CalcMenu1_2"},
            {"messages=Could not save the data in file $DIR/no/case.ini",
             "caption=KELD - default.ini"});
        row("a character Windows-1252 lacks",
            {"set Text4=A \u2192 B", "save $DIR/a.ini", "menu CalcMenu1_2"},
            {"messages=Some characters cannot be kept in a project file and were saved as \"?\".",
             "caption=KELD - a.ini"});
        row("no such file", bad, {refused});
    }
    void projectFiles() { run(); }

    // What is saved opens again as it was shown, Metric captions included.
    void saveAndOpen() {
        const bool metric = true;
        QTemporaryDir folder;
        const QString path = folder.path() + "/Case 12.ini";
        SheetHarness h;
        QStringList seen;
        for (const QString& s :
             QStringList{"click Option1_0", "choose Combo1=Ammonia", "Text3=111.5", "Text9=E-7",
                         "click Option3_1", "choose Combo2=Titanium", "Text10=1.2"}) {
            act(h, s, seen);
        }
        if (metric) {
            act(h, "click Option2_1", seen);
        }
        h.paste(4, QString::fromUtf8("Condenser \u00b0 \u00e9"));
        const QString saved = everything(h);
        h.platform.saveAnswers.push_back(path);
        h.menu("CalcMenu1_2")->trigger();
        QCOMPARE(h.platform.lastFolder, QString(KELD_PROGRAM_DIR "/Files"));
        QCOMPARE(h.platform.lastFilter, QString("Ini Files (*.ini)"));
        QVERIFY(readAll(path).contains("Condenser \xb0 \xe9<TEXT4>\r\n"));

        h.menu("CalcMenu_4")->trigger();
        h.state.sheet.setUserPrice(5000);
        h.platform.openAnswers.push_back(path);
        h.menu("CalcMenu1_1")->trigger();
        QCOMPARE(everything(h), QString(saved).replace("KELD -  ", "KELD - Case 12.ini"));
        QVERIFY(look(h, "Label8", seen).endsWith(metric ? "Meters" : "Feet"));
        QVERIFY(h.platform.messages.empty());
    }

    // Why a file is refused is the core's to test; here, that a refused one
    // leaves the sheet as it was and the message says why on its second line.
    void openRefused_data() {
        QTest::addColumn<QStringList>("lines"); // empty: no such file
        QTest::addColumn<QString>("why");
        QTest::newRow("unknown fluid")
            << QStringList{"3<TEXT3>", "New title<TEXT4>", "LIQUID<OPTION1>", "Lava<COMBO1>"}
            << "Line 4: the fluid \"Lava\" is not in the fluid list of the service "
               "\"Liquid Cooling\".";
        QTest::newRow("no such file") << QStringList{} << "The file cannot be opened or read.";
    }
    void openRefused() {
        QFETCH(QStringList, lines);
        QFETCH(QString, why);
        QTemporaryDir folder;
        const QString path = folder.path() + "/bad.ini";
        QVERIFY(lines.isEmpty() || writeLines(path, lines));
        SheetHarness h;
        h.option(1, 1)->click(); // unsaved edits that must survive
        h.type(4, "Unsaved");
        h.state.sheet.setUserPrice(7000);
        const QString before = everything(h);
        h.platform.openAnswers.push_back(path);
        h.menu("CalcMenu1_1")->trigger();
        QCOMPARE(h.platform.texts(), QStringList{"Could not load the file " + path + "\n" + why});
        QCOMPARE(h.platform.messages.front().icon, keld::MessageIcon::None);
        QCOMPARE(everything(h), before);
        h.menu("CalcMenu1_1")->trigger(); // cancelled
        QCOMPARE(h.platform.messages.size(), std::size_t{1});
        QCOMPARE(everything(h), before);
    }

    void saveOnFullDiskKeepsFile() {
        QTemporaryDir folder;
        const QString path = folder.path() + "/kept.ini";
        QVERIFY(writeLines(path, {QString(2000, 'x')}));
        const QByteArray old = readAll(path);
        SheetHarness h;
        // No file may grow beyond 100 bytes while saving.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        h.platform.saveAnswers.push_back(path);
        h.menu("CalcMenu1_2")->trigger();
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(h.platform.texts(), QStringList{"Could not save the data in file " + path});
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.ini"});
    }

    void defaultCaseMissing() {
        QTemporaryDir folder;
        SheetHarness h(folder.path());
        QCOMPARE(h.platform.texts(),
                 QStringList{"Could not load the file " + folder.path() + "/Files/default.ini"});
        QCOMPARE(h.caption(), QString("0 -  "));
        QCOMPARE(h.combo(1)->count(), 0);
    }

    // The Options: in the sheet's units, checked, kept between runs.
    void optionsAreKept() {
        QTemporaryDir folder;
        SheetHarness h;
        h.state.settingsFile = folder.path() + "/keld.conf";
        QStringList seen;
        for (const QString& s :
             QStringList{"answer seen Text1;seen Text2;Text1=9000;Command1", "menu CalcMenu_7",
                         "click Option2_1", "answer seen Text1;seen Text2;Text1=62;Command1",
                         "menu CalcMenu_7"}) {
            act(h, s, seen);
        }
        QCOMPARE(seen, QStringList({"10000", "100", "45.72", "30.48"}));
        QCOMPARE(h.platform.texts(),
                 QStringList{"The fan tip speed must be above 0 and at most 61 m/s."});
        QCOMPARE(h.state.planning.tipSpeedFtMin, 9000.0);
        QCOMPARE(loadOptions(h.state.settingsFile).tipSpeedFtMin, 9000.0);
        QCOMPARE(loadOptions(h.state.settingsFile).distanceM, 30.48);
    }

    void closingClearsPrice() {
        SheetHarness h;
        h.state.sheet.setUserPrice(30000);
        h.sheet->close();
        QCOMPARE(h.state.sheet.userPrice(), 0.0);
    }
};

QTEST_MAIN(SheetTest)
#include "sheet_test.moc"
