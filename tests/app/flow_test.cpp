// The window flow of the whole program with the real windows and the shipped
// program folder: every hand-over between the cover, the sheet, the report,
// the pages, the zoom window and the About box, and when the program ends.

#include "app_state.h"
#include "shell/app_windows.h"
#include "shell_test_support.h"
#include "test_platform.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace keld::app;
using namespace keld::app::test;

namespace {

const QStringList kWindows = {"cover", "calc", "report", "pages", "zoom", "about"};

QWidget* windowNamed(const AppWindows& w, const QString& name) {
    QWidget* const all[] = {w.cover(), w.calc(), w.report(), w.pages(), w.zoom(), w.about()};
    const auto i = kWindows.indexOf(name);
    return i < 0 ? nullptr : all[i];
}

// The loaded windows, the visible ones and the hidden ones, as "a b / c".
QString loadedWindows(const AppWindows& windows) {
    QStringList shown;
    QStringList hidden;
    for (const QString& name : kWindows) {
        if (QWidget* w = windowNamed(windows, name)) {
            (w->isVisible() ? shown : hidden) << name;
        }
    }
    return (shown.join(' ') + " / " + hidden.join(' ')).trimmed();
}

// One user action: "window:item" triggers a menu item or clicks a button,
// "window:close" uses the window's close box, "about:deactivate" moves the
// focus away from the About box.
bool act(const AppWindows& windows, const QString& step) {
    const QString name = step.section(':', 0, 0);
    const QString what = step.section(':', 1);
    QWidget* window = windowNamed(windows, name);
    if (window == nullptr) {
        qWarning("no window %s for %s", qPrintable(name), qPrintable(step));
        return false;
    }
    bool done = true;
    if (what == "close") {
        window->close();
    } else if (auto* button = window->findChild<QPushButton*>(what)) {
        button->click();
    } else if (what == "deactivate") {
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(window, &deactivate);
    } else {
        done = trigger(window, what);
        if (!done) {
            qWarning("no enabled item %s", qPrintable(step));
        }
    }
    settle();
    return done;
}

struct Program {
    Program() {
        useShippedFolder(state);
        windows.start();
        settle();
    }
    AppState state;
    TestPlatform platform;
    AppWindows windows{state, platform};
};

QString text(QWidget* window, const char* name) {
    if (auto* line = window->findChild<QLineEdit*>(name))
        return line->text();
    if (auto* label = window->findChild<QLabel*>(name))
        return label->text();
    return {};
}

} // namespace

class FlowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Every row of the window flow: after the steps, which windows are
    // loaded (shown / hidden), and whether the program has ended.
    void handOvers_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("windows");
        QTest::addColumn<int>("ends");
        const auto row = [](const char* name, const QString& steps, const char* windows, int ends) {
            QTest::newRow(name) << steps.split(' ') << QString(windows) << ends;
        };
        const QString sheet = "cover:MainMenu_3 calc:";
        const QString tutorial = "cover:MainMenu_2 pages:";
        const QString report = "cover:MainMenu_3 calc:CalcMenu_2 report:";
        const QString instructions = "cover:MainMenu_3 calc:CalcMenu_3 pages:";
        row("cover &Tutorial", "cover:MainMenu_2", "pages /", 0);
        row("cover &About", "cover:MainMenu_4", "cover about /", 0);
        row("cover &Exit", "cover:MainMenu1_1", "/", 1);
        row("cover closed", "cover:close", "/", 1);
        row("About OK", "cover:MainMenu_4 about:cmdOK", "cover /", 0);
        row("About loses the focus", "cover:MainMenu_4 about:deactivate", "cover /", 0);
        row("pages &Next", tutorial + "PageMenu_4", "pages /", 0);
        row("tutorial &Previous from page 1", tutorial + "PageMenu_3", "cover /", 0);
        row("pages &Zoom", tutorial + "PageMenu_5", "zoom / pages", 0);
        row("zoom &Back", tutorial + "PageMenu_5 zoom:GraphMenu", "pages /", 0);
        row("zoom closed", tutorial + "PageMenu_5 zoom:close", "pages /", 0);
        row("pages &About", tutorial + "PageMenu_6", "pages about /", 0);
        row("pages &Exit", tutorial + "PageMenu1_1", "/", 1);
        row("tutorial closed, nothing else loaded", tutorial + "close", "/", 1);
        row("cover &Calculations", "cover:MainMenu_3", "calc /", 0);
        row("sheet Calculate", sheet + "CalcMenu_2", "report / calc", 0);
        row("sheet &Instructions", sheet + "CalcMenu_3", "pages / calc", 0);
        row("sheet &Tutorial", sheet + "CalcMenu_5", "pages /", 0);
        row("sheet &About", sheet + "CalcMenu_6", "calc about /", 0);
        row("sheet &Exit", sheet + "CalcMenu1_3", "/", 1);
        row("sheet closed", sheet + "close", "/", 1);
        row("report &Print", report + "OutMenu_2", "report / calc", 0);
        row("report &Calculations", report + "OutMenu_3", "calc /", 0);
        row("report closed", report + "close", "calc /", 0);
        row("report &Exit", report + "OutMenu_4", "/", 1);
        row("report &File &Exit", report + "OutMenu1_1", "/", 1);
        row("tutorial &Calculations", tutorial + "PageMenu_2", "calc /", 0);
        row("instructions &Calculations", instructions + "PageMenu_2", "calc /", 0);
        row("instructions &Previous from page 1", instructions + "PageMenu_3", "calc /", 0);
        row("instructions closed", instructions + "close", "calc /", 0);
        row("instructions &Exit", instructions + "PageMenu1_1", "/ calc", 1);
        row("instructions zoom and back", instructions + "PageMenu_5 zoom:GraphMenu",
            "pages / calc", 0);
    }
    void handOvers() {
        QFETCH(QStringList, steps);
        QFETCH(QString, windows);
        QFETCH(int, ends);
        Program p;
        QTemporaryDir printFolder;
        p.platform.printAnswers.push_back(printFolder.filePath("report.pdf"));
        for (const QString& step : steps) {
            QVERIFY2(act(p.windows, step), qPrintable(step));
        }
        if (ends == 0 || windows != "/") {
            QCOMPARE(loadedWindows(p.windows), windows);
        }
        QCOMPARE(p.platform.endCount, ends);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Zoom and back keeps the page, its text and its picture.
    void zoomKeepsThePage() {
        Program p;
        QVERIFY(act(p.windows, "cover:MainMenu_2"));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(act(p.windows, "pages:PageMenu_4"));
        }
        QWidget* pages = p.windows.pages();
        const QString before = pages->findChild<QPlainTextEdit*>("txtPageText")->toPlainText();
        QVERIFY(act(p.windows, "pages:PageMenu_5"));
        QVERIFY(!p.windows.zoom()->findChild<QLabel*>("imgGraphFile")->pixmap().isNull());
        QVERIFY(act(p.windows, "zoom:GraphMenu"));
        QCOMPARE(p.windows.pages(), pages);
        QCOMPARE(text(pages, "lblPage"), QString("Page 4 of 16"));
        QCOMPARE(pages->findChild<QPlainTextEdit*>("txtPageText")->toPlainText(), before);
    }

    // A window that has closed counts as gone at once, before Qt deletes it;
    // the program ends when the deletion of the last one comes.
    void closedWindowIsGoneAtOnce() {
        Program p;
        QPointer<QWidget> cover = p.windows.cover();
        cover->close();
        QVERIFY(!cover.isNull());
        QCOMPARE(p.windows.cover(), nullptr);
        QCOMPARE(p.platform.endCount, 0);
        settle();
        QVERIFY(cover.isNull());
        QCOMPARE(p.platform.endCount, 1);
    }

    // A modal message runs an event loop of its own, in which the window
    // that was just left may be deleted while the next one is still loading:
    // that is no closing of the program's last window.
    void windowDeletedWhileTheNextLoads() {
        class ModalPlatform : public TestPlatform {
          public:
            void showMessage(QWidget* owner, const QString& message,
                             keld::MessageIcon icon) override {
                TestPlatform::showMessage(owner, message, icon);
                settle();
            }
        };
        ProgramFolder folder; // the shipped configuration, but no default case
        QFile config(QStringLiteral(KELD_PROGRAM_DIR "/KELD4WIN.INI"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        folder.writeConfig(config.readAll());
        AppState state;
        folder.useIn(state);
        ModalPlatform platform;
        AppWindows windows(state, platform);
        windows.start();
        settle();
        const std::size_t before = platform.messages.size(); // the cover picture is missing
        QVERIFY(act(windows, "cover:MainMenu_3"));
        QVERIFY(platform.messages.size() > before);
        QCOMPARE(platform.endCount, 0);
        QCOMPARE(loadedWindows(windows), QString("calc /"));
    }

    // Every page of both sets loads with its text and its picture.
    void everyPageLoads_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("pages");
        QTest::newRow("tutorial") << "Brochure" << 16;
        QTest::newRow("instructions") << "Instructions" << 13;
    }
    void everyPageLoads() {
        QFETCH(QString, set);
        QFETCH(int, pages);
        Program p;
        p.state.tutorial.PageSet = set.toStdString();
        p.state.tutorial.TutorialResumePage = 1;
        p.windows.openPages();
        QWidget* window = p.windows.pages();
        for (int n = 1; n <= pages; ++n) {
            QCOMPARE(text(window, "lblPage"), QString("Page %1 of %2").arg(n).arg(pages));
            QVERIFY2(window->findChild<QPlainTextEdit*>("txtPageText")->toPlainText().size() > 200,
                     qPrintable(QString("page %1").arg(n)));
            QVERIFY(!text(window, "lblSectTitle").isEmpty());
            QVERIFY(p.state.tutorial.PicturePath.ends_with(
                QString("%1.png").arg(n, 2, 10, QChar('0')).toStdString()));
            QVERIFY(!window->findChild<QLabel*>("IMGPAGEBMP")->pixmap().isNull());
            QCOMPARE(isEnabled(window, "PageMenu_4"), n < pages);
            if (n < pages) {
                QVERIFY(act(p.windows, "pages:PageMenu_4"));
            }
        }
        QVERIFY(p.platform.messages.empty());
    }

    // The tutorial reopens from the sheet at the page it was left at; from
    // the cover it always starts at page 1.
    void tutorialResumes_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("page");
        const QString toPage5 = "cover:MainMenu_2 pages:PageMenu_4 pages:PageMenu_4 "
                                "pages:PageMenu_4 pages:PageMenu_4 pages:PageMenu_2 ";
        const QString back5 = "pages:PageMenu_3 pages:PageMenu_3 pages:PageMenu_3 "
                              "pages:PageMenu_3 pages:PageMenu_3 ";
        QTest::newRow("from the cover's calculations") << "cover:MainMenu_3 calc:CalcMenu_5"
                                                       << "Page 1 of 16";
        QTest::newRow("left at page 5") << toPage5 + "calc:CalcMenu_5"
                                        << "Page 5 of 16";
        QTest::newRow("the cover starts at page 1")
            << toPage5 + "calc:CalcMenu_5 " + back5 + "cover:MainMenu_2"
            << "Page 1 of 16";
        QTest::newRow("instructions start at page 1") << toPage5 + "calc:CalcMenu_3"
                                                      << "Page 1 of 13";
    }
    void tutorialResumes() {
        QFETCH(QString, steps);
        QFETCH(QString, page);
        Program p;
        for (const QString& step : steps.split(' ')) {
            QVERIFY2(act(p.windows, step), qPrintable(step));
        }
        QCOMPARE(text(p.windows.pages(), "lblPage"), page);
    }

    // The sheet waits hidden behind the instructions and the report, with
    // its entries; the user's price goes when the calculations are entered
    // from the pages and when the report closes.
    void sheetKeepsItsEntries_data() {
        QTest::addColumn<QString>("steps"); // after the sheet was opened from the cover
        QTest::addColumn<bool>("priceKept");
        QTest::newRow("instructions, &Previous") << "calc:CalcMenu_3 pages:PageMenu_3" << true;
        QTest::newRow("instructions, closed") << "calc:CalcMenu_3 pages:close" << true;
        QTest::newRow("instructions, &Calculations") << "calc:CalcMenu_3 pages:PageMenu_2" << false;
        QTest::newRow("instructions, zoom")
            << "calc:CalcMenu_3 pages:PageMenu_4 pages:PageMenu_5 zoom:close pages:PageMenu_3 "
               "pages:PageMenu_3"
            << true;
        QTest::newRow("report, closed") << "calc:CalcMenu_2 report:close" << false;
        QTest::newRow("report, &Calculations") << "calc:CalcMenu_2 report:OutMenu_3" << false;
    }
    void sheetKeepsItsEntries() {
        QFETCH(QString, steps);
        QFETCH(bool, priceKept);
        Program p;
        QVERIFY(act(p.windows, "cover:MainMenu_3"));
        QWidget* sheet = p.windows.calc();
        auto* title = sheet->findChild<QLineEdit*>("Text4");
        title->selectAll();
        title->insert("Kept title");
        p.state.sheet.setUserPrice(125000);
        for (const QString& step : steps.split(' ')) {
            QVERIFY2(act(p.windows, step), qPrintable(step));
        }
        QCOMPARE(p.windows.calc(), sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(title->text(), QString("Kept title"));
        QCOMPARE(p.state.sheet.userPrice(), priceKept ? 125000.0 : 0.0);
    }

    // Entering the calculations from the tutorial gives up an entered price.
    void tutorialClearsThePrice() {
        Program p;
        QVERIFY(act(p.windows, "cover:MainMenu_2"));
        p.state.sheet.setUserPrice(70000);
        QVERIFY(act(p.windows, "pages:PageMenu_2"));
        QCOMPARE(p.state.sheet.userPrice(), 0.0);
    }
};

QTEST_MAIN(FlowTest)
#include "flow_test.moc"
