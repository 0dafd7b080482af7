// The calculation sheet driven through its controls: start-up and caption,
// field reactions, keys, units, services and fluids, the two dialogs, project
// files and the hand-overs.

#include "sheet_support.h"

#include "text/lines.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace keld::app;
using namespace keld::app::test;

namespace {

QByteArray projectFile(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += l.toLatin1() + "\r\n";
    }
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything the sheet shows, to tell whether a step changed anything.
struct Shown {
    keld::SheetState sheet;
    QString caption;
    std::string filenm;
    double costUser;
    bool operator==(const Shown& o) const {
        return sheet.text == o.sheet.text && sheet.service == o.sheet.service &&
               sheet.english == o.sheet.english && sheet.forced == o.sheet.forced &&
               sheet.fluidList == o.sheet.fluidList && sheet.fluidIndex == o.sheet.fluidIndex &&
               sheet.materialIndex == o.sheet.materialIndex && sheet.userEntry == o.sheet.userEntry &&
               sheet.userCoefficient == o.sheet.userCoefficient && caption == o.caption &&
               filenm == o.filenm && costUser == o.costUser;
    }
};

Shown shown(const SheetHarness& h) {
    return {h.sheet->sheetState(), h.caption(), h.state.record.FILENM, h.state.record.COSTUSER};
}

// A case whose air leaves above 250 °F.
void enterHotCase(const SheetHarness& h) {
    h.type(5, "200");
    h.type(6, "700");
    h.type(7, "650");
    h.type(8, "4");
}

} // namespace

class SheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startUp_data();
    void startUp();
    void captionAfterEdit_data();
    void captionAfterEdit();
    void rowsFixedOnlyByClick();
    void rowSuggestion_data();
    void rowSuggestion();
    void enterMovesFocusOnce_data();
    void enterMovesFocusOnce();
    void serviceOptionOpensFluidList();
    void unitSwitch_data();
    void unitSwitch();
    void unitSwitchKeepsRowsSuggestion();
    void fluidSelection_data();
    void fluidSelection();
    void priceDialog_data();
    void priceDialog();
    void priceKeptOnCancelAndReopened();
    void userFluid_data();
    void userFluid();
    void userFluidSharedWorkingValues();
    void saveAndOpen_data();
    void saveAndOpen();
    void userFluidRestoredFromFile();
    void openRefused_data();
    void openRefused();
    void saveCancelled();
    void saveFailureKeepsFile();
    void saveReplacesUnencodableCharacters();
    void defaultCaseMissing();
    void resetAfterEdits();
    void calculate();
    void outletAirForcesDraftInReportOnly();
    void handOvers_data();
    void handOvers();
    void closingClearsPrice();
};

// ---------------------------------------------------------------------------

void SheetTest::startUp_data() {
    QTest::addColumn<bool>("configured");
    QTest::addColumn<QString>("caption");
    QTest::newRow("configured title") << true << "KELD - default.ini";
    QTest::newRow("no configuration") << false << "0 - default.ini";
}

void SheetTest::startUp() {
    QFETCH(bool, configured);
    QFETCH(QString, caption);
    QTemporaryDir folder;
    if (!configured) {
        // A program folder with the default case but no configuration.
        QDir().mkpath(folder.path() + "/Files");
        QFile::copy(QStringLiteral(KELD_PROGRAM_DIR "/Files/default.ini"),
                    folder.path() + "/Files/default.ini");
    }
    SheetHarness h(configured ? QStringLiteral(KELD_PROGRAM_DIR) : folder.path());
    QCOMPARE(h.caption(), caption);
    QCOMPARE(h.text(4)->text(), QString("Cooling Water Return"));
    QCOMPARE(h.text(3)->text(), QString("132.5"));
    QCOMPARE(h.text(8)->text(), QString("4"));
    QVERIFY(h.option(1, 2)->isChecked());
    QVERIFY(h.option(2, 0)->isChecked());
    QVERIFY(h.option(3, 0)->isChecked());
    QCOMPARE(h.combo(1)->count(), 23);
    QCOMPARE(h.combo(1)->currentText(), QString("Process Water"));
    QCOMPARE(h.combo(2)->count(), 10);
    QCOMPARE(h.combo(2)->currentText(), QString("Steel"));
    QCOMPARE(h.state.INTERACTIVE, 1);
    QVERIFY(h.state.FLUIDCHOSEN);
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(false));
    QCOMPARE(h.state.record.MATERIALFACTOR, 1.0);
    QVERIFY(h.platform.messages.empty());
}

