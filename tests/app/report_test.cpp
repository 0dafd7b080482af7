// The report window opened by Calculate on the sheet: its font, its caption
// and template messages, its width, the printed page and the PDF file.

#include "harness.h"

#include "report_print.h"

#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocumentFragment>

namespace {

// The sheet's default case calculated, its report open.
void calculate(Program& p) {
    p.startOnSheet();
    p.act("calc:Command1");
    QVERIFY(p.window("report") != nullptr);
}

struct PrintedWord {
    QString text;
    int page; // from 1
    QRectF box;
};

// A PDF as `pdftotext -bbox` reads it: its title, the size of its (last)
// page in points, and its words in lines from top to bottom, page by page,
// and from left to right.
struct Printed {
    QString title;
    QSizeF page;
    QList<QList<PrintedWord>> lines;
};
Printed printed(const QString& pdf) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", pdf, "-"});
    process.waitForFinished(30000);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    Printed result;
    result.title = QRegularExpression("<title>([^<]*)</title>").match(out).captured(1);
    std::map<std::pair<int, double>, std::map<double, PrintedWord>> lines; // by page and top
    int page = 0;
    QRegularExpression word(R"re(<page width="([\d.]+)" height="([\d.]+)"|)re"
                            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" )re"
                            R"re(yMax="([\d.]+)">([^<]*)<)re");
    for (const auto& m : word.globalMatch(out)) {
        if (m.captured(0).startsWith("<page ")) {
            ++page;
            result.page = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        const QPointF topLeft(m.captured(3).toDouble(), m.captured(4).toDouble());
        lines[{page, topLeft.y()}][topLeft.x()] = {
            QTextDocumentFragment::fromHtml(m.captured(7)).toPlainText(), page, // "&amp;": "&"
            QRectF(topLeft, QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()))};
    }
    for (const auto& [top, words] : lines) {
        result.lines.append(QList<PrintedWord>());
        for (const auto& [x, w] : words) {
            result.lines.back().append(w);
        }
    }
    return result;
}

