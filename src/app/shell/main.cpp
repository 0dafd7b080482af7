// The desktop program: it starts on its cover window, or on the calculation
// sheet with the project file it is given ("keld E-101.ini", as a file
// manager's "Open with" runs it).

#include "app_state.h"
#include "config/ini.h"
#include "platform/qt_platform.h"
#include "sheet/frm_options.h"
#include "shell/app_windows.h"

#include <QApplication>
#include <QCommandLineParser>
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

    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral(
        "Estimates the size, fan power, weight and price of an air-cooled heat exchanger."));
    arguments.addHelpOption();
    arguments.addPositionalArgument(QStringLiteral("FILE"),
                                    QStringLiteral("A project file (.ini) to open on the sheet."),
                                    QStringLiteral("[FILE]"));
    arguments.process(application);

    keld::app::AppState state;
    state.ProgramFolder = keld::executableFolder();
    state.ConfigPath = keld::configPathIn(state.ProgramFolder);
    // The Options of the sheet, kept in the user's own settings.
    state.settingsFile = QSettings().fileName();
    state.planning = keld::app::loadOptions(state.settingsFile);
    keld::app::QtPlatform platform;
    keld::app::AppWindows windows(state, platform);
    const QStringList files = arguments.positionalArguments();
    if (files.isEmpty()) {
        windows.start();
    } else {
        windows.start(files.front());
    }
    return QApplication::exec();
}
