// The calculation sheet driven through its controls. Most cases are rows of
// steps a user takes and what the sheet shows afterwards.

#include "sheet_support.h"

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
//   "set Text7=abc"        the program writes a field
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
        static_cast<QLineEdit*>(w)->setText(value);
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
// "DRAFT", "COSTUSER", and "entry N", "stored N" of the user-defined fluids.
QString look(const SheetHarness& h, const QString& what, const QStringList& seen) {
    const keld::SizingCase& r = h.state.record;
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
        return QString::fromStdString(h.state.userFluids.entry[n]);
    if (what.startsWith("stored "))
        return QString::number(h.state.userFluids.coefficient[n]);
    if (what == "Combo1#")
        return QString::number(h.combo(1)->count());
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

// Everything the sheet holds, to tell whether a step changed anything.
QString everything(const SheetHarness& h) {
    const keld::SheetState sheet = h.sheet->sheetState();
    QString all = QString::fromStdString(keld::projectFileBytes(sheet));
    for (const std::string& e : sheet.fluidList) {
        all += QString::fromStdString(e) + '|';
    }
    for (std::size_t s = 0; s < 3; ++s) {
        all +=
            QString::fromStdString(sheet.userEntry[s]) + QString::number(sheet.userCoefficient[s]);
    }
    return all + h.caption() + QString::number(h.state.record.COSTUSER);
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
    void editsAndRows_data() {
        columns();
        row("start-up", {},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Text8=4",
             "Combo1=Process Water", "Combo1#=23", "Combo2=Steel", "ROWSFIXED=0", "ENGLISH=1",
             "DRAFT=1", "messages="});
        row("a character in the title", {"key Text4=X"}, {"caption=KELD -  "});
        row("Backspace in the item number", {"key Text9=Backspace"}, {"caption=KELD -  "});
        row("Delete in the tube length", {"set Text11=30", "key Text11=Home", "key Text11=Delete"},
            {"Text11=0", "caption=KELD -  "});
        row("an arrow key in the title", {"key Text4=Left"}, {"caption=KELD - default.ini"});
        row("another material", {"choose Combo2=Inconel 600"}, {"caption=KELD -  "});
        row("induced draft", {"click Option3_1"}, {"DRAFT=0", "caption=KELD -  "});
        row("the units already shown", {"click Option2_0"}, {"caption=KELD - default.ini"});
        row("hot inlet 181: 5 rows", {"Text6=181"}, {"Text8=5", "caption=KELD -  "});
        row("hot inlet = air inlet", {"Text6=95"}, {"Text8="});
        row("coefficient 0 blanks the rows", {"Text3=0"}, {"Text8= "});
        row("then a temperature empties them", {"Text3=0", "Text6=181"}, {"Text8="});
        row("rows typed after Tab", {"key Text11=Tab", "Text8=7"},
            {"Text8=7", "ROWSFIXED=0", "caption=KELD - default.ini"});
        row("a click into the rows", {"click Text8"}, {"ROWSFIXED=1", "caption=KELD -  "});
        row("a suggestion gives them up", {"click Text8", "Text7=125"}, {"ROWSFIXED=0"});
        row("service change", {"click Option1_1", "click Option1_0"},
            {"Combo1#=15", "Combo1=Steam @ 0 to 20 psig", "Text1=110", "Text2=175", "Text3=142.5"});
        row("metric fluid", {"click Option2_1", "choose Combo1=Tar"},
            {"Text1=28.39", "Text2=56.78", "Text3=42.585"});
        row("reset after edits",
            {"click Option2_1", "click Option1_1", "Text4=x", "menu CalcMenu_4"},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Text3=132.5",
             "Combo1#=23", "ENGLISH=1", "Label8=Tube Length, Feet"});
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
    }
    void keys() { run(); }

    void unitSwitch_data() {
        columns();
        row("to Metric",
            {"set Text3=100", "set Text6=150", "set Text12=20", "set Text11=30",
             "set Text5=", "set Text9=7", "click Option2_1"},
            {"Text3=567.80", "Text6=65.556", "Text12=5.8620", "Text11=9.1440", "Text5=-17.778",
             "Text9=7", "Text10=1", "ENGLISH=0", "Label6=W/(SqM-C),   Used =",
             "Label7=Inlet Air Temperature, \u00b0C", "Label16=Heat Duty, MW", "caption=KELD -  "});
        row("back to English",
            {"click Option2_1", "set Text3=567.80", "set Text12=29.31", "set Text6=x",
             "set Text11=", "click Option2_0"},
            {"Text3=100.00", "Text12=100.01", "Text6=32.000", "Text11=0", "ENGLISH=1",
             "Label6=Btu/(Hr-SqFt-F), Used =", "Label10=Outlet Temperature, \u00b0F"});
        row("too large to convert", {"set Text3=1e308", "set Text12=1e999", "click Option2_1"},
            {"Text3=1e308", "Text12=1e999", "Text6=82.222"});
        row("rows suggested again", {"Text6=400", "click Text8", "click Option2_1"},
            {"Text6=204.44", "Text8=6", "ROWSFIXED=0"});
    }
    void unitSwitch() { run(); }

    void dialogs_data() {
        columns();
        const QString refused = "messages=Enter KELD Price > 0";
        row("price 0", {"answer Text1=0;Command1", "key Text4=Ctrl+P"}, {refused, "COSTUSER=0"});
        row("price -5", {"answer Text1=-5;Command1", "key Text4=Ctrl+P"}, {refused, "COSTUSER=0"});
        row("price empty", {"answer Text1=;Command1", "key Text4=Ctrl+P"}, {refused, "COSTUSER=0"});
        row("price too large", {"answer Text1=1e999;Command1", "key Text4=Ctrl+P"}, {refused});
        row("price taken and shown again",
            {"answer Text1=125000;Command1", "key Text9=Ctrl+P",
             "answer seen Text1;Text1=5;Command2", "key Text6=Ctrl+P"},
            {"messages=", "COSTUSER=125000", "seen=125000"});
        row("gas, no name, 50",
            {"click Option1_1", "answer Text2=50;Command1", "choose Combo1=User Defined Gas"},
            {"Combo1=User Defined Gas: ", "entry 1=User Defined Gas: ", "stored 1=50", "Text1=50",
             "Text2=50", "Text3=50"});
        row("200.004 taken as 200",
            {"answer Text1=Brine;Text2=200.004;Command1", "choose Combo1=User Defined Liquid"},
            {"Combo1=User Defined Liquid: Brine", "stored 2=200", "Text3=200"});
        row("5.9999 refused, then 0, then 6",
            {"click Option1_0", "answer Text2=5.9999;Command1;Text2=0;Command1;Text2=6;Command1",
             "choose Combo1=User Defined Condensate"},
            {"messages=" + kRange +
                 "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid. | "
                 "Input Overall Heat Transfer Coefficient",
             "stored 0=6", "Text3=6"});
        row("metric 1136 refused, 1135.6 taken",
            {"click Option2_1", "answer Text2=1136;Command1;Text2=1135.6;Command1",
             "choose Combo1=User Defined Liquid"},
            {"messages=" + kRange + "Values between 34.1 and 1136 W/(SqM-C) are valid.",
             "stored 2=199.99", "Text3=1135.5"});
        row("metric 34.1 taken",
            {"click Option2_1", "answer Text2=34.1;Command1", "choose Combo1=User Defined Liquid"},
            {"stored 2=6.0054", "Text3=34.099"});
        row("cancelled",
            {"click Option1_1", "answer Text1=X;Text2=50;Command2",
             "choose Combo1=User Defined Gas"},
            {"Combo1=HC Gas @ 15 to 50 psig and dp = 1 psi", "entry 1=User Defined Gas",
             "stored 1=0", "Text3=35"});
        row("working values shared",
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
        const QString refused = "messages=Could not load the file $DIR/bad.ini";
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

    void saveAndOpen_data() {
        QTest::addColumn<bool>("metric");
        QTest::newRow("English") << false;
        QTest::newRow("Metric") << true;
    }
    void saveAndOpen() {
        QFETCH(bool, metric);
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
        h.text(4)->setText(QString::fromUtf8("Condenser \u00b0 \u00e9"));
        const QString saved = everything(h);
        h.platform.saveAnswers.push_back(path);
        h.menu("CalcMenu1_2")->trigger();
        QCOMPARE(h.platform.lastFolder, QString(KELD_PROGRAM_DIR "/Files"));
        QCOMPARE(h.platform.lastFilter, QString("Ini Files (*.ini)"));
        QVERIFY(readAll(path).contains("Condenser \xb0 \xe9<TEXT4>\r\n"));

        h.menu("CalcMenu_4")->trigger();
        h.state.record.COSTUSER = 5000;
        h.platform.openAnswers.push_back(path);
        h.menu("CalcMenu1_1")->trigger();
        QCOMPARE(everything(h), QString(saved).replace("KELD -  ", "KELD - Case 12.ini"));
        QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(true));
        QCOMPARE(h.state.record.ENGLISH, keld::Flag(!metric));
        QCOMPARE(h.state.record.DRAFT, keld::Flag(false));
        QCOMPARE(h.state.record.MATERIALFACTOR, 6.75);
        QVERIFY(look(h, "Label8", seen).endsWith(metric ? "Meters" : "Feet"));
        QVERIFY(h.platform.messages.empty());
    }

    void userFluidFromFile() {
        QTemporaryDir folder;
        const QString path = folder.path() + "/brine";
        QVERIFY(writeLines(path, {"567.8<TEXT3>", "LIQUID<OPTION1>", "METRIC<OPTION2>",
                                  "User Defined Liquid: Brine<COMBO1>"}));
        SheetHarness h;
        h.platform.openAnswers.push_back(path);
        h.menu("CalcMenu1_1")->trigger();
        QCOMPARE(h.combo(1)->currentText(), QString("User Defined Liquid: Brine"));
        QVERIFY(qAbs(h.state.userFluids.coefficient[2] - 100.0) < 0.01);
        QCOMPARE(h.text(3)->text(), QString("567.8"));
        QCOMPARE(h.caption(), QString("KELD - brine"));
    }

    // Why a file is refused is the core's to test; here, that a refused one
    // leaves the sheet as it was, whichever line refuses it.
    void openRefused_data() {
        QTest::addColumn<QStringList>("lines"); // empty: no such file
        const QStringList head = {"3<TEXT3>", "New title<TEXT4>"};
        QTest::newRow("unknown fluid") << head + QStringList{"LIQUID<OPTION1>", "Lava<COMBO1>"};
        QTest::newRow("unknown material")
            << head + QStringList{"LIQUID<OPTION1>", "Tar<COMBO1>", "Gold<COMBO2>"};
        QTest::newRow("fluid before any service") << head + QStringList{"Tar<COMBO1>"};
        QTest::newRow("no such file") << QStringList{};
    }
    void openRefused() {
        QFETCH(QStringList, lines);
        QTemporaryDir folder;
        const QString path = folder.path() + "/bad.ini";
        QVERIFY(lines.isEmpty() || writeLines(path, lines));
        SheetHarness h;
        h.option(1, 1)->click(); // unsaved edits that must survive
        h.type(4, "Unsaved");
        h.state.record.COSTUSER = 7000;
        const QString before = everything(h);
        h.platform.openAnswers.push_back(path);
        h.menu("CalcMenu1_1")->trigger();
        QCOMPARE(h.platform.texts(), QStringList{"Could not load the file " + path});
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
        QCOMPARE(h.state.INTERACTIVE, 1);
        // Metric shown before a Reset: the units shown follow ENGLISH again.
        h.option(2, 1)->click();
        h.menu("CalcMenu_4")->trigger();
        QVERIFY(h.option(2, 0)->isChecked());
        QCOMPARE(h.state.record.ENGLISH, keld::Flag(true));
    }

    // A default case of another service, in Metric units with induced draft:
    // Reset refills the list and keeps ENGLISH and DRAFT with the options shown.
    void resetWithAnotherDefault() {
        QTemporaryDir folder;
        QVERIFY(QDir().mkpath(folder.path() + "/Files"));
        QVERIFY(writeLines(folder.path() + "/Files/default.ini",
                           {"Gas case<TEXT4>", "GAS<OPTION1>", "METRIC<OPTION2>",
                            "INDUCED<OPTION3>", "Ethylene<COMBO1>", "Monel<COMBO2>"}));
        SheetHarness h(folder.path());
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(h.combo(1)->count(), 20);
            QCOMPARE(h.combo(1)->currentText(), QString("Ethylene"));
            QCOMPARE(h.state.record.ENGLISH, keld::Flag(false));
            QCOMPARE(h.state.record.DRAFT, keld::Flag(false));
            QCOMPARE(h.state.record.MATERIALFACTOR, 7.25);
            h.menu("CalcMenu_4")->trigger();
        }
    }

    void outletAirForcesDraftInReportOnly() {
        SheetHarness h;
        h.flow.createReports(h.state, h.platform);
        QStringList seen;
        for (const QString& s : QStringList{"Text5=200", "Text6=700", "Text7=650",
                                            "click Option3_1", "click Command1"}) {
            act(h, s, seen);
        }
        QCOMPARE(h.platform.messages.size(), std::size_t{2});
        QVERIFY(h.platform.messages[1].text.startsWith("Outlet air temperature > 250 Deg. F."));
        QVERIFY(h.option(3, 1)->isChecked());
        QCOMPARE(h.state.record.DRAFT, keld::Flag(true));
        QVERIFY(h.flow.report);
        const QString report =
            h.flow.report->findChild<QPlainTextEdit*>("txtOutputText")->toPlainText();
        QVERIFY(report.contains(QRegularExpression("Fan draft +Forced")));
        delete h.flow.report;
        // The same inputs again: only the completion message.
        h.platform.messages.clear();
        act(h, "click Command1", seen);
        QCOMPARE(h.platform.texts(), QStringList{"All calculation completed without error."});
        delete h.flow.report;
    }

    void closingClearsPrice() {
        SheetHarness h;
        h.state.record.COSTUSER = 30000;
        h.sheet->close();
        QCOMPARE(h.state.record.COSTUSER, 0.0);
    }
};

QTEST_MAIN(SheetTest)
#include "sheet_test.moc"
