// The windows of the sheet's results: the report window opened by Calculate,
// and the Alternatives window, where what needs its widgets (the sweep's
// figures are the core's to test, each alternative equal to a single run).

#include "harness.h"

#include "alternatives/frm_alternatives.h"
#include "report_print.h"

#include <QtCharts>

namespace {

// Lines with their words one blank apart, empty ones left out.
QStringList wordLines(const QString& text) {
    QStringList lines = text.split('\n').replaceInStrings(QRegularExpression("\\s+"), " ");
    lines.replaceInStrings(QRegularExpression("^ | $"), "").removeAll("");
    return lines;
}
QString pdftotext(const QString& how, const QString& pdf) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {how, pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class OutputTest : public QObject {
    Q_OBJECT

    static constexpr const char* kSwept = "~alternatives:lblStatus=216 alternatives: 216 feasible, "
                                          "0 infeasible.";

  private slots:
    // Read-only, in a face whose characters all have one advance whatever face
    // the machine gave, in a window wide enough for its lines; Copy takes the
    // whole report or the selection. Printed (to a PDF printer here) and saved
    // as PDF: every word, line by line, titled with the project's title and
    // item, inside margins of 15 mm (the widest line too), "Page n of N" at
    // each page's foot. A printer or PDF file that fails is said so; a cancel
    // does nothing.
    void shownAndPrinted() {
        Program p;
        p.startOnSheet();
        p.run({"calc:Command1", "?report:caption=KELD KELD2 Output - default.ini"});
        auto* shown = p.control<QPlainTextEdit>("report", "txtOutputText");
        QCOMPARE(shown->horizontalScrollBar()->maximum(), 0);
        const QString text = p.look("report:txtOutputText");
        const QFontMetricsF metrics(shown->font());
        for (const QChar c : QStringLiteral("iM0.")) {
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(' '));
        }
        p.run({"report:txtOutputText X", "report:txtOutputText Backspace",
               "?report:txtOutputText=" + text, "report:txtOutputText Ctrl+C"});
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QTextCursor word = shown->textCursor();
        word.select(QTextCursor::WordUnderCursor); // as a double click does
        shown->setTextCursor(word);
        p.act("report:OutMenu2_1");
        QCOMPARE(QGuiApplication::clipboard()->text(), "AIR");

        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        QTemporaryDir dir;
        writeFile(dir.filePath("saved.pdf"), "An old file, overwritten");
        p.run({"print:" + dir.filePath("printed.pdf"), "report:txtOutputText Ctrl+P",
               "save:" + dir.filePath("saved"), "report:OutMenu1_2"});
        const QStringList report = wordLines(p.look("report:txtOutputText"));
        const double margin = 15 / 25.4 * 72;
        for (const QString& pdf : {dir.filePath("printed.pdf"), dir.filePath("saved.pdf")}) {
            // Each page's size and each word's box, from the top, in points.
            const QString boxes = pdftotext("-bbox", pdf);
            QCOMPARE(QRegularExpression("<title>([^<]*)<").match(boxes).captured(1),
                     "Cooling Water Return - E-101");
            QRectF inside; // the page within its margins
            bool first = true;
            for (const QString& tag :
                 boxes.split('<').filter(QRegularExpression("^(page|word) "))) {
                QList<double> n;
                for (const auto& m : QRegularExpression(R"re("([\d.]+)")re").globalMatch(tag)) {
                    n << m.captured(1).toDouble();
                }
                if (tag.startsWith("page")) {
                    inside = QRectF(0, 0, n[0], n[1]).adjusted(margin, margin, -margin, -margin);
                    continue;
                }
                const QRectF box(QPointF(n[0], n[1]), QPointF(n[2], n[3]));
                QVERIFY2(inside.contains(box), qPrintable(tag));
                // The empty line before the report.
                QVERIFY(!std::exchange(first, false) || box.top() >= inside.top() + box.height());
            }
            // The lines page by page, the last of each its foot.
            const QStringList pages = pdftotext("-layout", pdf).split('\f', Qt::SkipEmptyParts);
            QVERIFY(pages.size() >= 2);
            QStringList body;
            for (qsizetype page = 0; page < pages.size(); ++page) {
                const QStringList lines = wordLines(pages[page]);
                QCOMPARE(lines.value(lines.size() - 1),
                         QString("Page %1 of %2").arg(page + 1).arg(pages.size()));
                body << lines.mid(0, lines.size() - 1);
            }
            QCOMPARE(body, report);
        }

        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        const QString nowhere = dir.filePath("no/such/folder.pdf");
        p.run({"print:" + nowhere, "report:OutMenu_2", "print:cancel", "report:OutMenu_2",
               "save:" + nowhere, "report:OutMenu1_2", "save:cancel", "report:OutMenu1_2",
               QString("?messages=All calculation completed without error. | The report could "
                       "not be printed on %1.\nFile, Save as PDF\u2026 keeps it as a file. | "
                       "Could not save the report in file %1")
                   .arg(nowhere)});
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"printed.pdf", "saved.pdf"}));
    }

    // The paper of the locale: Letter in the United States, A4 elsewhere
    // (keld-size's PDF test holds what each measures, and en_US).
    void paperOfTheLocale() {
        QCOMPARE(keld::print::paperOfLocale("es_US"), keld::print::Paper::Letter);
        QCOMPARE(keld::print::paperOfLocale("C.UTF-8"), keld::print::Paper::A4);
    }

    // A curve per row count, the best marked where the cheapest row lies; a
    // point found from anywhere near it on its curve: hovering shows its
    // figures, a double click takes its rows and length to the sheet. The
    // table: lengths with the step's decimals, the note whole, a row taken.
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

    // The controls: ranking, every material, unusual proportions left out, a
    // range that gives no lengths, a cancelled sweep that leaves the fields as
    // the shown sweep was asked; counts grouped by thousands, the length axis
    // in round steps. A CSV that cannot be written says so; closing leaves the
    // sheet as it was; the Options reach the next sweep (no fan meets 40 dB(A)).
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

KELD_TEST_CLASS(OutputTest)
#include "output_test.moc"
