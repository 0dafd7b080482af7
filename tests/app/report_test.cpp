// The report window opened by Calculate on the sheet: its font, its caption
// and template messages, its size on the screen, and the printed page.

#include "harness.h"

#include "platform/placement.h"

#include <QProcess>
#include <QStandardPaths>

#include <set>

namespace {

// The sheet's default case calculated, its report open.
void calculate(Program& p) {
    p.startOnSheet();
    p.act("calc:Command1");
    QVERIFY(p.window("report") != nullptr);
}

struct PrintedWord {
    QString text;
    double xMin;
    double width; // of one character
};

// The words of a PDF (`pdftotext -bbox`), in lines from top to bottom and
// words from left to right.
QList<QList<PrintedWord>> printedLines(const QString& pdf) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", pdf, "-"});
    process.waitForFinished(30000);
    std::map<std::pair<int, double>, std::map<double, PrintedWord>> lines; // by page and top
    int page = 0;
    QRegularExpression word(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)<)re");
    for (const auto& m : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        if (m.captured(0) == "<page ") {
            ++page;
            continue;
        }
        const double x = m.captured(1).toDouble();
        lines[{page, m.captured(2).toDouble()}][x] = {
            m.captured(4), x, (m.captured(3).toDouble() - x) / m.captured(4).size()};
    }
    QList<QList<PrintedWord>> result;
    for (const auto& [top, words] : lines) {
        result.append(QList<PrintedWord>());
        for (const auto& [x, w] : words) {
            result.back().append(w);
        }
    }
    return result;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

  private slots:
    // Read-only, in a face whose characters all have one advance, whatever
    // face the machine gave.
    void shownReport() {
        Program p;
        calculate(p);
        QCOMPARE(p.look("report:caption"), "KELD KELD2 Output - default.ini");
        const QString text = p.look("report:txtOutputText");
        const QFontMetricsF metrics(p.control("report", "txtOutputText")->font());
        for (const QChar c : QStringLiteral("iM0.")) {
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(' '));
        }
        p.act("report:txtOutputText X");
        p.act("report:txtOutputText Backspace");
        QCOMPARE(p.look("report:txtOutputText"), text);
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

    // The window opens at the size it asks for, wide enough for the report's
    // lines, and centring keeps a size that fits the screen and cuts one that
    // does not to the available height.
    void keepsItsSizeWhenCentred() {
        Program p;
        calculate(p);
        QWidget* report = p.window("report");
        QCOMPARE(
            p.control<QPlainTextEdit>("report", "txtOutputText")->horizontalScrollBar()->maximum(),
            0);
        const QRect area = report->screen()->availableGeometry();
        const int frame = report->frameGeometry().height() - report->height();
        for (const int height : {300, 5000}) {
            report->resize(600, height);
            centreOnScreen(report);
            QCOMPARE(report->size(), QSize(600, std::min(height, area.height() - frame)));
            QVERIFY(area.contains(report->frameGeometry()));
        }
    }

    // Printed (here to a PDF printer) the English values and the Metric ones
    // of every line that has both stand in two columns; Save as PDF lays it
    // out alike; a printer that cannot be opened is said so.
    void printed() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QTemporaryDir dir;
        Program p;
        calculate(p);
        p.act("print:" + dir.filePath("printed.pdf"));
        p.act("report:txtOutputText Ctrl+P");
        p.act("save:" + dir.filePath("saved"));
        p.act("report:OutMenu1_2");
        const QList<QList<PrintedWord>> printed = printedLines(dir.filePath("printed.pdf"));
        QCOMPARE(printedLines(dir.filePath("saved.pdf")).size(), printed.size());
        std::set<std::pair<long, long>> columns; // where the two values start
        int lines = 0;
        for (const QList<PrintedWord>& line : printed) {
            // "Fan tip speed (ft/min | m/s)   10,000   50.8": a label, then two numbers.
            const auto number = [](const PrintedWord& w) {
                return w.text.contains(QRegularExpression("^\\$?-?\\d{1,3}(,\\d{3})*(\\.\\d+)?$"));
            };
            if (line.size() >= 3 && line.back().xMin > 300 && number(line.back()) &&
                number(line[line.size() - 2]) && !number(line[line.size() - 3])) {
                const bool dollar = line.back().text.startsWith('$'); // its digits count
                columns.insert({std::lround(line[line.size() - 2].xMin),
                                std::lround(line.back().xMin + (dollar ? line.back().width : 0))});
                ++lines;
            }
        }
        QVERIFY(lines >= 10);
        QCOMPARE(columns.size(), std::size_t{1});
        // The last line made it onto the paper: the printer broke the pages.
        QCOMPARE(printed.back().back().text, "scope.");

        p.platform.messages.clear();
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        p.act("print:" + dir.filePath("no/such/folder.pdf"));
        p.act("report:OutMenu_2");
        p.act("print:cancel");
        p.act("report:OutMenu_2");
        QCOMPARE(p.look("messages"), "The report could not be printed on " +
                                         dir.filePath("no/such/folder.pdf") +
                                         ".\nFile, Save as PDF\u2026 keeps it as a file.");
    }
};

KELD_TEST_CLASS(ReportTest)
#include "report_test.moc"
