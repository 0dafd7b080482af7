// Every window of the flow opens wholly inside the available area of the
// screen the test is given (a test entry per screen size); every page shows
// its whole heading and a text box inside the window, which scrolls.

#include "harness.h"

class PlacementTest : public QObject {
    Q_OBJECT

    // The windows not wholly inside the screen.
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
                    // Neither a heading cut short nor a text box past the window's bottom.
                    QWidget* pages = p.window("pages");
                    const auto* title = pages->findChild<QLabel*>("lblSectTitle");
                    const auto* text = pages->findChild<QWidget*>("txtPageText");
                    const QRect box(text->mapTo(pages, QPoint(0, 0)), text->size());
                    const QString where = p.look("pages:lblPage") + ": ";
                    QVERIFY2(title->height() >= title->heightForWidth(title->width()),
                             qPrintable(where + "heading cut"));
                    QVERIFY2(pages->rect().contains(box) && box.height() >= 100,
                             qPrintable(where + "text box cut"));
                    QCOMPARE(where + outside(), QString("Page %1 of %2: ").arg(page).arg(count));
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
