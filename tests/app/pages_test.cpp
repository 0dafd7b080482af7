// The page window, the zoom window and the cover on program
// folders of the tests' own: page loading and its failures, pictures
// stretched or not, and the menus that depend on the page and the
// configuration.

#include "app_state.h"
#include "fake_flow.h"
#include "shell/frm_brochure.h"
#include "shell_test_support.h"
#include "test_platform.h"
#include "tutorial/frm_graph_file.h"
#include "tutorial/frm_pages.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

using namespace keld::app;
using namespace keld::app::test;
using keld::MessageIcon;

namespace {

// Records the mouse pointer each message was shown with.
class PointerPlatform : public TestPlatform {
  public:
    void showMessage(QWidget* owner, const QString& text, MessageIcon icon) override {
        TestPlatform::showMessage(owner, text, icon);
        const QCursor* pointer = QApplication::overrideCursor();
        pointers << (pointer != nullptr ? pointer->shape() : Qt::ArrowCursor);
    }
    QList<Qt::CursorShape> pointers;
};

// A program folder with a set of pages: page n has the heading "Heading n",
// the text "Text of page n." and the picture pictn.png of 40 by 30 pixels.
struct PageSet {
    PageSet(const QByteArray& section, int pages, const QByteArray& extra = {}) {
        QByteArray ini = "[" + section + "]\r\nPageCount=" + QByteArray::number(pages) + "\r\n";
        for (int n = 1; n <= pages; ++n) {
            const QByteArray k = QByteArray::number(n);
            ini += "Page" + k + "=Pages\\page" + k + ".txt\r\nPict" + k + "=pict" + k + ".png\r\n";
            folder.write("Pages/page" + k + ".txt",
                         "<H1>Heading " + k + "</H1>\r\nText of\r\npage " + k + ".\r\n");
            folder.writePicture("pict" + k + ".png", QSize(40, 30),
                                QColor::fromHsv(n * 40 % 360, 200, 200));
        }
        folder.writeConfig(ini + extra);
        folder.useIn(state);
        state.tutorial.PageSet = section.toStdString();
    }
    std::unique_ptr<frmPages> open() { return std::make_unique<frmPages>(state, platform, flow); }
    void replaceInConfig(const QByteArray& from, const QByteArray& to) {
        folder.writeConfig(folder.read("KELD4WIN.INI").replace(from, to));
    }

