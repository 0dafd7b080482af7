// Every window of the flow opens wholly inside the screen's available area,
// on the screen the test is given (a test entry per screen size).

#include "harness.h"

class PlacementTest : public QObject {
    Q_OBJECT

    static QString outside() {
        QStringList out;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const QRect area = w->screen()->availableGeometry();
            const QRect frame = w->frameGeometry();
            if (w->isVisible() && !area.contains(frame)) {
                out << w->objectName() + QString::asprintf(" at %d,%d %dx%d", frame.x(), frame.y(),
                                                           frame.width(), frame.height());
            }
        }
        return out.join("; ");
    }

    // What of a page window hides part of its page: a heading cut short, or
    // a text box that reaches past the window's bottom.
    static QString pageCut(const QWidget* pages) {
        const auto* title = pages->findChild<QLabel*>("lblSectTitle");
        const auto* text = pages->findChild<QWidget*>("txtPageText");
        const QRect inside = pages->rect();
        const QRect box(text->mapTo(pages, QPoint(0, 0)), text->size());
        QStringList cut;
        if (title->height() < title->heightForWidth(title->width())) {
            cut << "heading cut";
        }
        if (!inside.contains(box) || box.height() < 100) {
            cut << QString::asprintf("text at %d,%d %dx%d in %dx%d", box.x(), box.y(), box.width(),
                                     box.height(), inside.width(), inside.height());
        }
        return cut.join(", ");
    }

  private slots:
    void everyWindowOfTheFlowFits() {
        Program p;
        p.startOnCover();
        QCOMPARE(outside(), "");
        for (const char* step :
             {"cover:MainMenu_4", "cover:MainMenu_2", "pages:PageMenu_5", "zoom:GraphMenu",
              "pages:PageMenu_2", "calc:CalcMenu_2", "report:OutMenu_3", "calc:CalcMenu_8",
              "alternatives:cmdClose", "calc:CalcMenu_3"}) {
            p.act(step);
            QCOMPARE(step + (": " + outside()), step + QString(": "));
        }
        // The Options dialog, modal, on the sheet.
        p.act("answer:seen inside;Command2");
        p.act("calc:CalcMenu_7");
        QCOMPARE(p.look("seen"), "1");
    }

    // Every page of the tutorial and of the instructions shows its whole
    // heading and a text box inside the window, which scrolls a long text.
    void everyPageShowsItsText() {
        Program p;
        p.startOnCover();
        for (const char* opening : {"cover:MainMenu_2", "pages:PageMenu_2 calc:CalcMenu_3"}) {
            for (const QString& step : QString(opening).split(' ')) {
                p.act(step);
            }
            QWidget* pages = p.window("pages");
            QVERIFY(pages != nullptr);
            const int count = p.state.tutorial.PageCount;
            QVERIFY(count > 10);
            for (int page = 1; page <= count; ++page) {
                QCOMPARE(p.look("pages:lblPage") + ": " + pageCut(pages) + outside(),
                         QString("Page %1 of %2: ").arg(page).arg(count));
                if (page < count) {
                    p.act("pages:PageMenu_4");
                }
            }
        }
    }
};

KELD_TEST_CLASS(PlacementTest)
#include "placement_test.moc"
