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
    }
};

KELD_TEST_CLASS(PlacementTest)
#include "placement_test.moc"
