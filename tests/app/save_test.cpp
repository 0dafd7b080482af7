// File, Save where the file cannot be written: a folder the user may not
// write to, a full disk (a file size limit cuts the write short as a full
// disk does, for any user), and a name that stands for a pipe or a folder.
// Each shows "Could not save the data in file " and the path, and leaves
// what was there as it was, with no stray file beside it.

#include "harness.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Trouble { ReadOnlyFolder, FileSizeLimit, Pipe, Folder };

// The names in the folder, and what the case holds if it is a file.
QString listing(const QString& folder) {
    QFile file(folder + "/case.ini");
    const bool read = QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly);
    return QDir(folder)
               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
               .join(',') +
           '|' + (read ? file.readAll() : QByteArray());
}

} // namespace

Q_DECLARE_METATYPE(Trouble)

class SaveTest : public QObject {
    Q_OBJECT

  private slots:
    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<Trouble>("trouble");
        QTest::newRow("read-only folder") << Trouble::ReadOnlyFolder;
        QTest::newRow("full disk: writes cut short") << Trouble::FileSizeLimit;
        QTest::newRow("a named pipe") << Trouble::Pipe;
        QTest::newRow("a folder") << Trouble::Folder;
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(Trouble, trouble);
        QTemporaryDir root;
        // The user nobody must reach the folder.
        QFile::setPermissions(root.path(), QFile::permissions(root.path()) |
                                               QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QString folder = root.filePath("folder");
        const QString path = folder + "/case.ini";
        QVERIFY(QDir().mkpath(folder));
        if (trouble == Trouble::Pipe) {
            QCOMPARE(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (trouble == Trouble::Folder) {
            QVERIFY(QDir().mkdir(path));
        } else {
            writeFile(path, "An existing case, kept as it is\r\n");
        }
        if (trouble == Trouble::ReadOnlyFolder) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        }
        const QString before = listing(folder);

        Program p;
        p.startOnSheet();
        p.act("calc:Text4=A case that cannot be saved");
        p.act("save:" + path);
        // As the user nobody (root may write anywhere), or with a file size limit.
        const bool nobody = trouble == Trouble::ReadOnlyFolder && geteuid() == 0;
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{16, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(!nobody || seteuid(65534) == 0);
        setrlimit(RLIMIT_FSIZE, trouble == Trouble::FileSizeLimit ? &small : &limit);
        p.act("calc:CalcMenu1_2");
        setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(!nobody || seteuid(0) == 0);
        QCOMPARE(p.look("messages"), "Could not save the data in file " + path);
        QCOMPARE(p.platform.messages.front().icon, keld::MessageIcon::None);
        QCOMPARE(listing(folder), before);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
};

KELD_TEST_CLASS(SaveTest)
#include "save_test.moc"
