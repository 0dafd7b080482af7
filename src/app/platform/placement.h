#pragma once
// Window placement and the busy mouse pointer, as every window uses them.

#include "platform/platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace keld::app {

// The margins of a window's frame (its title bar and borders): known once it
// has been shown; before that, those of another window of the program (one
// on show, or one hidden after it was shown), which the window manager will
// give this one too.
inline QMargins frameMargins(const QWidget* window) {
    const auto marginsOf = [](const QWidget* w) {
        const QRect outer = w->frameGeometry();
        const QRect inner = w->geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
    };
    if (window->isVisible()) {
        return marginsOf(window);
    }
    // A window on show; else one that was shown and keeps its frame's size.
    QMargins seen;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isWindow()) {
            continue;
        }
        if (other->isVisible()) {
            return marginsOf(other);
        }
        if (seen.isNull()) {
            seen = marginsOf(other);
        }
    }
    return seen;
}

// Centres a window on the available area of its screen, frame included, at
// the size its layout gives it (or the size it was given), but never larger
// than that area: a window on a small screen opens wholly on it.
inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMargins(window);
    const QSize room = area.size().shrunkBy(frame);
    QSize size = window->size();
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized)) {
        // Not laid out yet: the size its layout asks for.
        size = window->sizeHint().expandedTo(window->minimumSizeHint());
    }
    if (window->hasHeightForWidth()) {
        size.setHeight(std::max(size.height(), window->heightForWidth(size.width())));
    }
    window->resize(size.boundedTo(room));
    const QSize outer = window->size().grownBy(frame);
    window->move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
                 area.y() + std::max(0, (area.height() - outer.height()) / 2));
}

// The size a large window opens at: the size it would like, but no more than
// nine tenths of the available area of its screen, frame included, so that a
// window opens wholly on a small screen and leaves room around it on a large
// one at a high scale.
inline QSize openingSize(const QWidget* window, QSize wanted) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return wanted;
    }
    const QSize room = screen->availableGeometry().size().shrunkBy(frameMargins(window));
    return wanted.boundedTo(room * 0.9).expandedTo(window->minimumSizeHint().boundedTo(room));
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