void SheetTest::captionAfterEdit_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("a character in the title") << "title" << true;
    QTest::newRow("Backspace in the item number") << "item backspace" << true;
    QTest::newRow("Delete in the tube length") << "length delete" << true;
    QTest::newRow("another material") << "material" << true;
    QTest::newRow("induced draft") << "draft" << true;
    QTest::newRow("hot inlet temperature") << "hot inlet" << true;
    QTest::newRow("another fluid") << "fluid" << true;
    QTest::newRow("rows typed after Tab") << "rows typed" << false;
    QTest::newRow("units already shown") << "same units" << false;
    QTest::newRow("arrow key in the title") << "title arrow" << false;
}

void SheetTest::captionAfterEdit() {
    QFETCH(QString, edit);
    QFETCH(bool, cleared);
    SheetHarness h;
    if (edit == "title") {
        h.text(4)->setFocus();
        QTest::keyClick(h.text(4), Qt::Key_X);
    } else if (edit == "item backspace") {
        h.text(9)->setFocus();
        QTest::keyClick(h.text(9), Qt::Key_Backspace);
    } else if (edit == "length delete") {
        h.text(11)->setFocus();
        h.text(11)->setCursorPosition(0);
        QTest::keyClick(h.text(11), Qt::Key_Delete);
    } else if (edit == "material") {
        h.choose(2, "Monel");
    } else if (edit == "draft") {
        h.option(3, 1)->click();
    } else if (edit == "hot inlet") {
        h.type(6, "190");
    } else if (edit == "fluid") {
        h.choose(1, "Propane");
    } else if (edit == "rows typed") {
        h.text(11)->setFocus();
        QTest::keyClick(h.text(11), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), h.text(8));
        QTest::keyClicks(h.text(8), "7");
        QCOMPARE(h.text(8)->text(), QString("7"));
        QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(false));
    } else if (edit == "same units") {
        h.option(2, 0)->click();
    } else if (edit == "title arrow") {
        h.text(4)->setFocus();
        QTest::keyClick(h.text(4), Qt::Key_Left);
    }
    QCOMPARE(h.caption(), cleared ? QString("KELD -  ") : QString("KELD - default.ini"));
}

void SheetTest::rowsFixedOnlyByClick() {
    SheetHarness h;
    QTest::mouseClick(h.text(8), Qt::LeftButton);
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(true));
    QCOMPARE(h.caption(), QString("KELD -  "));
    // A later suggestion gives the user's row count up again.
    h.type(7, "125");
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(false));
}

void SheetTest::rowSuggestion_data() {
    // The default case: air 95 °F, hot 180 -> 120 °F, coefficient 132.5.
    QTest::addColumn<QStringList>("edits"); // field=value, in order
    QTest::addColumn<QString>("rows");
    QTest::newRow("hot inlet 181: index 0.535") << QStringList{"6=181"} << "5";
    QTest::newRow("hot inlet 400: index 0.693") << QStringList{"6=400"} << "6";
    QTest::newRow("coefficient 20: index 3.5") << QStringList{"3=20"} << "10";
    QTest::newRow("hot inlet = air inlet") << QStringList{"6=95"} << "";
    QTest::newRow("coefficient 0 blanks the rows") << QStringList{"3=0"} << " ";
    QTest::newRow("then a temperature empties them") << QStringList{"3=0", "6=181"} << "";
    QTest::newRow("coefficient as text") << QStringList{"3=abc"} << " ";
}

void SheetTest::rowSuggestion() {
    QFETCH(QStringList, edits);
    QFETCH(QString, rows);
    SheetHarness h;
    for (const QString& e : edits) {
        const QStringList parts = e.split('=');
        h.type(parts[0].toInt(), parts[1]);
    }
    QCOMPARE(h.text(8)->text(), rows);
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(false));
}

