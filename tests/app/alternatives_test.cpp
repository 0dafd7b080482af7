// The Alternatives window, opened from the sheet: what needs its widgets.
// The sweep's figures are the core's to test (each alternative equals a
// single run).

#include "harness.h"

#include "alternatives/frm_alternatives.h"

#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

class AlternativesTest : public QObject {
    Q_OBJECT

    static constexpr const char* kSwept = "~alternatives:lblStatus=216 alternatives: 216 feasible, "
                                          "0 infeasible.";

  private slots:
    // A curve per row count, the best marked where the cheapest row lies;
    // a point is found from anywhere near it on its curve: hovering shows
    // its figures, double-clicking takes exactly its rows and length to the
    // sheet, which shows them again. The table: lengths with the step's
    // decimals, the note whole, a row taken by a double click.
    void taken() {
        Program p;
        p.startOnSheet();
        p.run({"calc:CalcMenu_8", kSwept});
        QWidget* w = p.window("alternatives");
        const QList<QAbstractSeries*> series =
            w->findChild<QChartView*>("chtAlternatives")->chart()->series();
        QCOMPARE(series.size(), 9);
        auto* best = qobject_cast<QScatterSeries*>(series.back());
        QVERIFY(best != nullptr && best->count() == 1);
        auto* table = w->findChild<QTableView*>("tblAlternatives");
        const auto cell = [&table](int row, int column) {
            return table->model()->index(row, column).data().toString();
        };
        // The default case's cheapest: 4 rows, 58 ft tubes, 175,146 US$.
        QCOMPARE(cell(0, 1) + ' ' + cell(0, 2), "4 58");
        QCOMPARE(best->at(0).toPoint(), QPoint(58, 175146));
        auto* fourRows = qobject_cast<QLineSeries*>(series.at(1));
        QCOMPARE(fourRows->name(), "4 rows");
        emit fourRows->hovered(QPointF(57.3, 176000), true);
        QVERIFY(QToolTip::text().startsWith("4 rows, 58 ft, Steel\nprice 175,000 US$"));
        emit best->hovered(best->at(0), true);
        QVERIFY(QToolTip::text().startsWith("Best: 4 rows, 58 ft"));
        emit fourRows->doubleClicked(QPointF(41.2, 260000)); // nearest: 42 ft
        settle();
        p.run({"?windows=calc /", "?calc:Text8=4", "?calc:Text11=42", "?rowsFixed=1",
               "calc:CalcMenu_8", kSwept});
        table = p.window("alternatives")->findChild<QTableView*>("tblAlternatives");
        table->sortByColumn(2, Qt::DescendingOrder); // the longest tubes first
        QCOMPARE(cell(0, 2), "60");
        const int note = table->model()->columnCount() - 1;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            QVERIFY(table->columnWidth(note) >=
                    table->fontMetrics().horizontalAdvance(cell(row, note)));
        }
        const QString rows = cell(0, 1);
        emit table->doubleClicked(table->model()->index(0, 2));
        settle();
        QCOMPARE(p.look("calc:Text8") + '|' + p.look("calc:Text11"), rows + "|60");
    }

    // The controls: ranking, every material, unusual proportions left out,
    // a range that gives no lengths, a cancelled sweep that leaves the
    // fields as the shown sweep was asked; the counts grouped by thousands
    // and the length axis in round steps. A CSV that cannot be written says
    // so; closing leaves the sheet as it was; the Options reach the next
    // sweep (no fan meets a noise limit of 40 dB(A)).
    void controls() {
        Program p;
        p.startOnSheet();
        const std::string before = p.state.sheet.projectFile();
        p.run({"calc:CalcMenu_8", kSwept});
        auto* w = qobject_cast<frmAlternatives*>(p.window("alternatives"));
        const auto* x = qobject_cast<QValueAxis*>(
            w->findChild<QChartView*>("chtAlternatives")->chart()->axes(Qt::Horizontal).front());
        QCOMPARE(QString("%1 to %2 in %3").arg(x->min()).arg(x->max()).arg(x->tickCount() - 1),
                 "0 to 70 in 7"); // 8 to 60 ft by 2, in steps of 10 ft
        const QString some = "~alternatives:lblStatus=2,160 alternatives: 1,420 feasible, 740 "
                             "infeasible.";
        p.run({"alternatives:chkAllMaterials",
               "~alternatives:lblStatus=2,160 alternatives: 2,160 feasible, 0 infeasible.",
               "alternatives:chkUsualOnly", some, "alternatives:cboRank=Weight", some});
        QCOMPARE(w->result()->ranked.front(), *w->result()->lightest);
        QTemporaryDir dir;
        p.run({"alternatives:txtStep=0", "alternatives:cmdSweep",
               "?alternatives:lblStatus=Tube lengths: a range needs FROM not above TO and a STEP "
               "above 0.",
               "?alternatives:prgSweep value=0", "alternatives:txtStep=0.001",
               "alternatives:cmdSweep", "?alternatives:cmdCancel enabled=1",
               "?alternatives:prgSweep value=0", "alternatives:cmdCancel",
               "~alternatives:lblStatus=Cancelled.", "?alternatives:txtStep=2",
               "?alternatives:cboRank=Weight"});
        QCOMPARE(w->result()->all.size(), std::size_t{2160});
        p.run(
            {"save:" + dir.path() + "/no folder/a.csv", "alternatives:cmdExport",
             "?messages=Could not save the alternatives in file " + dir.path() + "/no folder/a.csv",
             "alternatives:cmdClose", "?windows=calc /", "?calc:caption=KELD - default.ini",
             "answer:noise-limit=40;Command1", "calc:CalcMenu_7", "calc:CalcMenu_8",
             "~alternatives:lblStatus=216 alternatives: 0 feasible, 216 infeasible."});
        QCOMPARE(p.state.sheet.projectFile(), before);
    }
};

KELD_TEST_CLASS(AlternativesTest)
#include "alternatives_test.moc"
