// The waits a user feels in the desktop program, beside a bare main window
// with one label as the floor: the cover from start-up to shown, Calculate to
// the report shown, and the Alternatives window with its default sweep. Runs under the offscreen
// platform unless another one is asked for.

#include "alternatives/frm_alternatives.h"
#include "app_state.h"
#include "config/ini.h"
#include "sheet/frm_calc.h"
#include "shell/app_windows.h"
#include "test_platform.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace keld::app;

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void useProgramFolder(AppState& state) {
    state.ProgramFolder = KELD_PROGRAM_DIR;
    state.ConfigPath = keld::configPathIn(state.ProgramFolder);
}

// The program on the build's program folder with its sheet shown.
struct SheetShown {
    SheetShown() {
        windows.showCalc();
        settle();
    }
    AppState state = [] {
        AppState s;
        useProgramFolder(s);
        return s;
    }();
    test::TestPlatform platform;
    AppWindows windows{state, platform};
};

// The floor: a main window with one label, created and shown.
void BM_BareWindowShown(benchmark::State& loop) {
    for (auto _ : loop) {
        auto window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("KELD"), window.get()));
        window->show();
        QCoreApplication::processEvents();
        loop.PauseTiming();
        window.reset();
        settle();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond);

// The same with the cover's menu bar, which alone costs more than the window:
// what the cover adds beyond this is its own start-up.
void BM_BareWindowWithMenuShown(benchmark::State& loop) {
    for (auto _ : loop) {
        auto window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("KELD"), window.get()));
        window->menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Exit"));
        for (const char* item : {"&Tutorial", "&Calculations", "&About"}) {
            window->menuBar()->addAction(QString::fromLatin1(item));
        }
        window->show();
        QCoreApplication::processEvents();
        loop.PauseTiming();
        window.reset();
        settle();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_BareWindowWithMenuShown)->Unit(benchmark::kMillisecond);

// Start-up: the cover reads the configuration and its picture and shows itself.
void BM_CoverShown(benchmark::State& loop) {
    for (auto _ : loop) {
        AppState state;
        useProgramFolder(state);
        test::TestPlatform platform;
        auto windows = std::make_unique<AppWindows>(state, platform);
        windows->start();
        QCoreApplication::processEvents();
        loop.PauseTiming();
        if (windows->cover() == nullptr || !platform.messages.empty()) {
            loop.SkipWithError("the cover did not start cleanly");
        }
        windows.reset();
        settle();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_CoverShown)->Unit(benchmark::kMillisecond);

// Calculate on the default case until the report window is shown.
void BM_CalculateToReportShown(benchmark::State& loop) {
    SheetShown program;
    AppWindows& windows = program.windows;
    auto* sheet = qobject_cast<frmCalc*>(windows.calc());
    if (sheet == nullptr) {
        loop.SkipWithError("no sheet");
        return;
    }
    for (auto _ : loop) {
        sheet->Calculate_Output();
        QCoreApplication::processEvents();
        loop.PauseTiming();
        if (windows.report() == nullptr) {
            loop.SkipWithError("no report");
            break;
        }
        windows.report()->close(); // the sheet comes back
        settle();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_CalculateToReportShown)->Unit(benchmark::kMillisecond);

// "Alternatives…" on the default case: the window shown with its default
// sweep (8 row counts x 27 tube lengths) in the chart and the table.
void BM_AlternativesShown(benchmark::State& loop) {
    SheetShown program;
    AppWindows& windows = program.windows;
    for (auto _ : loop) {
        windows.openAlternatives();
        auto* window = qobject_cast<frmAlternatives*>(windows.alternatives());
        while (window != nullptr && (window->sweeping() || window->result() == nullptr)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        QCoreApplication::processEvents();
        loop.PauseTiming();
        if (window == nullptr) {
            loop.SkipWithError("no window");
            break;
        }
        window->close();
        settle();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_AlternativesShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The offscreen platform warns about every window it cannot raise.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg) {
            fprintf(stderr, "%s\n", qPrintable(text));
        }
    });
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