    ProgramFolder folder;
    AppState state;
    PointerPlatform platform;
    FakeFlow flow;
};

QString text(QWidget* w, const char* name) {
    if (auto* edit = w->findChild<QPlainTextEdit*>(name))
        return edit->toPlainText();
    return w->findChild<QLabel*>(name)->text();
}
QLabel* picture(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(name);
}

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The caption and the heading come from the page; typed keys change nothing.
    // (How the markup becomes text is the core's to test.)
    void pageTextCaptionAndTitle() {
        PageSet set("Brochure", 1);
        set.folder.write("Pages/page1.txt", "<TITLE>Fans</TITLE>\r\n<h1>Fins</h1>\r\nAir\r\n");
        auto pages = set.open();
        QCOMPARE(pages->windowTitle(), QString("Fans"));
        QCOMPARE(text(pages.get(), "lblSectTitle"), QString("Fins"));
        auto* box = pages->findChild<QPlainTextEdit*>("txtPageText");
        QTest::keyClicks(box, "xyz");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->toPlainText(), QString("Air "));
        QVERIFY(set.platform.messages.empty());
    }

    // Paging through a set: the label, the text, and "&Next" on the last page.
    void paging_data() {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("moves"); // n: Next, p: Previous
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("nextEnabled");
        QTest::newRow("first of three") << 3 << "" << 1 << true;
        QTest::newRow("last of three") << 3 << "nn" << 3 << false;
        QTest::newRow("back from the last") << 3 << "nnp" << 2 << true;
        QTest::newRow("a set of one page") << 1 << "" << 1 << false;
        QTest::newRow("a set without pages") << 0 << "" << 1 << false;
    }
    void paging() {
        QFETCH(int, pages);
        QFETCH(QString, moves);
        QFETCH(int, page);
        QFETCH(bool, nextEnabled);
        PageSet set("Instructions", pages);
        auto window = set.open();
        for (QChar move : moves) {
            QVERIFY(trigger(window.get(), move == 'n' ? "PageMenu_4" : "PageMenu_3"));
        }
        QCOMPARE(text(window.get(), "lblPage"),
                 pages > 0 ? QString("Page %1 of %2").arg(page).arg(pages) : QString("Page 1"));
        QCOMPARE(isEnabled(window.get(), "PageMenu_4"), nextEnabled);
        QCOMPARE(text(window.get(), "txtPageText"),
                 pages > 0 ? QString("Text of page %1. ").arg(page) : QString());
        QVERIFY(set.platform.messages.empty());
        QVERIFY(set.flow.calls.isEmpty());
    }

    // The mended fault: a page whose text file cannot be opened is shown
    // without its text, after the message, and the program goes on.
    void pageFileThatCannotBeOpened_data() {
        QTest::addColumn<QByteArray>("page2");
        QTest::newRow("missing file") << QByteArray("Page2=Pages\\gone.txt\r\n");
        QTest::newRow("no Page2 key") << QByteArray("Page2=\r\n");
        QTest::newRow("a folder") << QByteArray("Page2=Pages\r\n");
    }
    void pageFileThatCannotBeOpened() {
        QFETCH(QByteArray, page2);
        PageSet set("Instructions", 3);
        set.replaceInConfig("Page2=Pages\\page2.txt\r\n", page2);
        auto window = set.open();
        QVERIFY(trigger(window.get(), "PageMenu_4"));
        QCOMPARE(set.platform.texts(), QStringList{"Could not open Page File #2"});
        QCOMPARE(set.platform.messages.front().icon, MessageIcon::Exclamation);
        QCOMPARE(set.platform.pointers,
                 QList<Qt::CursorShape>{Qt::ArrowCursor}); // not the busy one
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(text(window.get(), "lblPage"), QString("Page 2 of 3"));
        QCOMPARE(text(window.get(), "txtPageText"), QString());
        QCOMPARE(text(window.get(), "lblSectTitle"), QString());
        QCOMPARE(set.platform.endCount, 0);
        QVERIFY(set.flow.calls.isEmpty());
        QVERIFY(trigger(window.get(), "PageMenu_4")); // and the pages go on
        QCOMPARE(text(window.get(), "txtPageText"), QString("Text of page 3. "));
    }

    // "Pict" n: stretched to the frame unless its scale is 0, in the page and
    // in the zoom window alike.
    void pictureScale_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<float>("scale");
        QTest::newRow("name alone") << QByteArray("fig.png") << 1.0F;
        QTest::newRow("scale 0") << QByteArray("fig.png,0") << 0.0F;
        QTest::newRow("scale 2") << QByteArray("fig.png,2") << 2.0F;
    }
    void pictureScale() {
        QFETCH(QByteArray, entry);
        QFETCH(float, scale);
        PageSet set("Brochure", 1, "TitleBar=Zoomed\r\nPict1=" + entry + "\r\n");
        set.replaceInConfig("Pict1=pict1.png\r\n", "");
        set.folder.writePicture("fig.png", QSize(120, 80), Qt::darkGreen);
        auto pages = set.open();
        QCOMPARE(set.state.tutorial.PictureScale, scale);
        QLabel* image = picture(pages.get(), "IMGPAGEBMP");
        const bool stretched = scale != 0.0F;
        QCOMPARE(image->pixmap().size(), QSize(120, 80));
        QCOMPARE(image->hasScaledContents(), stretched);
        QCOMPARE(image->size(), stretched ? frmPages::pictureFrame() : QSize(120, 80));

        QVERIFY(trigger(pages.get(), "PageMenu_5"));
        QCOMPARE(set.flow.calls, QStringList{"openZoom"});
        frmGraphFile zoom(set.state, set.flow);
        QCOMPARE(zoom.windowTitle(), QString("Zoomed"));
        QLabel* enlarged = picture(&zoom, "imgGraphFile");
        QCOMPARE(enlarged->hasScaledContents(), stretched);
        if (stretched) { // larger, in the same proportions
            QVERIFY(enlarged->width() > image->width());
            QVERIFY(qAbs(enlarged->width() * 100 / enlarged->height() -
                         image->width() * 100 / image->height()) <= 1);
        } else {
            QCOMPARE(enlarged->size(), QSize(120, 80));
        }
    }

    // A picture that cannot be loaded leaves the previous one, silently.
    void pictureThatCannotBeLoaded() {
        PageSet set("Brochure", 2);
        set.folder.write("pict2.png", "no picture at all");
        auto pages = set.open();
        const QImage first = picture(pages.get(), "IMGPAGEBMP")->pixmap().toImage();
        QVERIFY(!first.isNull());
        QVERIFY(trigger(pages.get(), "PageMenu_4"));
        QCOMPARE(text(pages.get(), "txtPageText"), QString("Text of page 2. "));
        QCOMPARE(picture(pages.get(), "IMGPAGEBMP")->pixmap().toImage(), first);
        QVERIFY(set.platform.messages.empty());
    }

    // "&Calculations" needs a configured report template.
    void calculationsItem_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("tutorial, template")
            << QByteArray("Brochure") << QByteArray("Output=r.txt") << true;
        QTest::newRow("tutorial, no Output") << QByteArray("Brochure") << QByteArray() << false;
        QTest::newRow("instructions, no Output")
            << QByteArray("Instructions") << QByteArray() << false;
        QTest::newRow("instructions, Output 0")
            << QByteArray("Instructions") << QByteArray("Output=0") << false;
    }
    void calculationsItem() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, output);
        QFETCH(bool, enabled);
        PageSet set(section, 1, "[Calculations]\r\n" + output + "\r\n");
        QCOMPARE(isEnabled(set.open().get(), "PageMenu_2"), enabled);
    }

    // The cover's start-up: the warning whenever its picture cannot be loaded.
    void coverStartUp_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<bool>("warned");
        QTest::newRow("configured, section in lower case")
            << QByteArray("[brochure]\r\nTitleBar=Cover\r\ntitle=Big Title\r\ncover=c.gif\r\n"
                          "PageCount=7\r\n")
            << "Cover"
            << "Big Title" << 7 << false;
        QTest::newRow("no configuration file") << QByteArray() << "0"
                                               << "" << 0 << true;
        QTest::newRow("cover file missing, empty TitleBar")
            << QByteArray("[Brochure]\r\nTitleBar=\r\ncover=gone.gif\r\n") << ""
            << "" << 0 << true;
        QTest::newRow("not a picture") << QByteArray("[Brochure]\r\ncover=KELD4WIN.INI\r\n") << "0"
                                       << "" << 0 << true;
    }
    void coverStartUp() {
        QFETCH(QByteArray, config);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(int, pageCount);
        QFETCH(bool, warned);
        ProgramFolder folder;
        if (!config.isEmpty()) {
            folder.writeConfig(config);
        }
        folder.writePicture("c.gif", QSize(60, 40), Qt::darkBlue);
        AppState state;
        folder.useIn(state);
        state.sheet.setUserPrice(99);
        PointerPlatform platform;
        FakeFlow flow;
        frmBrochure cover(state, platform, flow);
        QCOMPARE(cover.windowTitle(), caption);
        QCOMPARE(text(&cover, "lblCoverTitle"), title);
        QCOMPARE(state.tutorial.PageCount, pageCount);
        QCOMPARE(state.sheet.userPrice(), 0.0);
        QCOMPARE(platform.texts(),
                 warned ? QStringList{"KELD Warning: Could not open cover GIF."} : QStringList{});
        QCOMPARE(picture(&cover, "IMGCOVERBMP")->pixmap().isNull(), warned);
        QVERIFY(!platform.pointers.contains(Qt::WaitCursor));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
