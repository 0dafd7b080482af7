// The page window, the zoom window, the cover and the About box on program
// folders of the tests' own: page loading and its failures, pictures
// stretched or not, the menus that depend on the page and the configuration.

#include "app_state.h"
#include "shell/frm_about.h"
#include "shell/frm_brochure.h"
#include "shell/window_flow.h"
#include "shell_test_support.h"
#include "test_platform.h"
#include "tutorial/frm_graph_file.h"
#include "tutorial/frm_pages.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPointer>
#include <QtTest>

#include <memory>

using namespace keld::app;
using namespace keld::app::test;
using keld::MessageIcon;

namespace {

// A flow that only records what the windows ask of it.
class RecordingFlow : public WindowFlow {
public:
    void showCalc() override { calls << "showCalc"; }
    void hideCalc() override { calls << "hideCalc"; }
    void closeCalc() override { calls << "closeCalc"; }
    void openReport() override { calls << "openReport"; }
    void openPages() override { calls << "openPages"; }
    void showPages() override { calls << "showPages"; }
    void openZoom() override { calls << "openZoom"; }
    void openCover() override { calls << "openCover"; }
    void openAbout() override { calls << "openAbout"; }
    void exitProgram() override { calls << "exitProgram"; }
    QStringList calls;
};

// A set of pages: page n has the text "Text of page n." under the heading
// "Heading n" and the picture pictn.png of 40 by 30 pixels.
QByteArray pageSet(const QByteArray& section, int pages, const QByteArray& extra = {}) {
    QByteArray ini = "[" + section + "]\r\nPageCount=" + QByteArray::number(pages) + "\r\n";
    for (int n = 1; n <= pages; ++n) {
        const QByteArray k = QByteArray::number(n);
        ini += "Page" + k + "=Pages\\page" + k + ".txt\r\nPict" + k + "=pict" + k + ".png\r\n";
    }
    return ini + extra;
}

void writePages(const ProgramFolder& folder, int pages) {
    for (int n = 1; n <= pages; ++n) {
        const QByteArray k = QByteArray::number(n);
        folder.write("Pages/page" + k + ".txt", "<H1>Heading " + k + "</H1>\r\nText of\r\npage " + k + ".\r\n");
        folder.writePicture("pict" + k + ".png", QSize(40, 30), QColor::fromHsv(n * 40 % 360, 200, 200));
    }
}

QString pageLabel(QWidget* w) { return w->findChild<QLabel*>("lblPage")->text(); }
QString pageText(QWidget* w) { return w->findChild<QPlainTextEdit*>("txtPageText")->toPlainText(); }
QLabel* picture(QWidget* w, const char* name) { return w->findChild<QLabel*>(name); }

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void pageTextAndHeadings() {
        ProgramFolder folder;
        folder.writeConfig(pageSet("Brochure", 2) + "[Calculations]\r\nOutput=report.txt\r\n");
        writePages(folder, 2);
        folder.write("Pages/page1.txt", "<TITLE>Fans</TITLE>\r\n<h1>Fins</h1>\r\nAir\r\ncooled\r\n"
                                        "Gross<BR>Net<P>End\r\n");
        AppState state;
        folder.useIn(state);
        TestPlatform platform;
        RecordingFlow flow;
        frmPages pages(state, platform, flow);
        QCOMPARE(pages.windowTitle(), QString("Fans"));
        QCOMPARE(pages.findChild<QLabel*>("lblSectTitle")->text(), QString("Fins"));
        QCOMPARE(pageText(&pages), QString("Air cooled Gross\nNet\n\nEnd"));
        QVERIFY(platform.messages.empty());

        // Typed keys do not change the text.
        auto* text = pages.findChild<QPlainTextEdit*>("txtPageText");
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, "xyz");
        QTest::keyClick(text, Qt::Key_Backspace);
        QCOMPARE(pageText(&pages), QString("Air cooled Gross\nNet\n\nEnd"));
    }

    // Paging through a set: the label, the text, and "&Next" on the last page.
    void paging_data() {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("moves"); // n: Next, p: Previous
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("nextEnabled");
        QTest::newRow("first of three") << 3 << "" << "Page 1" << true;
        QTest::newRow("last of three") << 3 << "nn" << "Page 3" << false;
        QTest::newRow("back from the last") << 3 << "nnp" << "Page 2" << true;
        QTest::newRow("a set of one page") << 1 << "" << "Page 1" << false;
        QTest::newRow("a set without pages") << 0 << "" << "Page 1" << false;
    }
    void paging() {
        QFETCH(int, pages);
        QFETCH(QString, moves);
        QFETCH(QString, label);
        QFETCH(bool, nextEnabled);
        ProgramFolder folder;
        folder.writeConfig(pageSet("Instructions", pages));
        writePages(folder, pages);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = "Instructions";
        TestPlatform platform;
        RecordingFlow flow;
        frmPages window(state, platform, flow);
        for (QChar move : moves) {
            QVERIFY(trigger(&window, move == 'n' ? "PageMenu_4" : "PageMenu_3"));
        }
        QCOMPARE(pageLabel(&window), label);
        QCOMPARE(isEnabled(&window, "PageMenu_4"), nextEnabled);
        QCOMPARE(state.tutorial.PageCount, pages);
        if (pages > 0) {
            const QString n = label.mid(5);
            QCOMPARE(pageText(&window), "Text of page " + n + ". ");
            QCOMPARE(window.findChild<QLabel*>("lblSectTitle")->text(), "Heading " + n);
        } else {
            QCOMPARE(pageText(&window), QString());
        }
        QVERIFY(platform.messages.empty());
        QVERIFY(flow.calls.isEmpty());
    }

    // Where the pages start, and where "&Previous" on page 1 leads.
    void startAndLeave_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("resume");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<QString>("leadsTo");
        QTest::newRow("tutorial from the cover") << "Brochure" << 1 << "Page 1" << "openCover";
        QTest::newRow("tutorial resumed") << "Brochure" << 3 << "Page 3" << "";
        QTest::newRow("instructions ignore the resume page") << "Instructions" << 3 << "Page 1" << "showCalc";
    }
    void startAndLeave() {
        QFETCH(QString, set);
        QFETCH(int, resume);
        QFETCH(QString, firstLabel);
        QFETCH(QString, leadsTo);
        ProgramFolder folder;
        folder.writeConfig(pageSet(set.toLatin1(), 4));
        writePages(folder, 4);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = set.toStdString();
        state.tutorial.TutorialResumePage = resume;
        TestPlatform platform;
        RecordingFlow flow;
        QPointer<frmPages> window = new frmPages(state, platform, flow);
        window->show();
        QCOMPARE(pageLabel(window), firstLabel);
        QVERIFY(trigger(window, "PageMenu_3"));
        if (leadsTo.isEmpty()) {
            QCOMPARE(pageLabel(window), QString("Page %1").arg(resume - 1));
            QVERIFY(flow.calls.isEmpty());
            delete window;
            return;
        }
        QCOMPARE(flow.calls, QStringList{leadsTo}); // the sheet is shown once, not twice
        QTRY_VERIFY(window.isNull());
    }

    // The mended fault: a page whose text file cannot be opened is shown
    // without its text, after the message, and the program goes on.
    void pageFileThatCannotBeOpened_data() {
        QTest::addColumn<QByteArray>("page2");
        QTest::newRow("missing file") << QByteArray("Page2=Pages\\gone.txt\r\n");
        QTest::newRow("no Page2 key") << QByteArray();
        QTest::newRow("a folder") << QByteArray("Page2=Pages\r\n");
    }
    void pageFileThatCannotBeOpened() {
        QFETCH(QByteArray, page2);
        ProgramFolder folder;
        folder.writeConfig("[Instructions]\r\nPageCount=3\r\nPage1=Pages\\page1.txt\r\nPict1=pict1.png\r\n" + page2 +
                           "Pict2=pict2.png\r\nPage3=Pages\\page3.txt\r\nPict3=pict3.png\r\n");
        writePages(folder, 3);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = "Instructions";
        TestPlatform platform;
        RecordingFlow flow;
        QPointer<frmPages> window = new frmPages(state, platform, flow);
        window->show();
        QVERIFY(trigger(window, "PageMenu_4"));
        QCOMPARE(platform.texts(), QStringList{"Could not open Page File #2"});
        QCOMPARE(platform.messages.front().icon, MessageIcon::Exclamation);
        QVERIFY(!window.isNull() && window->isVisible());
        QCOMPARE(pageLabel(window), QString("Page 2"));
        QCOMPARE(pageText(window), QString());
        QCOMPARE(platform.endCount, 0);
        QVERIFY(flow.calls.isEmpty());
        // The pages go on from there.
        QVERIFY(trigger(window, "PageMenu_4"));
        QCOMPARE(pageText(window), QString("Text of page 3. "));
        delete window;
    }

    // "Pict" n: stretched to the frame unless its scale is 0, in the page and
    // in the zoom window alike.
    void pictureScale_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<float>("scale");
        QTest::newRow("name alone") << QByteArray("fig.png") << 1.0F;
        QTest::newRow("scale 0") << QByteArray("fig.png,0") << 0.0F;
        QTest::newRow("scale 2") << QByteArray("fig.png,2") << 2.0F;
        QTest::newRow("scale 0 with blanks") << QByteArray("fig.png, 0") << 0.0F;
    }
    void pictureScale() {
        QFETCH(QByteArray, entry);
        QFETCH(float, scale);
        ProgramFolder folder;
        folder.writeConfig("[Brochure]\r\nTitleBar=Zoomed\r\nPageCount=1\r\nPage1=Pages\\page1.txt\r\nPict1=" +
                           entry + "\r\n");
        writePages(folder, 1);
        folder.writePicture("fig.png", QSize(120, 80), Qt::darkGreen);
        AppState state;
        folder.useIn(state);
        TestPlatform platform;
        RecordingFlow flow;
        frmPages pages(state, platform, flow);
        QCOMPARE(state.tutorial.PictureScale, scale);
        QVERIFY(state.tutorial.PicturePath.ends_with("fig.png"));
        QLabel* image = picture(&pages, "IMGPAGEBMP");
        QCOMPARE(image->pixmap().size(), QSize(120, 80));
        const bool stretched = scale != 0.0F;
        QCOMPARE(image->hasScaledContents(), stretched);
        QCOMPARE(image->size(), stretched ? frmPages::pictureFrame() : QSize(120, 80));

        QVERIFY(trigger(&pages, "PageMenu_5"));
        QCOMPARE(flow.calls, QStringList{"openZoom"});
        QVERIFY(!pages.isVisible());
        frmGraphFile zoom(state, flow);
        QCOMPARE(zoom.windowTitle(), QString("Zoomed"));
        QLabel* enlarged = picture(&zoom, "imgGraphFile");
        QCOMPARE(enlarged->pixmap().size(), QSize(120, 80));
        QCOMPARE(enlarged->hasScaledContents(), stretched);
        if (stretched) {
            QVERIFY(enlarged->width() > image->width());
            QCOMPARE(enlarged->width() * 1000 / enlarged->height(), 4675 * 1000 / 3315);
        } else {
            QCOMPARE(enlarged->size(), QSize(120, 80));
        }
        QVERIFY(platform.messages.empty());
    }

    // A picture that cannot be loaded leaves the previous one, silently.
    void pictureThatCannotBeLoaded() {
        ProgramFolder folder;
        folder.writeConfig(pageSet("Brochure", 2));
        writePages(folder, 2);
        folder.write("pict2.png", "no picture at all");
        AppState state;
        folder.useIn(state);
        TestPlatform platform;
        RecordingFlow flow;
        frmPages pages(state, platform, flow);
        const QImage first = picture(&pages, "IMGPAGEBMP")->pixmap().toImage();
        QVERIFY(!first.isNull());
        QVERIFY(trigger(&pages, "PageMenu_4"));
        QCOMPARE(pageText(&pages), QString("Text of page 2. "));
        QCOMPARE(picture(&pages, "IMGPAGEBMP")->pixmap().toImage(), first);
        QVERIFY(platform.messages.empty());
    }

    // "&Calculations" needs a configured report template.
    void calculationsItem_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("calculations");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("tutorial, template configured") << QByteArray("Brochure") << QByteArray("Output=r.txt") << true;
        QTest::newRow("tutorial, no Output") << QByteArray("Brochure") << QByteArray() << false;
        QTest::newRow("instructions, no Output") << QByteArray("Instructions") << QByteArray() << false;
        QTest::newRow("instructions, Output 0") << QByteArray("Instructions") << QByteArray("Output=0") << false;
    }
    void calculationsItem() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, calculations);
        QFETCH(bool, enabled);
        ProgramFolder folder;
        folder.writeConfig(pageSet(section, 1, "[Calculations]\r\n" + calculations + "\r\n"));
        writePages(folder, 1);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = section.toStdString();
        TestPlatform platform;
        RecordingFlow flow;
        frmPages pages(state, platform, flow);
        QCOMPARE(isEnabled(&pages, "PageMenu_2"), enabled);
    }

    // Leaving for the calculations: the tutorial remembers its page, and the
    // user's price is given up.
    void toTheCalculations_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("resumeAfter");
        QTest::newRow("tutorial") << "Brochure" << 2;
        QTest::newRow("instructions") << "Instructions" << 1;
    }
    void toTheCalculations() {
        QFETCH(QString, set);
        QFETCH(int, resumeAfter);
        ProgramFolder folder;
        folder.writeConfig(pageSet(set.toLatin1(), 3, "[Calculations]\r\nOutput=r.txt\r\n"));
        writePages(folder, 3);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = set.toStdString();
        state.record.COSTUSER = 125000;
        TestPlatform platform;
        RecordingFlow flow;
        QPointer<frmPages> window = new frmPages(state, platform, flow);
        window->show();
        QVERIFY(trigger(window, "PageMenu_4"));
        QVERIFY(trigger(window, "PageMenu_2"));
        QCOMPARE(flow.calls, QStringList{"showCalc"});
        QCOMPARE(state.tutorial.TutorialResumePage, resumeAfter);
        QCOMPARE(state.record.COSTUSER, 0.0);
        QTRY_VERIFY(window.isNull());
    }

    // The close box: the instructions give the sheet back, the tutorial only closes.
    void closeBox_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("tutorial") << "Brochure" << QStringList{};
        QTest::newRow("instructions") << "Instructions" << QStringList{"showCalc"};
    }
    void closeBox() {
        QFETCH(QString, set);
        QFETCH(QStringList, calls);
        ProgramFolder folder;
        folder.writeConfig(pageSet(set.toLatin1(), 2));
        writePages(folder, 2);
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = set.toStdString();
        TestPlatform platform;
        RecordingFlow flow;
        QPointer<frmPages> window = new frmPages(state, platform, flow);
        window->show();
        QVERIFY(window->close());
        QCOMPARE(flow.calls, calls);
        QTRY_VERIFY(window.isNull());
    }

    // The zoom window returns to the page by "&Back" and by its close box.
    void zoomBack_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("&Back") << true;
        QTest::newRow("close box") << false;
    }
    void zoomBack() {
        QFETCH(bool, byMenu);
        ProgramFolder folder; // no configuration: the caption is empty
        AppState state;
        folder.useIn(state);
        RecordingFlow flow;
        QPointer<frmGraphFile> zoom = new frmGraphFile(state, flow);
        zoom->show();
        QCOMPARE(zoom->windowTitle(), QString());
        QVERIFY(byMenu ? trigger(zoom, "GraphMenu") : zoom->close());
        QCOMPARE(flow.calls, QStringList{"showPages"});
        QTRY_VERIFY(zoom.isNull());
    }

    // The cover's start-up with a configuration and without one.
    void coverStartUp_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<bool>("coverFile");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<bool>("warned");
        QTest::newRow("configured") << QByteArray("[brochure]\r\nTitleBar=Cover\r\ntitle=Big Title\r\ncover=c.gif\r\n"
                                                  "PageCount=7\r\n")
                                    << true << "Cover" << "Big Title" << 7 << false;
        QTest::newRow("no configuration file") << QByteArray() << false << "0" << "" << 0 << true;
        QTest::newRow("cover file missing") << QByteArray("[Brochure]\r\nTitleBar=\r\ncover=c.gif\r\n") << false << ""
                                            << "" << 0 << true;
        QTest::newRow("no cover key") << QByteArray("[Brochure]\r\nTitleBar=T\r\n") << true << "T" << "" << 0 << true;
    }
    void coverStartUp() {
        QFETCH(QByteArray, config);
        QFETCH(bool, coverFile);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(int, pageCount);
        QFETCH(bool, warned);
        ProgramFolder folder;
        if (!config.isEmpty()) {
            folder.writeConfig(config);
        }
        if (coverFile) {
            QImage image(60, 40, QImage::Format_Indexed8);
            image.setColorCount(2);
            image.setColor(0, qRgb(0, 0, 128));
            image.setColor(1, qRgb(255, 255, 255));
            image.fill(0);
            // Written as PNG under a .gif name: the loader goes by the content.
            QVERIFY(image.save(folder.path() + "/c.gif", "PNG"));
        }
        AppState state;
        folder.useIn(state);
        state.record.COSTUSER = 99;
        TestPlatform platform;
        RecordingFlow flow;
        frmBrochure cover(state, platform, flow);
        QCOMPARE(cover.windowTitle(), caption);
        QCOMPARE(cover.findChild<QLabel*>("lblCoverTitle")->text(), title);
        QCOMPARE(state.tutorial.PageCount, pageCount);
        QCOMPARE(state.record.COSTUSER, 0.0);
        const QPixmap shown = cover.findChild<QLabel*>("IMGCOVERBMP")->pixmap();
        if (warned) {
            QCOMPARE(platform.texts(), QStringList{"KELD Warning: Could not open cover GIF."});
            QCOMPARE(platform.messages.front().icon, MessageIcon::Exclamation);
            QVERIFY(shown.isNull());
        } else {
            QVERIFY(platform.messages.empty());
            QCOMPARE(shown.size(), QSize(60, 40));
        }
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The cover's menu: what it sets and whom it asks.
    void coverMenu_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("closes");
        QTest::newRow("&Tutorial") << "MainMenu_2" << QStringList{"openPages"} << true;
        QTest::newRow("&Calculations") << "MainMenu_3" << QStringList{"showCalc"} << true;
        QTest::newRow("&About") << "MainMenu_4" << QStringList{"openAbout"} << false;
        QTest::newRow("&Exit") << "MainMenu1_1" << QStringList{"exitProgram"} << true;
    }
    void coverMenu() {
        QFETCH(QString, item);
        QFETCH(QStringList, calls);
        QFETCH(bool, closes);
        ProgramFolder folder;
        AppState state;
        folder.useIn(state);
        state.tutorial.PageSet = "Instructions";
        state.tutorial.TutorialResumePage = 6;
        TestPlatform platform;
        RecordingFlow flow;
        QPointer<frmBrochure> cover = new frmBrochure(state, platform, flow);
        cover->show();
        QVERIFY(trigger(cover, item));
        QCOMPARE(flow.calls, calls);
        if (item == "MainMenu_2") {
            QCOMPARE(state.tutorial.PageSet, std::string("Brochure"));
        }
        if (item == "MainMenu_2" || item == "MainMenu_3") {
            QCOMPARE(state.tutorial.TutorialResumePage, 1);
        }
        if (closes) {
            QTRY_VERIFY(cover.isNull());
        } else {
            QVERIFY(cover->isVisible());
            delete cover;
        }
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void aboutTexts() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QString("About KELD"));
        QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), QString("KELD v2.0"));
        const QStringList fixed = {"Version 2.05", "October 19, 2021", "Code Authors"};
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(about.findChild<QLabel*>(QString("lblDescription_%1").arg(i))->text(), fixed[i - 1]);
        }
        for (int i : {0, 4, 5, 6}) {
            QVERIFY(!about.findChild<QLabel*>(QString("lblDescription_%1").arg(i))->text().isEmpty());
        }
        QVERIFY(about.findChild<QLabel*>("lblDisclaimer")
                    ->text()
                    .endsWith("please contact Vendrel Products Corporation at  (555) 014-2702."));
        QVERIFY(!about.isModal());
    }

    // The About box closes on OK, on losing the focus and on Escape.
    void aboutCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("focus lost") << "deactivate";
        QTest::newRow("Escape") << "escape";
    }
    void aboutCloses() {
        QFETCH(QString, how);
        QPointer<frmAbout> about = new frmAbout;
        about->show();
        if (how == "ok") {
            QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        } else if (how == "deactivate") {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(about, &deactivate);
        } else {
            QTest::keyClick(about, Qt::Key_Escape);
        }
        QTRY_VERIFY(about.isNull());
    }
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
