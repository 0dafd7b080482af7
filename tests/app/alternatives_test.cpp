// The Alternatives window, opened from the sheet: what needs its widgets.
// The sweep's figures are the core's to test (each alternative equals a
// single run).

#include "harness.h"

#include "alternatives/frm_alternatives.h"

#include <QChartView>

namespace {

frmAlternatives* openSwept(Program& p) {
    p.startOnSheet();
    p.act("calc:CalcMenu_8");
    auto* w = qobject_cast<frmAlternatives*>(p.window("alternatives"));
    const bool swept =
        w != nullptr && QTest::qWaitFor([w] { return w->result() && !w->sweeping(); }, 60000);
    return swept ? w : nullptr;
}

} // namespace

class AlternativesTest : public QObject {
    Q_OBJECT

  private slots:
    // A curve per row count and the best marked; double-clicking a row takes
    // exactly its rows and length to the sheet, which shows them again.
    void alternativeTaken() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        const auto* chart = w->findChild<QChartView*>("chtAlternatives")->chart();
        QCOMPARE(chart->series().size(), 9);
        QCOMPARE(chart->series().back()->name(), "Best");
        auto* table = w->findChild<QTableView*>("tblAlternatives");
        table->sortByColumn(2, Qt::DescendingOrder); // the longest tubes first
        const auto cell = [&](int column) {
            return table->model()->index(0, column).data().toString();
        };
        QCOMPARE(cell(2), "60.0");
        const QString rows = cell(1);
        emit table->doubleClicked(table->model()->index(0, 3));
        settle();
        QCOMPARE(p.look("windows"), "calc /");
        QCOMPARE(p.look("calc:Text8") + '|' + p.look("calc:Text11") + '|' + p.look("rowsFixed"),
                 rows + "|60|1");
    }

    // Cancelling a sweep keeps what was shown; closing leaves the sheet.
    void cancelledAndClosed() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        const std::string before = p.state.sheet.projectFile();
        p.act("alternatives:txtStep=0.001");
        p.act("alternatives:cmdSweep");
        QVERIFY(w->sweeping());
        p.act("alternatives:cmdCancel");
        QTRY_COMPARE(p.look("alternatives:lblStatus"), "Cancelled.");
        QCOMPARE(w->result()->all.size(), std::size_t{216});
        p.act("alternatives:cmdClose");
        QCOMPARE(p.look("windows"), "calc /");
        QCOMPARE(p.state.sheet.projectFile(), before);
        QCOMPARE(p.look("calc:caption"), "KELD - default.ini");
    }
};

KELD_TEST_CLASS(AlternativesTest)
#include "alternatives_test.moc"
