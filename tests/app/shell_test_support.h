#pragma once
// Helpers of the tests of the cover, the pages and the window flow: a program
// folder of the test's own, and finding and using controls by name.

#include "app_state.h"
#include "config/ini.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace keld::app::test {

// A program folder made for one test: its configuration, page files and
// pictures are written by the test.
class ProgramFolder {
  public:
    ProgramFolder() { QDir(m_dir.path()).mkpath(QStringLiteral("Pages")); }

    QString path() const { return m_dir.path(); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(m_dir.filePath(name));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeConfig(const QByteArray& text) const { write(QStringLiteral("KELD4WIN.INI"), text); }
    // A picture in PNG, whatever the name's extension.
    void writePicture(const QString& name, QSize size, QColor colour) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(m_dir.filePath(name), "PNG"));
    }

    // A state whose program folder this is.
    void useIn(AppState& state) const {
        state.ProgramFolder = path().toStdString();
        state.ConfigPath = configPathIn(state.ProgramFolder);
    }

  private:
    QTemporaryDir m_dir;
};

inline void useShippedFolder(AppState& state) {
    state.ProgramFolder = KELD_PROGRAM_DIR;
    state.ConfigPath = configPathIn(state.ProgramFolder);
}

// Triggers the menu item (or any action) of that name in a window.
inline bool trigger(QWidget* window, const QString& name) {
    if (window == nullptr) {
        return false;
    }
    auto* action = window->findChild<QAction*>(name);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

inline bool isEnabled(QWidget* window, const QString& name) {
    auto* action = window->findChild<QAction*>(name);
    return action != nullptr && action->isEnabled();
}

// Lets closed windows go, as the event loop would between two user actions.
inline void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace keld::app::test
