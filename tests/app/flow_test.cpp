// The window flow of the whole program with the real windows: every hand-over
// between the cover, the sheet, the report, the pages, the zoom window and the
// About box, and when the program ends; on program folders of the tests' own,
// what is missing, and the page and zoom windows' loading and pictures.

#include "harness.h"

#include "tutorial/frm_pages.h"

namespace {

// A program folder with a set of pages: page n has the caption "Title n",
// the heading "Heading n", the text "Text of page n." and the picture
// pictn.png of 40 by 30 pixels; `ini` is its configuration, to be written.
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
    // The label, the caption, the heading, the text, whether Next and
    // Calculations (which needs a report template) are enabled, the messages.
    QString shown() const {
        QStringList all;
        for (const char* what : {"lblPage", "caption", "lblSectTitle", "txtPageText"}) {
            all << program.look(QString("pages:") + what);
        }
        return all.join('|') + '|' + program.look("pages:PageMenu_4 enabled") +
               program.look("pages:PageMenu_2 enabled") + '|' + program.look("messages");
    }
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

class FlowTest : public QObject {
    Q_OBJECT

  private slots:
    // After the steps from the cover: which windows are loaded (shown /
    // hidden), whether the program has ended, what the sheet kept. On the
    // way through the sheet ("SHEET") a title is typed and a price entered.
    void handOvers_data() {
        QTest::addColumn<QStringList>("steps");
        const auto flow = [](const char* name, const QString& steps, const QString& windows,
                             int ends, const QStringList& more = {}) {
            QStringList list;
            for (const QString& s : steps.split(' ')) {
                list << (s != "SHEET"
                             ? QStringList{s}
                             : QStringList{"cover:MainMenu_3", "calc:Text4=Kept",
                                           "answer:Text1=125000;Command1", "calc:Text4 Ctrl+P"});
            }
            // (The platform double's end of the program closes no window.)
            if (ends == 0 || windows != "/") {
                list << "?windows=" + windows;
            }
            row(name, list << "?ends=" + QString::number(ends) << more);
        };
        const QString tutorial = "cover:MainMenu_2 ";
        const QString report = "SHEET print:$DIR/r.pdf calc:CalcMenu_2 ";
        const QString instructions = "SHEET calc:CalcMenu_3 ";
        const QString next3 = "pages:PageMenu_4 pages:PageMenu_4 pages:PageMenu_4 ";
        const QString back3 = "pages:PageMenu_3 pages:PageMenu_3 pages:PageMenu_3 ";
        const QStringList kept = {"?calc:Text4=Kept", "?price=125000"};
        flow("cover &Exit", "cover:MainMenu1_1", "/", 1);
        flow("cover closed", "cover:close", "/", 1);
        flow("cover &About, OK", "cover:MainMenu_4 about:cmdOK", "cover /", 0);
        flow("About loses the focus", "cover:MainMenu_4 about:deactivate", "cover /", 0);
        flow("tutorial &Previous from page 1", tutorial + "pages:PageMenu_3", "cover /", 0);
        flow("pages &Exit", tutorial + "pages:PageMenu1_1", "/", 1);
        flow("tutorial closed, nothing else loaded", tutorial + "pages:close", "/", 1);
        flow("tutorial &Calculations", tutorial + "pages:PageMenu_2", "calc /", 0);
        flow("sheet &About", "SHEET calc:CalcMenu_6", "calc about /", 0, kept);
        // (The sheet's Exit and close box: SheetTest's unsaved-changes rows.)
        flow("sheet &Tutorial, then &Calculations: a new sheet",
             "SHEET calc:CalcMenu_5 pages:PageMenu_2", "calc /", 0,
             {"?calc:Text4=Cooling Water Return", "?price=0"});
        // The tutorial keeps its page through the zoom window and the sheet
        // (paged back from page 4, it reaches the cover); the cover's starts
        // at page 1.
        flow("the tutorial's page kept, and the cover's tutorial from page 1",
             tutorial + next3 +
                 "pages:PageMenu_5 zoom:GraphMenu pages:PageMenu_2 calc:CalcMenu_5 " + back3 +
                 "pages:PageMenu_3 cover:MainMenu_2",
             "pages /", 0, {"?pages:lblPage=Page 1 of 16"});
        flow("report &Print", report + "report:OutMenu_2", "report / calc", 0);
        flow("report &Calculations", report + "report:OutMenu_3", "calc /", 0,
             {"?calc:Text4=Kept", "?price=0"});
        flow("report closed", report + "report:close", "calc /", 0, {"?price=0"});
        flow("report &Exit", report + "report:OutMenu_4", "/", 1);
        flow("report &File &Exit", report + "report:OutMenu1_1", "/", 1);
        // The sheet waits hidden with a case edited since it was started: the
        // program asks before it ends, and Cancel brings the sheet back.
        flow("report &Exit cancelled", report + "ask:cancel report:OutMenu_4", "calc /", 0,
             {"?calc:Text4=Kept", "?questions=" + QString(keld::kUnsavedChangesQuestion)});
        flow("instructions start at page 1", tutorial + next3 + "pages:PageMenu_2 calc:CalcMenu_3",
             "pages / calc", 0, {"?pages:lblPage=Page 1 of 13"});
        flow("instructions &Previous from page 1", instructions + "pages:PageMenu_3", "calc /", 0,
             kept);
        flow("instructions closed", instructions + "pages:close", "calc /", 0, kept);
        flow("instructions zoom and back", instructions + "pages:PageMenu_5 zoom:GraphMenu",
             "pages / calc", 0, kept);
        flow("instructions &Calculations", instructions + "pages:PageMenu_2", "calc /", 0,
             {"?calc:Text4=Kept", "?price=0"});
        flow("instructions &Exit", instructions + "pages:PageMenu1_1", "/ calc", 1);
        flow("instructions &Exit cancelled", instructions + "ask:cancel pages:PageMenu1_1",
             "calc /", 0, {"?calc:Text4=Kept"});
    }
    void handOvers() { runRow(true); }

