// Every window of the flow opens wholly inside the screen's available area,
// on the screen the test is given (a CTest entry per screen size).

#include "app_state.h"
#include "shell/app_windows.h"
#include "shell_test_support.h"
#include "test_platform.h"

#include <QScreen>
#include <QtTest>

using namespace keld::app;
using namespace keld::app::test;

class PlacementTest : public QObject {
    Q_OBJECT

    static QStringList outside() {
        QStringList out;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const QRect area = w->screen()->availableGeometry();
            if (w->isVisible() && !area.contains(w->frameGeometry())) {
                out << QStringLiteral("%1 at %2,%3 %4x%5 outside %6x%7")
                           .arg(w->objectName())
                           .arg(w->frameGeometry().x())
                           .arg(w->frameGeometry().y())
                           .arg(w->frameGeometry().width())
                           .arg(w->frameGeometry().height())
                           .arg(area.width())
                           .arg(area.height());
            }
        }
        return out;
    }

  private slots:
    void everyWindowOfTheFlowFits() {
        AppState state;
        useShippedFolder(state);
        TestPlatform platform;
        AppWindows windows(state, platform);
        windows.start();
        settle();
        const std::pair<const char*, QWidget* (AppWindows::*)() const> steps[] = {
            {"MainMenu_4", &AppWindows::cover}, {"MainMenu_2", &AppWindows::cover},
            {"PageMenu_5", &AppWindows::pages}, {"GraphMenu", &AppWindows::zoom},
            {"PageMenu_2", &AppWindows::pages}, {"CalcMenu_2", &AppWindows::calc},
            {"OutMenu_3", &AppWindows::report}, {"CalcMenu_8", &AppWindows::calc},
        };
        QCOMPARE(outside(), QStringList());
        for (const auto& [item, window] : steps) {
            QVERIFY2(trigger((windows.*window)(), item), item);
            settle();
            QVERIFY2(outside().isEmpty(), qPrintable(item + (": " + outside().join("; "))));
        }
        windows.alternatives()->close(); // back to the sheet
        settle();
        QVERIFY(trigger(windows.calc(), "CalcMenu_3")); // the instructions
        settle();
        QCOMPARE(outside(), QStringList());
    }
};

QTEST_MAIN(PlacementTest)
#include "placement_test.moc"
