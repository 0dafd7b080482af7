// The report window opened by a calculation on the sheet: its caption, font
// and text, its template cases, its closing, and the printed page.

#include "sheet_support.h"

#include "report/frm_calc_output.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>

using namespace keld::app;
using namespace keld::app::test;

namespace {

// A program folder with the shipped default case and a configuration of our own.
bool makeProgramFolder(const QString& folder, const QByteArray& ini,
                       const QByteArray& templateText) {
    QDir().mkpath(folder + "/Files");
    QFile::copy(QStringLiteral(KELD_PROGRAM_DIR "/Files/default.ini"),
                folder + "/Files/default.ini");
    QFile config(folder + "/KELD4WIN.INI");
    QFile report(folder + "/template.txt");
    return config.open(QIODevice::WriteOnly) && config.write(ini) == ini.size() &&
           report.open(QIODevice::WriteOnly) && report.write(templateText) == templateText.size();
}

// A sheet whose default case has been calculated, with its report open.
std::unique_ptr<SheetHarness> calculated(const QString& folder = QStringLiteral(KELD_PROGRAM_DIR)) {
    auto h = std::make_unique<SheetHarness>(folder);
    h->flow.createReports(h->state, h->platform);
    h->sheet->findChild<QPushButton*>("Command1")->click();
    return h;
}

QPlainTextEdit* reportBox(const SheetHarness& h) {
    return h.flow.report ? h.flow.report->findChild<QPlainTextEdit*>("txtOutputText") : nullptr;
}

// Where each field of a line begins, counted from its first character;
// fields are separated by two blanks or more.
QList<int> columns(const QString& line) {
    QList<int> starts;
    const int origin = static_cast<int>(line.indexOf(QRegularExpression("\\S")));
    QRegularExpressionMatchIterator it = QRegularExpression("(?:^|\\s{2,})(\\S)").globalMatch(line);
    while (it.hasNext()) {
        starts << static_cast<int>(it.next().capturedStart(1)) - origin;
    }
    return starts;
}

struct PrintedWord {
    QString text;
    double xMin;
    double xMax;
};
using PrintedLine = QList<PrintedWord>;

// The words of `pdftotext -bbox` output, in lines from top to bottom and
// words from left to right.
QList<PrintedLine> printedLines(const QString& html) {
    std::map<std::pair<int, long>, PrintedLine> lines;
    int page = -1;
    QRegularExpression item(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QRegularExpressionMatchIterator it = item.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        QString text = m.captured(4);
        text.replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"")
            .replace("&amp;", "&");
        lines[{page, std::lround(m.captured(2).toDouble() * 10)}].push_back(
            {text, m.captured(1).toDouble(), m.captured(3).toDouble()});
    }
    QList<PrintedLine> result;
    for (auto& [key, words] : lines) {
        std::sort(words.begin(), words.end(),
                  [](const PrintedWord& a, const PrintedWord& b) { return a.xMin < b.xMin; });
        result << words;
    }
    return result;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Read-only, in a fixed-pitch font (a fallback where Courier is missing).
    void shownReport() {
        auto h = calculated();
        QVERIFY(h->flow.report);
        QVERIFY(h->flow.report->isVisible());
        QCOMPARE(h->flow.report->windowTitle(), QString("KELD KELD2 Output - default.ini"));
        QPlainTextEdit* box = reportBox(*h);
        QVERIFY(box->isReadOnly());
        // Every character as wide as a blank, whatever face the machine gave.
        const QFontMetricsF metrics(box->font());
        for (const QChar c : QStringLiteral("iM0")) {
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(' '));
        }
        QCOMPARE(box->font().pointSizeF(), 9.0);
        const QString text = box->toPlainText();
        QVERIFY(text.contains("Cooling Water Return"));
        QVERIFY(
            text.contains(QRegularExpression("Fan tip speed \\(ft/min \\| m/s\\) +10,000 +50.8")));
        QVERIFY(text.contains(QRegularExpression("Evaluated cost.*\\(US\\$\\) \\d")));
        box->setFocus();
        QTest::keyClicks(box, "xyz");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->toPlainText(), text);
    }

    void templateCases_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("templateText");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("messages"); // after the completion message
        const QByteArray configured =
            "[Brochure]\nTitleBar=T\n[Calculations]\nOutput=template.txt\n";
        QTest::newRow("caption from the template")
            << configured << QByteArray("<TITLE>Report</TITLE>abc\r\n") << "Report"
            << "abc" << QStringList{};
        QTest::newRow("no template configured") << QByteArray("[Brochure]\nTitleBar=T\n")
                                                << QByteArray() << "T KELD2 Output - default.ini"
                                                << "" << QStringList{"Could not open Output File."};
    }

    void templateCases() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, templateText);
        QFETCH(QString, caption);
        QFETCH(QString, report);
        QFETCH(QStringList, messages);
        QTemporaryDir folder;
        QVERIFY(makeProgramFolder(folder.path(), ini, templateText));
        auto h = calculated(folder.path());
        QVERIFY(h->flow.report);
        QCOMPARE(h->flow.report->windowTitle(), caption);
        QCOMPARE(h->flow.report->reportText(), report);
        QCOMPARE(h->platform.texts(),
                 QStringList{"All calculation completed without error."} + messages);
        if (!messages.isEmpty()) {
            QCOMPARE(h->platform.messages.back().icon, keld::MessageIcon::Exclamation);
        }
        QVERIFY(h->flow.report->isVisible());
    }

    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("close box") << "" << QStringList{"showCalc"};
        QTest::newRow("Calculations") << "OutMenu_3" << QStringList{"showCalc"};
        QTest::newRow("Exit") << "OutMenu_4" << QStringList{"showCalc", "exitProgram"};
        QTest::newRow("File, Exit") << "OutMenu1_1" << QStringList{"showCalc", "exitProgram"};
    }

    void closing() {
        QFETCH(QString, how);
        QFETCH(QStringList, calls);
        auto h = calculated();
        QPointer<frmCalcOutput> report = h->flow.report;
        QVERIFY(report);
        h->state.sheet.setUserPrice(25000);
        h->flow.calls.clear();
        if (how.isEmpty()) {
            QVERIFY(report->close());
        } else {
            report->findChild<QAction*>(how)->trigger();
        }
        QCOMPARE(h->flow.calls, calls);
        QCOMPARE(h->state.sheet.userPrice(), 0.0);
        QTRY_VERIFY(report.isNull());
    }

    // Save as PDF lays the report out as Print does (printed here to a PDF
    // printer); a name without an extension gets ".pdf". Ctrl+P prints; a
    // printer that cannot be opened is said so.
    void savedAsPdfAndPrinted() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        const auto text = [&](const QString& pdf) {
            QProcess process;
            process.start(pdftotext, {"-layout", pdf, "-"});
            process.waitForFinished(30000);
            return process.readAllStandardOutput();
        };
        QTemporaryDir folder;
        auto h = calculated();
        h->platform.saveAnswers.push_back(folder.path() + "/saved");
        h->flow.report->findChild<QAction*>("OutMenu1_2")->trigger();
        h->platform.printAnswers.push_back(folder.path() + "/printed.pdf");
        h->flow.report->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->flow.report));
        QTest::keyClick(h->flow.report, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(text(folder.path() + "/saved.pdf").contains("Cooling Water Return"));
        QCOMPARE(text(folder.path() + "/saved.pdf"), text(folder.path() + "/printed.pdf"));

        h->platform.messages.clear();
        h->platform.printAnswers.push_back(folder.path() + "/no/such/folder.pdf");
        h->flow.report->findChild<QAction*>("OutMenu_2")->trigger();
        QCOMPARE(h->platform.texts(),
                 QStringList{"The report could not be printed on " + folder.path() +
                             "/no/such/folder.pdf.\nFile, Save as PDF\u2026 keeps it as a file."});
    }

    void printCancelled() {
        auto h = calculated();
        QVERIFY(h->flow.report);
        h->platform.messages.clear();
        h->flow.report->findChild<QAction*>("OutMenu_2")->trigger();
        QVERIFY(h->platform.messages.empty());
        QVERIFY(h->flow.report->isVisible());
    }

    void printedColumnsLineUp() {
        QTemporaryDir folder;
        const QString pdf = folder.path() + "/report.pdf";
        auto h = calculated();
        QVERIFY(h->flow.report);
        h->platform.printAnswers.push_back(pdf);
        h->flow.report->findChild<QAction*>("OutMenu_2")->trigger();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QProcess process;
        process.start(pdftotext, {"-bbox", pdf, "-"});
        QVERIFY(process.waitForFinished(30000));
        const QList<PrintedLine> printed =
            printedLines(QString::fromUtf8(process.readAllStandardOutput()));
        QVERIFY(printed.size() > 40);

        // Every report line with a value in both unit columns: its English value
        // and its Metric digits stand at the same place on the paper as on the
        // other such lines.
        QList<double> english;
        QList<double> metric;
        for (const QString& line : h->flow.report->reportText().split("\r\n")) {
            const QList<int> want = columns(line);
            if (want.size() != 3 || want[1] < 40) {
                continue;
            }
            const QStringList label = line.left(want[1]).simplified().split(' ');
            const auto match =
                std::find_if(printed.begin(), printed.end(), [&](const PrintedLine& p) {
                    return p.size() == label.size() + 2 &&
                           std::equal(
                               label.begin(), label.end(), p.begin(),
                               [](const QString& a, const PrintedWord& b) { return a == b.text; });
                });
            QVERIFY2(match != printed.end(), qPrintable(line));
            const PrintedWord& e = (*match)[label.size()];
            const PrintedWord& m = (*match)[label.size() + 1];
            const double charWidth = (e.xMax - e.xMin) / static_cast<double>(e.text.size());
            english << e.xMin;
            metric << m.xMin + (m.text.startsWith('$') ? charWidth : 0.0);
            QVERIFY(qAbs(metric.back() - english.back() - 13 * charWidth) < 0.5);
        }
        QVERIFY(english.size() >= 10);
        for (int i = 1; i < english.size(); ++i) {
            QVERIFY(qAbs(english[i] - english[0]) < 0.5);
            QVERIFY(qAbs(metric[i] - metric[0]) < 0.5);
        }
        // The last line made it onto the paper: the printer broke the pages.
        QVERIFY(std::any_of(printed.begin(), printed.end(), [](const PrintedLine& p) {
            return !p.isEmpty() && p.back().text == "scope.";
        }));
    }
};

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