void SheetTest::enterMovesFocusOnce_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("clearsFileName");
    QTest::newRow("heat duty") << "Text12" << "Text6" << true;
    QTest::newRow("title") << "Text4" << "Text9" << true;
    QTest::newRow("outlet temperature") << "Text7" << "Text5" << false;
    QTest::newRow("rows") << "Text8" << "Combo2" << false;
    QTest::newRow("fluid list") << "Combo1" << "Text1" << false;
    QTest::newRow("used coefficient") << "Text3" << "Option3_0" << false;
    QTest::newRow("price factor") << "Text10" << "Command1" << true;
}

void SheetTest::enterMovesFocusOnce() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, clearsFileName);
    SheetHarness h;
    auto* start = h.sheet->findChild<QWidget*>(from);
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    QCOMPARE(h.platform.focusMoves, 1);
    QCOMPARE(h.caption().endsWith("default.ini"), !clearsFileName);
}

void SheetTest::serviceOptionOpensFluidList() {
    SheetHarness h;
    // By Tab from the last unit option.
    h.option(2, 1)->setFocus();
    QTest::keyClick(h.option(2, 1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.option(1, 0));
    QCOMPARE(h.platform.dropDowns.size(), std::size_t{1});
    QCOMPARE(h.platform.dropDowns.front(), h.combo(1));
    // By Shift+Tab from the fluid list (the toolkit picks the option of the group).
    h.combo(1)->setFocus();
    QTest::keyClick(h.combo(1), Qt::Key_Backtab);
    QVERIFY(QApplication::focusWidget()->objectName().startsWith("Option1_"));
    QCOMPARE(h.platform.dropDowns.size(), std::size_t{2});
    // By a click: the list opens after the click, which still selects.
    h.text(4)->setFocus();
    QTest::mouseClick(h.option(1, 1), Qt::LeftButton);
    QVERIFY(h.option(1, 1)->isChecked());
    QCOMPARE(h.combo(1)->count(), 20);
    QCOMPARE(h.platform.dropDowns.size(), std::size_t{3});
}

void SheetTest::unitSwitch_data() {
    QTest::addColumn<bool>("toMetric");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("coefficient 100") << true << 3 << "100" << "567.80";
    QTest::newRow("150 F") << true << 6 << "150" << "65.556";
    QTest::newRow("duty 20") << true << 12 << "20" << "5.8620";
    QTest::newRow("length 30") << true << 11 << "30" << "9.1440";
    QTest::newRow("empty temperature") << true << 5 << "" << "-17.778";
    QTest::newRow("temperature of letters") << true << 7 << "abc" << "-17.778";
    QTest::newRow("item number untouched") << true << 9 << "7" << "7";
    QTest::newRow("price factor untouched") << true << 10 << "1.1" << "1.1";
    QTest::newRow("567.80 back") << false << 3 << "567.80" << "100.00";
    QTest::newRow("29.31 MW back") << false << 12 << "29.31" << "100.01";
    QTest::newRow("letters back") << false << 6 << "x" << "32.000";
    QTest::newRow("empty length back") << false << 11 << "" << "0";
}

void SheetTest::unitSwitch() {
    QFETCH(bool, toMetric);
    QFETCH(int, field);
    QFETCH(QString, before);
    QFETCH(QString, after);
    SheetHarness h;
    if (!toMetric) {
        h.option(2, 1)->click();
    }
    h.text(field)->setText(before);
    h.option(2, toMetric ? 1 : 0)->click();
    QCOMPARE(h.text(field)->text(), after);
    QCOMPARE(h.state.record.ENGLISH, keld::Flag(!toMetric));
    const QString unit = toMetric ? QString::fromUtf8("\u00b0C") : QString::fromUtf8("\u00b0F");
    QVERIFY(h.sheet->findChild<QLabel*>("Label7")->text().endsWith(unit));
    QCOMPARE(h.sheet->findChild<QLabel*>("Label6")->text(),
             toMetric ? QString("W/(SqM-C),   Used =") : QString("Btu/(Hr-SqFt-F), Used ="));
    QCOMPARE(h.sheet->findChild<QLabel*>("Label16")->text(),
             toMetric ? QString("Heat Duty, MW") : QString("Heat Duty, Million Btu/Hr"));
    QCOMPARE(h.caption(), QString("KELD -  "));
}

void SheetTest::unitSwitchKeepsRowsSuggestion() {
    SheetHarness h;
    h.type(6, "400"); // a suggestion of 6 rows in English units
    QCOMPARE(h.text(8)->text(), QString("6"));
    QTest::mouseClick(h.text(8), Qt::LeftButton);
    h.option(2, 1)->click();
    // The suggestion made again from the converted values.
    QCOMPARE(h.text(8)->text(), QString("6"));
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(false));
    QCOMPARE(h.text(6)->text(), QString("204.44"));
}

