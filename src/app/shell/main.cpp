// The desktop program.

#include "app_state.h"
#include "platform/qt_platform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    keld::app::AppState state;
    keld::app::QtPlatform platform;
    (void)state;
    (void)platform;
    return 0;
}
