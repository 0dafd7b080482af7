#include "shell/window_support.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace keld::app {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
}

BusyPointer::BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyPointer::~BusyPointer() { QApplication::restoreOverrideCursor(); }

QSize twipsToPixels(int widthTwips, int heightTwips, double enlargement) {
    constexpr double kTwipsPerPixel = 15.0;
    return {static_cast<int>(std::lround(widthTwips / kTwipsPerPixel * enlargement)),
            static_cast<int>(std::lround(heightTwips / kTwipsPerPixel * enlargement))};
}

} // namespace keld::app