void SheetTest::fluidSelection_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("service");
    QTest::addColumn<QString>("fluid"); // empty: the list's first after a service change
    QTest::addColumn<QStringList>("range"); // Text1, Text2, Text3
    QTest::newRow("condensing after gas") << false << 0 << "" << QStringList{"110", "175", "142.5"};
    QTest::newRow("metric steam") << true << 0 << "" << QStringList{"624.58", "993.65", "809.115"};
    QTest::newRow("light gasoline") << false << 0 << "Light Gasoline C5, C6" << QStringList{"95", "95", "95"};
    QTest::newRow("condensing heavy naphtha") << false << 0 << "Heavy Naphtha" << QStringList{"70", "90", "80"};
    QTest::newRow("liquid heavy naphtha") << false << 2 << "Heavy Naphtha" << QStringList{"80", "90", "85"};
    QTest::newRow("tar") << false << 2 << "Tar" << QStringList{"5", "10", "7.5"};
    QTest::newRow("metric tar") << true << 2 << "Tar" << QStringList{"28.39", "56.78", "42.585"};
    QTest::newRow("metric air 50 psig") << true << 1 << "Air or Flue Gas @ 50 psig and dp = 1 psi"
                                        << QStringList{"56.78", "56.78", "56.78"};
}

void SheetTest::fluidSelection() {
    QFETCH(bool, metric);
    QFETCH(int, service);
    QFETCH(QString, fluid);
    QFETCH(QStringList, range);
    SheetHarness h;
    if (metric) {
        h.option(2, 1)->click();
    }
    h.option(1, 1)->click(); // gas first, so every row changes the service
    h.option(1, service)->click();
    QCOMPARE(h.combo(1)->count(), service == 0 ? 15 : service == 1 ? 20 : 23);
    if (fluid.isEmpty()) {
        QCOMPARE(h.combo(1)->currentIndex(), 0);
    } else {
        h.choose(1, fluid);
    }
    QCOMPARE((QStringList{h.text(1)->text(), h.text(2)->text(), h.text(3)->text()}), range);
    QVERIFY(h.state.FLUIDCHOSEN);
    QVERIFY(h.platform.messages.empty());
}

void SheetTest::priceDialog_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("too large to read") << "1e999" << false;
    QTest::newRow("a price") << "125000" << true;
    QTest::newRow("leading number") << "99000 $" << true;
}

void SheetTest::priceDialog() {
    QFETCH(QString, price);
    QFETCH(bool, accepted);
    SheetHarness h;
    h.state.record.COSTUSER = 0;
    bool stayedOpen = false;
    onModal([&](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("frmPrice"));
        QCOMPARE(dialog->windowTitle(), QString("KELD Price"));
        answer(dialog, {{"Text1", price}}, "Command1");
        stayedOpen = dialog->isVisible();
        if (stayedOpen) {
            answer(dialog, {}, "Command2");
        }
    });
    h.text(4)->setFocus();
    QTest::keyClick(h.text(4), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(stayedOpen, !accepted);
    QCOMPARE(h.platform.texts(), accepted ? QStringList{} : QStringList{"Enter KELD Price > 0"});
    QCOMPARE(h.state.record.COSTUSER, accepted ? price.section(' ', 0, 0).toDouble() : 0.0);
}

