// The window tests in one program: its first argument names the test class to
// run, the rest go to QtTest as usual ("keld_gui_test SheetTest -v2").

#include "harness.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QLocale::setDefault(QLocale::c());
    QStringList args = QApplication::arguments();
    const auto test = testClasses().find(args.value(1));
    if (test == testClasses().end()) {
        qCritical("Usage: keld_gui_test CLASS [QtTest options]");
        return 2;
    }
    args.removeAt(1);
    return QTest::qExec(test->second().get(), args);
}
