// The Alternatives window: what needs its widgets. The sweep's figures are
// the core's to test (each alternative equals a single run).

#include "sheet_support.h"

#include "alternatives/frm_alternatives.h"
#include "planning/sweep_table.h"

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace keld::app;
using namespace keld::app::test;

class AlternativesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The sheet's own checks come first: a case that fails opens nothing.
    void refusedCaseOpensNothing() {
        SheetHarness h;
        h.paste(4, "");
        h.menu("CalcMenu_8")->trigger();
        QCOMPARE(h.platform.texts(), QStringList{"Input Project Title (Item 1)"});
        QVERIFY(h.flow.calls.isEmpty());
        h.paste(4, "Back again");
        h.menu("CalcMenu_8")->trigger();
        QCOMPARE(h.flow.calls, QStringList({"hideCalc", "openAlternatives"}));
    }

    // The default sweep at once; the chart has a curve per row count and the
    // best marked; double-clicking a row takes exactly its rows, length and
    // material to the sheet, which shows them when it is shown again.
    void sweepShownAndTaken() {
        SheetHarness h;
        const std::string before = h.state.sheet.projectFile();
        auto* w = new frmAlternatives(h.state, h.platform, h.flow);
        QTRY_VERIFY(w->result() && !w->sweeping());
        QCOMPARE(w->result()->all.size(), std::size_t{8 * 27});
        const auto* chart = w->findChild<QChartView*>("chtAlternatives")->chart();
        QCOMPARE(chart->series().size(), 9);
        QCOMPARE(chart->series().back()->name(), QString("Best"));
        QCOMPARE(h.state.sheet.projectFile(), before); // the sweep changes nothing

        auto* table = w->findChild<QTableView*>("tblAlternatives");
        QCOMPARE(table->model()->rowCount(), 216);
        const keld::planning::Alternative best = w->result()->all[w->result()->ranked.front()];
        emit table->doubleClicked(table->model()->index(0, 1));
        QCOMPARE(h.flow.calls, QStringList{"showCalc"});
        h.sheet->hide();
        h.sheet->show();
        QCOMPARE(h.text(8)->text(), QString::number(best.rows));
        QCOMPARE(h.text(11)->text().toStdString(),
                 keld::planning::lengthText(w->result()->length(best)));
        QVERIFY(h.state.sheet.rowsFixed());
    }

    // Cancelling stops the sweep, keeps what was shown and leaves the sheet.
    void cancelled() {
        SheetHarness h;
        const std::string before = h.state.sheet.projectFile();
        frmAlternatives w(h.state, h.platform, h.flow);
        QTRY_VERIFY(w.result() && !w.sweeping());
        w.findChild<QLineEdit*>("txtStep")->setText("0.001");
        w.startSweep();
        QVERIFY(w.sweeping());
        w.cancelSweep();
        QTRY_VERIFY(!w.sweeping());
        QCOMPARE(w.findChild<QLabel*>("lblStatus")->text(), QString("Cancelled."));
        QCOMPARE(w.result()->all.size(), std::size_t{216});
        QCOMPARE(h.state.sheet.projectFile(), before);
    }

    // Export writes what keld-size --sweep --csv writes for the same sweep.
    void exported() {
        QTemporaryDir folder;
        SheetHarness h;
        frmAlternatives w(h.state, h.platform, h.flow);
        QTRY_VERIFY(w.result() && !w.sweeping());
        h.platform.saveAnswers.push_back(folder.path() + "/alternatives");
        w.exportCsv();
        QFile file(folder.path() + "/alternatives.csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(),
                 keld::planning::sweepCsv(*w.result(), keld::Units::English));
    }
};

QTEST_MAIN(AlternativesTest)
#include "alternatives_test.moc"
