#pragma once
// A message shown while a window loads under the busy pointer: the message box
// gets the normal pointer, and the busy one comes back when it is answered.

#include "platform/platform.h"

#include <QApplication>

namespace keld::app {

inline void showMessageWithArrow(Platform& platform, QWidget* owner, const QString& text,
                                 MessageIcon icon) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    platform.showMessage(owner, text, icon);
    QApplication::restoreOverrideCursor();
}

} // namespace keld::app
