#pragma once
// The project files last opened or saved on the sheet, newest first, at most
// five, kept in the settings file that also keeps the Options (none: kept
// while the program runs).

#include <QString>
#include <QStringList>

namespace keld::app {

class RecentFiles {
  public:
    static constexpr qsizetype kCount = 5;

    explicit RecentFiles(QString settingsFile);

    // The list as kept now (another run of the program may have changed it).
    const QStringList& files();
    // A file opened or saved: first in the list, once.
    void add(const QString& path);
    // A file that is gone: off the list.
    void remove(const QString& path);

    // The menu text of the list's entry at `index` (from 0): "&1 E-101.ini
    // (~/cases)", the folder from the home folder on.
    static QString menuText(qsizetype index, const QString& path);

  private:
    void keep(QStringList list);

    QString m_settingsFile;
    QStringList m_files;
};

} // namespace keld::app