void SheetTest::priceKeptOnCancelAndReopened() {
    SheetHarness h;
    h.state.record.COSTUSER = 125000;
    QString shownText;
    onModal([&](QWidget* dialog) {
        shownText = dialog->findChild<QLineEdit*>("Text1")->text();
        answer(dialog, {{"Text1", "5"}}, "Command2");
    });
    h.text(9)->setFocus();
    QTest::keyClick(h.text(9), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(shownText, QString("125000"));
    QCOMPARE(h.state.record.COSTUSER, 125000.0);
}

void SheetTest::userFluid_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("service");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tries"); // coefficients typed, OK after each
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("entry");       // empty: cancelled
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("used");
    const QString range = "The Overall Heat Transfer Coefficient is out of range.\n";
    QTest::newRow("gas, no name, 50") << false << 1 << "" << QStringList{"50"} << QStringList{}
                                      << "User Defined Gas: " << 50.0 << "50";
    QTest::newRow("200.004 rounds to 200") << false << 2 << "Brine" << QStringList{"200.004"}
                                           << QStringList{} << "User Defined Liquid: Brine" << 200.0
                                           << "200";
    QTest::newRow("5.9999 refused, then 0, then 6")
        << false << 0 << "Mix" << QStringList{"5.9999", "0", "6"}
        << QStringList{range + "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid.",
                       "Input Overall Heat Transfer Coefficient"}
        << "User Defined Condensate: Mix" << 6.0 << "6";
    QTest::newRow("metric 1136 refused, 1135.6 taken")
        << true << 2 << "Oil" << QStringList{"1136", "1135.6"}
        << QStringList{range + "Values between 34.1 and 1136 W/(SqM-C) are valid."}
        << "User Defined Liquid: Oil" << 199.99 << "1135.5"; // 199.99 x 5.678 = 1135.5 shown
    QTest::newRow("metric 34.1 taken") << true << 1 << "" << QStringList{"34.1"} << QStringList{}
                                       << "User Defined Gas: " << 6.0054 << "34.099";
    QTest::newRow("cancelled") << false << 1 << "X" << QStringList{} << QStringList{} << ""
                               << 0.0 << "35";
}

void SheetTest::userFluid() {
    QFETCH(bool, metric);
    QFETCH(int, service);
    QFETCH(QString, name);
    QFETCH(QStringList, tries);
    QFETCH(QStringList, messages);
    QFETCH(QString, entry);
    QFETCH(double, stored);
    QFETCH(QString, used);
    SheetHarness h;
    if (metric) {
        h.option(2, 1)->click();
    }
    h.option(1, service)->click();
    const QString initial = h.combo(1)->itemText(h.combo(1)->count() - 1);
    QString unitShown;
    onModal([&](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("frmFluid"));
        unitShown = dialog->findChild<QLabel*>("Label1")->text();
        for (const QString& t : tries) {
            answer(dialog, {{"Text1", name}, {"Text2", t}}, "Command1");
        }
        if (dialog->isVisible()) {
            answer(dialog, {}, "Command2");
        }
    });
    h.choose(1, initial);
    QCOMPARE(unitShown, metric ? QString("W/(SqM-C)") : QString("Btu/(Hr-SqFt-F)"));
    QCOMPARE(h.platform.texts(), messages);
    const auto s = static_cast<std::size_t>(service);
    if (entry.isEmpty()) {
        QCOMPARE(h.combo(1)->currentIndex(), 0);
        QCOMPARE(QString::fromStdString(h.state.userFluids.entry[s]), initial);
    } else {
        QCOMPARE(h.combo(1)->currentText(), entry);
        QCOMPARE(h.combo(1)->currentIndex(), h.combo(1)->count() - 1);
        QCOMPARE(QString::fromStdString(h.state.userFluids.entry[s]), entry);
        QCOMPARE(h.text(1)->text(), used);
        QCOMPARE(h.text(2)->text(), used);
    }
    QCOMPARE(h.state.userFluids.coefficient[s], stored);
    QCOMPARE(h.text(3)->text(), used);
    QCOMPARE(h.state.userFluids.FLUIDDIALOGREADY, 1);
}

void SheetTest::userFluidSharedWorkingValues() {
    SheetHarness h;
    h.option(1, 1)->click();
    // A refused OK followed by Cancel on the gas entry...
    onModal([](QWidget* dialog) {
        answer(dialog, {{"Text1", "Hydrogen"}, {"Text2", "300"}}, "Command1");
        answer(dialog, {}, "Command2");
    });
    h.choose(1, "User Defined Gas");
    // ...and the liquid entry's dialog shows what was typed there.
    h.option(1, 2)->click();
    QStringList shownValues;
    onModal([&](QWidget* dialog) {
        shownValues << dialog->findChild<QLineEdit*>("Text1")->text()
                    << dialog->findChild<QLineEdit*>("Text2")->text();
        answer(dialog, {{"Text2", "75"}}, "Command1");
    });
    h.choose(1, "User Defined Liquid");
    QCOMPARE(shownValues, (QStringList{"Hydrogen", "300.00"}));
    QCOMPARE(h.combo(1)->currentText(), QString("User Defined Liquid: Hydrogen"));
    // Opened again, the defined entry shows its own name and coefficient.
    h.option(2, 1)->click();
    shownValues.clear();
    onModal([&](QWidget* dialog) {
        shownValues << dialog->findChild<QLineEdit*>("Text1")->text()
                    << dialog->findChild<QLineEdit*>("Text2")->text();
        answer(dialog, {}, "Command2");
    });
    h.choose(1, "User Defined Liquid: Hydrogen");
    QCOMPARE(shownValues, (QStringList{"Hydrogen", "425.87"}));
}

