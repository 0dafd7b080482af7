// The page window and the zoom window on program folders of the tests' own:
// page loading and its failures, pictures stretched or not, and the menus
// that depend on the page and the configuration.

#include "harness.h"

#include "tutorial/frm_pages.h"

namespace {

// A program folder with a set of pages: page n has the caption "Title n",
// the heading "Heading n", the text "Text of page n." and the picture
// pictn.png of 40 by 30 pixels; the configuration is written on opening.
struct PageSet {
    PageSet(const QByteArray& section, int pages, const QByteArray& extra = {})
        : ini("[" + section + "]\r\nPageCount=" + QByteArray::number(pages) + "\r\n") {
        for (int n = 1; n <= pages; ++n) {
            const QByteArray k = QByteArray::number(n);
            ini += "Page" + k + "=Pages\\page" + k + ".txt\r\nPict" + k + "=pict" + k + ".png\r\n";
            writeFile(folder.filePath("Pages/page" + k + ".txt"),
                      "<TITLE>Title " + k + "</TITLE><H1>Heading " + k +
                          "</H1>\r\nText of\r\npage " + k + ".\r\n");
            picture("pict" + k + ".png", QSize(40, 30), QColor::fromHsv(n * 40, 200, 200));
        }
        ini += extra;
        program.state.tutorial.PageSet = section.toStdString();
    }
    Program& open() {
        writeFile(folder.filePath("KELD4WIN.INI"), ini);
        program.windows.openPages();
        return program;
    }
    // The label, the caption, the heading, the text, whether Next and
    // Calculations (which needs a report template) are enabled, and the
    // messages so far.
    QString shown() const {
        QStringList all;
        for (const char* what : {"lblPage", "caption", "lblSectTitle", "txtPageText"}) {
            all << program.look(QString("pages:") + what);
        }
        return all.join('|') + '|' + program.look("pages:PageMenu_4 enabled") +
               program.look("pages:PageMenu_2 enabled") + '|' + program.look("messages");
    }
    // A picture in PNG, whatever the name's extension.
    void picture(const QString& name, QSize size, QColor colour) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(folder.filePath(name), "PNG"));
    }

    QByteArray ini;
    QTemporaryDir folder;
    Program program{folder.path()};
};

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

  private slots:
    // Paging through a set. A page whose text file cannot be opened is shown
    // without its text and heading, after the message (under the normal
    // pointer, although the page is loading), and the pages go on.
    void paging_data() {
        QTest::addColumn<QByteArray>("page2");
        QTest::newRow("missing file") << QByteArray("Page2=Pages\\gone.txt\r\n");
        QTest::newRow("no Page2 key") << QByteArray("Page2=\r\n");
        QTest::newRow("a folder") << QByteArray("Page2=Pages\r\n");
    }
    void paging() {
        QFETCH(QByteArray, page2);
        PageSet set("Instructions", 3);
        set.ini.replace("Page2=Pages\\page2.txt\r\n", page2);
        Program& p = set.open();
        QCOMPARE(set.shown(), "Page 1 of 3|Title 1|Heading 1|Text of page 1. |10|");
        p.act("pages:PageMenu_4");
        const QString message = "Could not open Page File #2";
        QCOMPARE(set.shown() + p.look("pointers"), "Page 2 of 3|Title 1|||10|" + message + "arrow");
        QCOMPARE(p.platform.messages.front().icon, keld::MessageIcon::Exclamation);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        p.act("pages:PageMenu_4");
        QCOMPARE(set.shown(), "Page 3 of 3|Title 3|Heading 3|Text of page 3. |00|" + message);
        QCOMPARE(p.look("windows") + p.look("ends"), "pages /0");
    }
    void noPages() {
        PageSet set("Instructions", 0);
        const Program& p = set.open();
        QCOMPARE(p.look("windows") + '|' + set.shown(), "pages /|Page 1|Tutorial|||00|");
    }

    // "Pict" n: stretched to the frame unless its scale is 0, in the page and
    // in the zoom window alike; a picture that cannot be loaded leaves the
    // previous one, silently. The zoom window's caption is the configured
    // TitleBar, "0" without one, as every window's.
    void pictures_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("name alone") << QByteArray("fig.png") << true;
        QTest::newRow("scale 0") << QByteArray("fig.png,0") << false;
        QTest::newRow("scale 2") << QByteArray("fig.png,2") << true;
    }
    void pictures() {
        QFETCH(QByteArray, entry);
        QFETCH(bool, stretched);
        PageSet set("Brochure", 2, "Pict1=" + entry + "\r\n[Calculations]\r\nOutput=r.txt\r\n");
        set.ini.replace("Pict1=pict1.png\r\n", "");
        set.picture("fig.png", QSize(120, 80), Qt::darkGreen);
        writeFile(set.folder.filePath("pict2.png"), "no picture at all");
        Program& p = set.open();
        const auto picture = [&p] { return p.control<QLabel>("pages", "IMGPAGEBMP"); };
        QCOMPARE(picture()->size(), stretched ? frmPages::pictureFrame() : QSize(120, 80));
        p.act("pages:PageMenu_5");
        QCOMPARE(p.control<QLabel>("zoom", "imgGraphFile")->width() > 120, stretched);
        QCOMPARE(p.look("zoom:caption"), "0");
        const QImage first = picture()->pixmap().toImage();
        p.run({"zoom:GraphMenu", "pages:PageMenu_4"});
        QCOMPARE(picture()->pixmap().toImage(), first);
        QCOMPARE(set.shown(), "Page 2 of 2|Title 2|Heading 2|Text of page 2. |01|");
    }
};

KELD_TEST_CLASS(PagesTest)
#include "pages_test.moc"
