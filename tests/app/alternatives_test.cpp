// The Alternatives window, opened from the sheet: what needs its widgets.
// The sweep's figures are the core's to test (each alternative equals a
// single run).

#include "harness.h"

#include "alternatives/frm_alternatives.h"

#include <QChartView>
#include <QLineSeries>
#include <QProgressBar>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

namespace {

frmAlternatives* swept(Program& p) {
    auto* w = qobject_cast<frmAlternatives*>(p.window("alternatives"));
    const bool done =
        w != nullptr && QTest::qWaitFor([w] { return w->result() && !w->sweeping(); }, 60000);
    return done ? w : nullptr;
}

frmAlternatives* openSwept(Program& p) {
    p.startOnSheet();
    p.act("calc:CalcMenu_8");
    return swept(p);
}

QChart* chartOf(frmAlternatives* w) {
    return w->findChild<QChartView*>("chtAlternatives")->chart();
}

} // namespace

class AlternativesTest : public QObject {
    Q_OBJECT

  private slots:
    // A curve per row count, the best marked where the cheapest row lies;
    // a point is found from anywhere near it on its curve: hovering shows
    // its figures, double-clicking takes exactly its rows and length to the
    // sheet, which shows them again.
    void pointTaken() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        const QList<QAbstractSeries*> series = chartOf(w)->series();
        QCOMPARE(series.size(), 9);
        auto* best = qobject_cast<QScatterSeries*>(series.back());
        QVERIFY(best != nullptr && best->count() == 1);
        auto* table = w->findChild<QTableView*>("tblAlternatives");
        const auto cell = [&](int row, int column) {
            return table->model()->index(row, column).data().toString();
        };
        // The default case's cheapest: 4 rows, 58 ft tubes, 175,146 US$.
        QCOMPARE(cell(0, 1) + ' ' + cell(0, 2), "4 58");
        QCOMPARE(best->at(0).x(), 58.0);
        QCOMPARE(qRound(best->at(0).y()), 175146);
        auto* fourRows = qobject_cast<QLineSeries*>(series.at(1));
        QCOMPARE(fourRows->name(), "4 rows");
        emit fourRows->hovered(QPointF(57.3, 176000), true);
        QVERIFY(QToolTip::text().startsWith("4 rows, 58 ft, Steel\nprice 175,000 US$"));
        emit best->hovered(best->at(0), true);
        QVERIFY(QToolTip::text().startsWith("Best: 4 rows, 58 ft"));
        emit fourRows->doubleClicked(QPointF(41.2, 260000)); // nearest: 42 ft
        settle();
        QCOMPARE(p.look("windows"), "calc /");
        QCOMPARE(p.look("calc:Text8") + '|' + p.look("calc:Text11") + '|' + p.look("rowsFixed"),
                 "4|42|1");
    }

    // The table: lengths with the step's decimals, the note whole, a row
    // taken by a double click.
    void rowTaken() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        auto* table = w->findChild<QTableView*>("tblAlternatives");
        table->sortByColumn(2, Qt::DescendingOrder); // the longest tubes first
        const QModelIndex longest = table->model()->index(0, 2);
        QCOMPARE(longest.data().toString(), "60");
        const int note = table->model()->columnCount() - 1;
        int widest = 0;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            widest = std::max(widest, table->fontMetrics().horizontalAdvance(
                                          table->model()->index(row, note).data().toString()));
        }
        QVERIFY(table->columnWidth(note) >= widest);
        const QString rows = table->model()->index(0, 1).data().toString();
        emit table->doubleClicked(longest);
        settle();
        QCOMPARE(p.look("calc:Text8") + '|' + p.look("calc:Text11"), rows + "|60");
    }

    // The controls: ranking, every material, unusual proportions left out,
    // a range that gives no lengths, a cancelled sweep that leaves the
    // fields as the shown sweep was asked; the counts grouped by thousands
    // and the length axis in round steps.
    void controls() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        QCOMPARE(p.look("alternatives:lblStatus"), "216 alternatives: 216 feasible, 0 infeasible.");
        const auto* x = qobject_cast<QValueAxis*>(chartOf(w)->axes(Qt::Horizontal).front());
        QCOMPARE(QString("%1 to %2 in %3").arg(x->min()).arg(x->max()).arg(x->tickCount() - 1),
                 "0 to 70 in 7"); // 8 to 60 ft by 2, in steps of 10 ft
        p.act("alternatives:chkAllMaterials");
        QVERIFY(swept(p));
        QCOMPARE(p.look("alternatives:lblStatus"),
                 "2,160 alternatives: 2,160 feasible, 0 infeasible.");
        p.act("alternatives:chkUsualOnly");
        QVERIFY(swept(p));
        QCOMPARE(p.look("alternatives:lblStatus"),
                 "2,160 alternatives: 1,420 feasible, 740 infeasible.");
        p.act("alternatives:cboRank=Weight");
        QVERIFY(swept(p));
        const keld::sweep::Result& r = *w->result();
        QCOMPARE(r.ranked.front(), *r.lightest);
        p.act("alternatives:txtStep=0");
        p.act("alternatives:cmdSweep");
        QCOMPARE(p.look("alternatives:lblStatus"),
                 "Tube lengths: a range needs FROM not above TO and a STEP above 0.");
        QCOMPARE(w->findChild<QProgressBar*>("prgSweep")->value(), 0);
        p.act("alternatives:txtStep=0.001");
        p.act("alternatives:cmdSweep");
        QVERIFY(w->sweeping());
        QCOMPARE(w->findChild<QProgressBar*>("prgSweep")->value(), 0);
        p.act("alternatives:cmdCancel");
        QTRY_COMPARE(p.look("alternatives:lblStatus"), "Cancelled.");
        QCOMPARE(w->result()->all.size(), std::size_t{2160});
        QCOMPARE(p.look("alternatives:txtStep") + '|' + p.look("alternatives:cboRank"), "2|Weight");
    }

    // Closing leaves the sheet as it was; a CSV that cannot be written says so;
    // the Options reach the next sweep (no fan meets a noise limit of 40 dB(A)).
    void closedAndExported() {
        Program p;
        frmAlternatives* w = openSwept(p);
        QVERIFY(w != nullptr);
        const std::string before = p.state.sheet.projectFile();
        QTemporaryDir dir;
        p.act("save:" + dir.path() + "/no folder/a.csv");
        p.act("alternatives:cmdExport");
        QCOMPARE(p.look("messages"),
                 "Could not save the alternatives in file " + dir.path() + "/no folder/a.csv");
        p.act("alternatives:cmdClose");
        QCOMPARE(p.look("windows"), "calc /");
        QCOMPARE(p.state.sheet.projectFile(), before);
        QCOMPARE(p.look("calc:caption"), "KELD - default.ini");
        p.act("answer:noise-limit=40;Command1");
        p.act("calc:CalcMenu_7");
        p.act("calc:CalcMenu_8");
        QVERIFY(swept(p));
        QCOMPARE(p.look("alternatives:lblStatus"), "216 alternatives: 0 feasible, 216 infeasible.");
    }
};

KELD_TEST_CLASS(AlternativesTest)
#include "alternatives_test.moc"