// The printed lines, their words apart by one blank: the body, and the last
// line of each page (its foot).
std::pair<QStringList, QStringList> bodyAndFeet(const Printed& printed) {
    std::pair<QStringList, QStringList> lines;
    for (qsizetype i = 0; i < printed.lines.size(); ++i) {
        QStringList words;
        for (const PrintedWord& w : printed.lines[i]) {
            words << w.text;
        }
        const bool foot = i + 1 == printed.lines.size() ||
                          printed.lines[i + 1].front().page != printed.lines[i].front().page;
        (foot ? lines.second : lines.first) << words.join(' ');
    }
    return lines;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

  private slots:
    // Read-only, in a face whose characters all have one advance, whatever
    // face the machine gave, in a window wide enough for its lines; Copy
    // takes the whole report, or the selection.
    void shownReport() {
        Program p;
        calculate(p);
        QCOMPARE(p.look("report:caption"), "KELD KELD2 Output - default.ini");
        auto* shown = p.control<QPlainTextEdit>("report", "txtOutputText");
        QCOMPARE(shown->horizontalScrollBar()->maximum(), 0);
        const QString text = p.look("report:txtOutputText");
        const QFontMetricsF metrics(p.control("report", "txtOutputText")->font());
        for (const QChar c : QStringLiteral("iM0.")) {
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(' '));
        }
        p.act("report:txtOutputText X");
        p.act("report:txtOutputText Backspace");
        QCOMPARE(p.look("report:txtOutputText"), text);
        p.act("report:txtOutputText Ctrl+C");
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QTextCursor word = shown->textCursor();
        word.select(QTextCursor::WordUnderCursor); // as a double click does
        shown->setTextCursor(word);
        p.act("report:OutMenu2_1");
        QCOMPARE(QGuiApplication::clipboard()->text(), "AIR");
    }

    // Without a report template the report still opens, after a message
    // shown under the normal pointer although the report is loading.
    void templateMissing() {
        QTemporaryDir folder;
        writeFile(folder.filePath("Files/default.ini"), shipped("Files/default.ini"));
        writeFile(folder.filePath("KELD4WIN.INI"), "[Brochure]\nTitleBar=T\n");
        Program p(folder.path());
        calculate(p);
        QCOMPARE(p.look("messages"),
                 "All calculation completed without error. | Could not open Output File.");
        QCOMPARE(p.platform.messages.back().icon, keld::MessageIcon::Exclamation);
        QCOMPARE(p.look("pointers") + '|' + p.look("windows") + '|' + p.look("report:caption"),
                 "arrow,arrow|report / calc|T KELD2 Output - default.ini");
    }

    // Printed (here to a PDF printer) and saved as PDF, every word of the
    // report, line by line, with the project's title and item as the
    // document's title. A printer that cannot be opened is said so, as a PDF
    // file that cannot be written; a cancel does nothing.
    void printed() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        QTemporaryDir dir;
        writeFile(dir.filePath("saved.pdf"), "An old file, overwritten");
        Program p;
        calculate(p);
        p.act("print:" + dir.filePath("printed.pdf"));
        p.act("report:txtOutputText Ctrl+P");
        p.act("save:" + dir.filePath("saved"));
        p.act("report:OutMenu1_2");
        QStringList report = p.look("report:txtOutputText").split('\n'); // one blank apart
        report.replaceInStrings(QRegularExpression("\\s+"), " ")
            .replaceInStrings(QRegularExpression("^ | $"), "");
        report.removeAll("");
        QVERIFY(report.size() > 80);
        for (const char* pdf : {"printed.pdf", "saved.pdf"}) {
            const Printed printed = ::printed(dir.filePath(pdf));
            QCOMPARE(printed.title, "Cooling Water Return - E-101");
            QCOMPARE(bodyAndFeet(printed).first, report);
        }

        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        const QString nowhere = dir.filePath("no/such/folder.pdf");
        for (const QString& step : QStringList{
                 "print:" + nowhere, "report:OutMenu_2", "print:cancel", "report:OutMenu_2",
                 "save:" + nowhere, "report:OutMenu1_2", "save:cancel", "report:OutMenu1_2"}) {
            p.act(step);
        }
        QCOMPARE(p.look("messages"),
                 "All calculation completed without error. | The report could not be printed on " +
                     nowhere +
                     ".\nFile, Save as PDF\u2026 keeps it as a file. | Could not save "
                     "the report in file " +
                     nowhere);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"printed.pdf", "saved.pdf"}));
    }

    // The print layout on a PDF writer: every line of the report in order,
    // none outside margins of 15 mm (a line of the report's full width
    // neither), "Page n of N" at the foot of every page, the title given,
    // on the paper of the locale (Letter in the United States).
    void pageLayout_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QSizeF>("points");
        QTest::newRow("en_US") << "en_US.UTF-8" << QSizeF(612, 792);
        QTest::newRow("es_US") << "es_US" << QSizeF(612, 792);
        QTest::newRow("en_GB") << "en_GB.UTF-8" << QSizeF(595, 842);
        QTest::newRow("C") << "C.UTF-8" << QSizeF(595, 842);
    }
    void pageLayout() {
        QFETCH(QString, locale);
        QFETCH(QSizeF, points);
        QStringList report;
        for (int n = 1; n <= 150; ++n) {
            report << QString("Line %1").arg(n);
        }
        report << QString(77, 'M');
        QTemporaryDir dir;
        const QString pdf = dir.filePath("layout.pdf");
        QVERIFY(keld::print::writeReportPdf(pdf, report.join("\r\n"), "Title - Item",
                                            keld::print::paperOfLocale(locale)));
        const Printed printed = ::printed(pdf);
        QCOMPARE(printed.title, "Title - Item");
        QCOMPARE(printed.page, points);
        const double margin = 15 / 25.4 * 72;
        const QRectF inside =
            QRectF(QPointF(0, 0), points).adjusted(margin, margin, -margin, -margin);
        const auto [body, feet] = bodyAndFeet(printed);
        const qsizetype pages = feet.size();
        for (const QList<PrintedWord>& line : printed.lines) {
            for (const PrintedWord& w : line) {
                QVERIFY2(inside.contains(w.box), qPrintable(w.text));
            }
        }
        for (qsizetype page = 1; page <= pages; ++page) {
            QCOMPARE(feet[page - 1], QString("Page %1 of %2").arg(page).arg(pages));
        }
        QCOMPARE(body, report);
        QVERIFY(pages >= 2);
        // The report's empty first line.
        const QRectF first = printed.lines.front().front().box;
        QVERIFY(first.top() >= inside.top() + first.height());
    }
};

KELD_TEST_CLASS(ReportTest)
#include "report_test.moc"