// ---------------------------------------------------------------------------
// Project files.

void SheetTest::saveAndOpen_data() {
    QTest::addColumn<bool>("metric");
    QTest::newRow("English") << false;
    QTest::newRow("Metric") << true;
}

void SheetTest::saveAndOpen() {
    QFETCH(bool, metric);
    QTemporaryDir folder;
    const QString path = folder.path() + "/Case 12.ini";
    SheetHarness h;
    if (metric) {
        h.option(2, 1)->click();
    }
    h.option(1, 0)->click();
    h.choose(1, "Ammonia");
    h.type(3, "111.5"); // not the catalogue's value
    h.text(4)->setText(QString::fromUtf8("Condenser \u00b0 \u00e9"));
    h.type(9, "E-7");
    h.option(3, 1)->click();
    h.choose(2, "Titanium");
    h.type(10, "1.2");
    const keld::SheetState saved = h.sheet->sheetState();
    h.platform.saveAnswers.push_back(path);
    h.menu("CalcMenu1_2")->trigger();
    QCOMPARE(h.platform.lastFolder, QString(KELD_PROGRAM_DIR "/Files"));
    QCOMPARE(h.platform.lastFilter, QString("Ini Files (*.ini)"));
    QCOMPARE(h.caption(), QString("KELD - Case 12.ini"));
    QVERIFY(readAll(path).contains("Condenser \xb0 \xe9<TEXT4>\r\n"));

    h.menu("CalcMenu_4")->trigger(); // Reset
    QCOMPARE(h.caption(), QString("KELD - default.ini"));
    h.state.record.COSTUSER = 5000;
    h.platform.openAnswers.push_back(path);
    h.menu("CalcMenu1_1")->trigger();
    const keld::SheetState opened = h.sheet->sheetState();
    QCOMPARE(opened.text, saved.text);
    QCOMPARE(opened.service, saved.service);
    QCOMPARE(opened.english, saved.english);
    QCOMPARE(opened.forced, saved.forced);
    QCOMPARE(opened.fluidText(), std::string("Ammonia"));
    QCOMPARE(opened.materialText(), std::string("Titanium"));
    QCOMPARE(h.caption(), QString("KELD - Case 12.ini"));
    QCOMPARE(h.state.record.ROWSFIXED, keld::Flag(true));
    QCOMPARE(h.state.record.ENGLISH, keld::Flag(!metric));
    QCOMPARE(h.state.record.DRAFT, keld::Flag(false));
    QCOMPARE(h.state.record.MATERIALFACTOR, 6.75);
    QCOMPARE(h.state.record.COSTUSER, 0.0);
    QCOMPARE(h.state.INTERACTIVE, 1);
    QVERIFY(h.sheet->findChild<QLabel*>("Label8")->text().endsWith(metric ? "Meters" : "Feet"));
    QVERIFY(h.platform.messages.empty());
}

void SheetTest::userFluidRestoredFromFile() {
    QTemporaryDir folder;
    const QString path = folder.path() + "/brine";
    QVERIFY(writeFile(path, projectFile({"567.8<TEXT1>", "567.8<TEXT2>", "567.8<TEXT3>",
                                         "Brine case<TEXT4>", "LIQUID<OPTION1>", "METRIC<OPTION2>",
                                         "User Defined Liquid: Brine<COMBO1>", "Steel<COMBO2>"})));
    SheetHarness h;
    h.platform.openAnswers.push_back(path);
    h.menu("CalcMenu1_1")->trigger();
    QCOMPARE(h.combo(1)->currentText(), QString("User Defined Liquid: Brine"));
    QCOMPARE(h.combo(1)->currentIndex(), 22);
    QVERIFY(qAbs(h.state.userFluids.coefficient[2] - 100.0) < 0.01);
    QCOMPARE(h.text(3)->text(), QString("567.8"));
    QCOMPARE(h.caption(), QString("KELD - brine"));
}

