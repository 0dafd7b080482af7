#pragma once
// Window placement and the busy mouse pointer, as every window uses them.

#include "platform/platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace keld::app {

// Centres a window, at its present size, on its screen.
inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

// The busy (hourglass) pointer for as long as it lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The engine's messages while a window loads under the busy pointer: each
// message box gets the normal pointer, and the busy one returns after it.
class ArrowMessages : public MessageSink {
public:
    ArrowMessages(Platform& platform, QWidget* owner) : m_platform(platform), m_owner(owner) {}
    void showMessage(std::string_view text, MessageIcon icon) override {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_platform.showMessage(
            m_owner, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), icon);
        QApplication::restoreOverrideCursor();
    }

private:
    Platform& m_platform;
    QWidget* m_owner;
};

} // namespace keld::app
