// Every window of the flow opens wholly inside the screen's available area,
// on the screen the test is given (a test entry per screen size), and every
// page of the tutorial and of the instructions shows its whole heading and a
// text box inside the window, which scrolls a long text.

#include "harness.h"

class PlacementTest : public QObject {
    Q_OBJECT

    // The windows not wholly inside the screen, and what of a page window
    // hides part of its page: a heading cut short, or a text box that
    // reaches past the window's bottom.
    static QString outside() {
        QStringList out;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const QRect frame = w->frameGeometry();
            if (w->isVisible() && !w->screen()->availableGeometry().contains(frame)) {
                out << w->objectName() + QString::asprintf(" at %d,%d %dx%d", frame.x(), frame.y(),
                                                           frame.width(), frame.height());
            }
        }
        return out.join("; ");
    }
    static QString pageCut(const QWidget* pages) {
        const auto* title = pages->findChild<QLabel*>("lblSectTitle");
        const auto* text = pages->findChild<QWidget*>("txtPageText");
        const QRect box(text->mapTo(pages, QPoint(0, 0)), text->size());
        QStringList cut;
        if (title->height() < title->heightForWidth(title->width())) {
            cut << "heading cut";
        }
        if (!pages->rect().contains(box) || box.height() < 100) {
            cut << QString::asprintf("text at %d,%d %dx%d in %dx%d", box.x(), box.y(), box.width(),
                                     box.height(), pages->width(), pages->height());
        }
        return cut.join(", ");
    }

  private slots:
    void everyWindowAndPageFits() {
        Program p;
        p.startOnCover();
        QCOMPARE(outside(), "");
        for (const QString step :
             {"cover:MainMenu_4", "cover:MainMenu_2", "pages:PageMenu_5", "zoom:GraphMenu",
              "pages:PageMenu_2", "calc:CalcMenu_2", "report:OutMenu_3", "calc:CalcMenu_8",
              "alternatives:cmdClose", "calc:CalcMenu_3"}) {
            p.act(step);
            QCOMPARE(step + ": " + outside(), step + ": ");
            if (step == "cover:MainMenu_2" || step == "calc:CalcMenu_3") { // a set of pages
                const int count = p.state.tutorial.PageCount;
                QVERIFY(count > 10);
                for (int page = 1; page <= count; ++page) {
                    QCOMPARE(p.look("pages:lblPage") + ": " + pageCut(p.window("pages")) +
                                 outside(),
                             QString("Page %1 of %2: ").arg(page).arg(count));
                    p.act(page < count ? "pages:PageMenu_4" : "?pages:PageMenu_4 enabled=0");
                }
            }
        }
        // The Options dialog, modal, on the sheet.
        p.run({"answer:seen inside;Command2", "calc:CalcMenu_7", "?seen=1"});
    }
};

KELD_TEST_CLASS(PlacementTest)
#include "placement_test.moc"