void SheetTest::openRefused_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    const QStringList head = {"1<TEXT1>", "2<TEXT2>", "3<TEXT3>", "New title<TEXT4>"};
    QTest::newRow("unknown fluid") << projectFile(head + QStringList{"LIQUID<OPTION1>", "Lava<COMBO1>"});
    QTest::newRow("fluid of another service")
        << projectFile(head + QStringList{"GAS<OPTION1>", "Process Water<COMBO1>"});
    QTest::newRow("user fluid of another service")
        << projectFile(head + QStringList{"GAS<OPTION1>", "User Defined Liquid: Brine<COMBO1>"});
    QTest::newRow("unknown material")
        << projectFile(head + QStringList{"LIQUID<OPTION1>", "Tar<COMBO1>", "Gold<COMBO2>"});
    QTest::newRow("fluid before any service") << projectFile(head + QStringList{"Tar<COMBO1>"});
    QTest::newRow("no such file") << QByteArray();
}

void SheetTest::openRefused() {
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = folder.path() + "/bad.ini";
    if (!content.isEmpty()) {
        QVERIFY(writeFile(path, content));
    }
    SheetHarness h;
    h.option(1, 1)->click(); // unsaved edits that must survive
    h.type(4, "Unsaved");
    h.state.record.COSTUSER = 7000;
    const Shown before = shown(h);
    h.platform.openAnswers.push_back(path);
    h.menu("CalcMenu1_1")->trigger();
    QCOMPARE(h.platform.texts(), QStringList{"Could not load the file " + path});
    QCOMPARE(h.platform.messages.front().icon, keld::MessageIcon::None);
    QVERIFY(shown(h) == before);
    QCOMPARE(h.state.INTERACTIVE, 1);
    // Cancelling the dialog changes nothing either.
    h.platform.messages.clear();
    h.menu("CalcMenu1_1")->trigger();
    QVERIFY(h.platform.messages.empty());
    QVERIFY(shown(h) == before);
}

void SheetTest::saveCancelled() {
    QTemporaryDir folder;
    SheetHarness h;
    const keld::SheetState before = h.sheet->sheetState();
    h.menu("CalcMenu1_2")->trigger();
    QCOMPARE(h.caption(), QString("KELD -  "));
    QCOMPARE(h.sheet->sheetState().text, before.text);
    QVERIFY(QDir(folder.path()).isEmpty());
}

void SheetTest::saveFailureKeepsFile() {
    QTemporaryDir folder;
    const QString path = folder.path() + "/kept.ini";
    const QByteArray old(2000, 'x');
    QVERIFY(writeFile(path, old));
    SheetHarness h;
    // A full disk: no file may grow beyond 100 bytes while saving.
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
    QCOMPARE(h.caption(), QString("KELD - default.ini"));
    // A folder that does not exist.
    h.platform.messages.clear();
    const QString nowhere = folder.path() + "/no/such/folder/case.ini";
    h.platform.saveAnswers.push_back(nowhere);
    h.menu("CalcMenu1_2")->trigger();
    QCOMPARE(h.platform.texts(), QStringList{"Could not save the data in file " + nowhere});
}

void SheetTest::saveReplacesUnencodableCharacters() {
    QTemporaryDir folder;
    const QString path = folder.path() + "/arrow"; // saved as typed, no ".ini" added
    SheetHarness h;
    h.text(4)->setText(QString::fromUtf8("A \u2192 B"));
    h.platform.saveAnswers.push_back(path);
    h.menu("CalcMenu1_2")->trigger();
    QVERIFY(readAll(path).contains("A ? B<TEXT4>\r\n"));
    QCOMPARE(h.platform.messages.size(), std::size_t{1});
    QCOMPARE(h.platform.messages.front().icon, keld::MessageIcon::Exclamation);
    QCOMPARE(h.caption(), QString("KELD - arrow"));
}

