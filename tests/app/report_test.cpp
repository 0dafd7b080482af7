// The report window opened by Calculate on the sheet: its font, its caption
// and template messages, its size on the screen, and the printed page.

#include "harness.h"

#include "platform/placement.h"
#include "report_print.h"

#include <QClipboard>
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
            m.captured(7), page,
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

QString joined(const QList<PrintedWord>& line) {
    QStringList words;
    for (const PrintedWord& w : line) {
        words << w.text;
    }
    return words.join(' ');
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

  private slots:
    // Read-only, in a face whose characters all have one advance, whatever
    // face the machine gave; Copy takes the whole report, or the selection.
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
        p.act("report:txtOutputText Ctrl+C");
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        auto* shown = p.control<QPlainTextEdit>("report", "txtOutputText");
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
    // out alike; both carry the project's title and item as the document's
    // title; a printer that cannot be opened is said so.
    void printed() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        QTemporaryDir dir;
        Program p;
        calculate(p);
        p.act("print:" + dir.filePath("printed.pdf"));
        p.act("report:txtOutputText Ctrl+P");
        p.act("save:" + dir.filePath("saved"));
        p.act("report:OutMenu1_2");
        const Printed printed = ::printed(dir.filePath("printed.pdf"));
        const Printed saved = ::printed(dir.filePath("saved.pdf"));
        QCOMPARE(saved.lines.size(), printed.lines.size());
        QCOMPARE(printed.title + '|' + saved.title, "Cooling Water Return - E-101|"
                                                    "Cooling Water Return - E-101");
        std::set<std::pair<long, long>> columns; // where the two values start
        int lines = 0;
        for (const QList<PrintedWord>& line : printed.lines) {
            // "Fan tip speed (ft/min | m/s)   10,000   50.8": a label, then two numbers.
            const auto number = [](const PrintedWord& w) {
                return w.text.contains(QRegularExpression("^\\$?-?\\d{1,3}(,\\d{3})*(\\.\\d+)?$"));
            };
            if (line.size() >= 3 && line.back().box.left() > 300 && number(line.back()) &&
                number(line[line.size() - 2]) && !number(line[line.size() - 3])) {
                // The dollar's digits count.
                const PrintedWord& metric = line.back();
                const double dollar =
                    metric.text.startsWith('$') ? metric.box.width() / metric.text.size() : 0;
                columns.insert({std::lround(line[line.size() - 2].box.left()),
                                std::lround(metric.box.left() + dollar)});
                ++lines;
            }
        }
        QVERIFY(lines >= 10);
        QCOMPARE(columns.size(), std::size_t{1});

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
        const int pages = printed.lines.back().front().page;
        QStringList body;
        for (qsizetype i = 0; i < printed.lines.size(); ++i) {
            const QList<PrintedWord>& line = printed.lines[i];
            for (const PrintedWord& w : line) {
                QVERIFY2(inside.contains(w.box), qPrintable(w.text));
            }
            const int page = line.front().page;
            const bool foot =
                i + 1 == printed.lines.size() || printed.lines[i + 1].front().page != page;
            if (foot) {
                QCOMPARE(joined(line), QString("Page %1 of %2").arg(page).arg(pages));
            } else {
                body << joined(line);
            }
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