    // A program folder with its configuration alone: no cover picture, default
    // case, report template or pages. A modal message runs an event loop of
    // its own, in which the window just left may be deleted while the next is
    // still loading: no closing of the program's last window. The sheet
    // starts empty (the core's StartUp.WithoutADefaultCase), the report still
    // opens, a set without pages shows none; each message under the normal
    // pointer although a window is loading.
    void programFolderIncomplete() {
        PageSet set("Instructions", 0, "[Brochure]\r\nTitleBar=T\r\n");
        writeFile(set.folder.filePath("KELD4WIN.INI"), set.ini);
        Program& p = set.program;
        p.platform.modalLoop = true;
        p.startOnCover();
        p.run({"cover:MainMenu_3", "?ends=0", "?windows=calc /", "open:" + kDefaultCase,
               "calc:CalcMenu1_1", "calc:Command1",
               "?messages=KELD Warning: Could not open cover GIF. | Could not load the file " +
                   set.folder.filePath("Files/default.ini") +
                   " | All calculation completed without error. | Could not open Output File.",
               "?pointers=arrow,arrow,arrow,arrow", "?icons=exclamation,none,none,exclamation",
               "?windows=report / calc", "?report:caption=T KELD2 Output - default.ini",
               "report:OutMenu_3", "calc:CalcMenu_3", "?windows=pages / calc"});
        QCOMPARE(set.shown().section('|', 0, 4), "Page 1|Tutorial|||00");
    }

    // keld FILE.ini: the sheet with the file, no cover; a file that cannot be
    // loaded is refused as File, Open refuses it, on the default case.
    void openedFromOutside() {
        QTemporaryDir dir;
        const QString file = dir.filePath("E-101.ini");
        const QString none = dir.filePath("none.ini");
        writeFile(file, readFile(kDefaultCase).replace("Cooling Water Return", "Outside"));
        for (const QString& given : {file, none}) {
            Program p;
            p.state.settingsFile = dir.filePath("keld.conf");
            p.windows.start(given);
            settle();
            p.run(given == file
                      ? QStringList{"?windows=calc /", "?calc:caption=KELD - E-101.ini",
                                    "?calc:Text4=Outside", "?messages=", "?recent files=" + file}
                      : QStringList{"?windows=calc /", "?calc:caption=KELD - default.ini",
                                    "?messages=Could not load the file " + none +
                                        "\nThe file cannot be opened or read."});
        }
    }

    // A page whose text file cannot be opened is shown without its text and
    // heading, after the message (under the normal pointer, although the page
    // is loading), and the pages go on. "Pict" n: stretched to the frame
    // unless its scale is 0, in the page and the zoom window alike; one that
    // cannot be loaded leaves the previous, silently. The zoom window's
    // caption is the configured TitleBar, "0" without one, as every window's.
    void pages_data() {
        QTest::addColumn<QByteArray>("page2");
        QTest::addColumn<QByteArray>("pict1");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("page file missing, picture alone")
            << QByteArray("Page2=Pages\\gone.txt\r\n") << QByteArray("fig.png") << true;
        QTest::newRow("no Page2 key, picture at scale 0")
            << QByteArray("Page2=\r\n") << QByteArray("fig.png,0") << false;
        QTest::newRow("page file a folder, picture at scale 2")
            << QByteArray("Page2=Pages\r\n") << QByteArray("fig.png,2") << true;
    }
    void pages() {
        QFETCH(QByteArray, page2);
        QFETCH(QByteArray, pict1);
        QFETCH(bool, stretched);
        PageSet set("Brochure", 3, "Pict1=" + pict1 + "\r\n[Calculations]\r\nOutput=r.txt\r\n");
        set.ini.replace("Pict1=pict1.png\r\n", "").replace("Page2=Pages\\page2.txt\r\n", page2);
        set.picture("fig.png", QSize(120, 80), Qt::darkGreen);
        writeFile(set.folder.filePath("pict2.png"), "no picture at all");
        writeFile(set.folder.filePath("KELD4WIN.INI"), set.ini);
        Program& p = set.program;
        p.windows.openPages();
        QCOMPARE(set.shown(), "Page 1 of 3|Title 1|Heading 1|Text of page 1. |11|");
        const auto picture = [&p] { return p.control<QLabel>("pages", "IMGPAGEBMP"); };
        QCOMPARE(picture()->size(), stretched ? frmPages::pictureFrame() : QSize(120, 80));
        p.run({"pages:PageMenu_5", "?zoom:caption=0"});
        QCOMPARE(p.control<QLabel>("zoom", "imgGraphFile")->width() > 120, stretched);
        const QImage first = picture()->pixmap().toImage();
        p.run({"zoom:GraphMenu", "pages:PageMenu_4"});
        QCOMPARE(picture()->pixmap().toImage(), first);
        const QString message = "Could not open Page File #2";
        QCOMPARE(set.shown() + p.look("pointers") + p.look("icons"),
                 "Page 2 of 3|Title 1|||11|" + message + "arrowexclamation");
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        p.act("pages:PageMenu_4");
        QCOMPARE(set.shown(), "Page 3 of 3|Title 3|Heading 3|Text of page 3. |01|" + message);
        QCOMPARE(p.look("windows") + p.look("ends"), "pages /0");
    }
};

KELD_TEST_CLASS(FlowTest)
#include "flow_test.moc"
