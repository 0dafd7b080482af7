#include "sheet/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace keld::app {
namespace {

const QString kKey = QStringLiteral("sheet/recentFiles");

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QString settingsFile) : m_settingsFile(std::move(settingsFile)) {}

const QStringList& RecentFiles::files() {
    if (!m_settingsFile.isEmpty()) {
        // A list edited by hand keeps its first five paths, each once.
        QStringList kept;
        for (const QString& path :
             QSettings(m_settingsFile, QSettings::IniFormat).value(kKey).toStringList()) {
            if (!path.isEmpty() && !kept.contains(absolute(path)) && kept.size() < kCount) {
                kept << absolute(path);
            }
        }
        m_files = kept;
    }
    return m_files;
}

void RecentFiles::add(const QString& path) {
    QStringList list = files();
    list.removeAll(absolute(path));
    list.prepend(absolute(path));
    keep(list.mid(0, kCount));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = files();
    list.removeAll(absolute(path));
    keep(list);
}

void RecentFiles::keep(QStringList list) {
    m_files = std::move(list);
    if (!m_settingsFile.isEmpty()) {
        QSettings(m_settingsFile, QSettings::IniFormat).setValue(kKey, m_files);
    }
}

QString RecentFiles::menuText(qsizetype index, const QString& path) {
    const QFileInfo file(path);
    QString folder = QDir::toNativeSeparators(file.absolutePath());
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (home != QDir::rootPath() &&
        (folder == home || folder.startsWith(home + QDir::separator()))) {
        folder = QLatin1Char('~') + folder.mid(home.size());
    }
    QString name = file.fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2  (%3)").arg(index + 1).arg(name, folder);
}

} // namespace keld::app
