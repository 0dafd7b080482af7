// The desktop program: it starts on its cover window.

#include "app_state.h"
#include "config/ini.h"
#include "platform/qt_platform.h"
#include "sheet/frm_options.h"
#include "shell/app_windows.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KELD"));
    QApplication::setOrganizationName(QStringLiteral("KELD"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("keld")));
    // The windows decide when the program ends: on "&Exit", and when the last
    // loaded window closes (a hidden window is still loaded).
    QApplication::setQuitOnLastWindowClosed(false);

    keld::app::AppState state;
    state.ProgramFolder = keld::executableFolder();
    state.ConfigPath = keld::configPathIn(state.ProgramFolder);
    // The Options of the sheet, kept in the user's own settings.
    state.settingsFile = QSettings().fileName();
    state.planning = keld::app::loadOptions(state.settingsFile);
    keld::app::QtPlatform platform;
    keld::app::AppWindows windows(state, platform);
    windows.start();
    return QApplication::exec();
}