void SheetTest::defaultCaseMissing() {
    QTemporaryDir folder;
    SheetHarness h(folder.path());
    QCOMPARE(h.platform.texts(),
             QStringList{"Could not load the file " + folder.path() + "/Files/default.ini"});
    QCOMPARE(h.text(4)->text(), QString());
    QCOMPARE(h.combo(1)->count(), 0);
    QCOMPARE(h.state.INTERACTIVE, 1);
}

void SheetTest::resetAfterEdits() {
    SheetHarness h;
    h.option(2, 1)->click();
    h.option(1, 1)->click();
    h.type(4, "Changed");
    h.choose(2, "Duplex");
    h.state.record.COSTUSER = 40000;
    h.menu("CalcMenu_4")->trigger();
    QCOMPARE(h.caption(), QString("KELD - default.ini"));
    QCOMPARE(h.text(4)->text(), QString("Cooling Water Return"));
    QCOMPARE(h.text(3)->text(), QString("132.5"));
    QVERIFY(h.option(2, 0)->isChecked());
    QCOMPARE(h.state.record.ENGLISH, keld::Flag(true));
    QCOMPARE(h.combo(1)->count(), 23);
    QCOMPARE(h.combo(1)->currentText(), QString("Process Water"));
    QCOMPARE(h.combo(2)->currentText(), QString("Steel"));
    QCOMPARE(h.state.record.COSTUSER, 0.0);
}

// ---------------------------------------------------------------------------
// Calculate and the hand-overs.

void SheetTest::calculate() {
    SheetHarness h;
    h.type(4, "");
    h.sheet->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(h.platform.texts(), QStringList{"Input Project Title (Item 1)"});
    QVERIFY(h.flow.calls.isEmpty());
    h.platform.messages.clear();
    h.type(4, "Cooler");
    h.menu("CalcMenu_2")->trigger();
    QCOMPARE(h.platform.texts(), QStringList{"All calculation completed without error."});
    QCOMPARE(h.flow.calls, (QStringList{"hideCalc", "openReport"}));
    QCOMPARE(QString::fromStdString(h.state.record.TITLE), QString("Cooler"));
}

void SheetTest::outletAirForcesDraftInReportOnly() {
    SheetHarness h;
    h.flow.createReports(h.state, h.platform);
    enterHotCase(h);
    h.option(3, 1)->click(); // induced
    h.sheet->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(h.platform.messages.size(), std::size_t{2});
    QVERIFY(h.platform.messages[1].text.startsWith("Outlet air temperature > 250 Deg. F."));
    QVERIFY(h.option(3, 1)->isChecked());
    QCOMPARE(h.state.record.DRAFT, keld::Flag(true));
    QVERIFY(h.flow.report);
    const QString report = h.flow.report->findChild<QPlainTextEdit*>("txtOutputText")->toPlainText();
    QVERIFY(report.contains(QRegularExpression("Fan draft +Forced")));
    delete h.flow.report;
    // The same inputs again: only the completion message, the draft is forced now.
    h.platform.messages.clear();
    h.sheet->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(h.platform.texts(), QStringList{"All calculation completed without error."});
    delete h.flow.report;
}

void SheetTest::handOvers_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("pageSet");
    QTest::newRow("Instructions") << "CalcMenu_3" << QStringList{"hideCalc", "openPages"} << "Instructions";
    QTest::newRow("Tutorial") << "CalcMenu_5" << QStringList{"closeCalc", "openPages"} << "Brochure";
    QTest::newRow("About") << "CalcMenu_6" << QStringList{"openAbout"} << "unchanged";
    QTest::newRow("Exit") << "CalcMenu1_3" << QStringList{"closeCalc", "exitProgram"} << "unchanged";
}

void SheetTest::handOvers() {
    QFETCH(QString, item);
    QFETCH(QStringList, calls);
    QFETCH(QString, pageSet);
    SheetHarness h;
    h.state.tutorial.PageSet = "unchanged";
    QVERIFY(h.menu(item));
    h.menu(item)->trigger();
    QCOMPARE(h.flow.calls, calls);
    QCOMPARE(QString::fromStdString(h.state.tutorial.PageSet), pageSet);
}

void SheetTest::closingClearsPrice() {
    SheetHarness h;
    h.state.record.COSTUSER = 30000;
    h.sheet->close();
    QCOMPARE(h.state.record.COSTUSER, 0.0);
}

QTEST_MAIN(SheetTest)
#include "sheet_test.moc"
