// The report window opened by Calculate on the sheet: its font, its caption,
// its width, the printed page and the PDF file.

#include "harness.h"

#include "report_print.h"

#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>

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

class ReportTest : public QObject {
    Q_OBJECT

  private slots:
    // Read-only, in a face whose characters all have one advance, whatever
    // face the machine gave, in a window wide enough for its lines; Copy
    // takes the whole report, or the selection. Printed (here to a PDF
    // printer) and saved as PDF, every word of the report, line by line, with
    // the project's title and item as the document's title, none outside
    // margins of 15 mm (the report's widest line neither), "Page n of N" at
    // the foot of every page. A printer that cannot be opened is said so, as
    // a PDF file that cannot be written; a cancel does nothing.
    void shownAndPrinted() {
        Program p;
        p.startOnSheet();
        p.run({"calc:Command1", "?report:caption=KELD KELD2 Output - default.ini"});
        auto* shown = p.control<QPlainTextEdit>("report", "txtOutputText");
        QCOMPARE(shown->horizontalScrollBar()->maximum(), 0);
        const QString text = p.look("report:txtOutputText");
        const QFontMetricsF metrics(p.control("report", "txtOutputText")->font());
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
        QVERIFY(report.size() > 80);
        const double margin = 15 / 25.4 * 72;
        const QRegularExpression number(R"re("([\d.]+)")re");
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
                for (const auto& m : number.globalMatch(tag)) {
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
            QStringList pages = pdftotext("-layout", pdf).split('\f');
            pages.removeAll("");
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
};

KELD_TEST_CLASS(ReportTest)
#include "report_test.moc"
