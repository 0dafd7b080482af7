// The window tests in one program: its first argument names the test class to
// run, the rest go to QtTest as usual ("keld_gui_test SheetTest -v2").

#include "harness.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QLocale::setDefault(QLocale::c());
    const auto& classes = keld::app::test::testClasses();
    const auto test = argc > 1 ? classes.find(QString::fromLocal8Bit(argv[1])) : classes.end();
    if (test == classes.end()) {
        std::fputs("Usage: keld_gui_test CLASS [QtTest options]\n", stderr);
        return 2;
    }
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    const std::unique_ptr<QObject> object = test->second();
    return QTest::qExec(object.get(), static_cast<int>(args.size()), args.data());
}
