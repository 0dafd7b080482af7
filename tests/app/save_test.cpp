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

class SaveTest : public QObject {
    Q_OBJECT

  private slots:
    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("full disk: writes cut short") << "full";
        QTest::newRow("a named pipe") << "pipe";
        QTest::newRow("a folder") << "folder";
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(QString, trouble);
        QTemporaryDir root;
        // The user nobody must reach the folder.
        QFile::setPermissions(root.path(), QFile::permissions(root.path()) |
                                               QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QString folder = root.filePath("folder");
        const QString path = folder + "/case.ini";
        QVERIFY(QDir().mkpath(folder));
        if (trouble == "pipe") {
            QCOMPARE(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (trouble == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else {
            writeFile(path, "An existing case, kept as it is\r\n");
        }
        const auto owner = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        QFile::setPermissions(folder, trouble == "read-only"
                                          ? owner | QFileDevice::ReadOther | QFileDevice::ExeOther
                                          : owner | QFileDevice::WriteOwner);
        const QString before = listing(folder);

        Program p;
        p.startOnSheet();
        p.run({"calc:Text4=A case that cannot be saved", "save:" + path});
        // As the user nobody (root may write anywhere), or with a file size limit.
        const bool nobody = trouble == "read-only" && geteuid() == 0;
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{16, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(!nobody || seteuid(65534) == 0);
        setrlimit(RLIMIT_FSIZE, trouble == "full" ? &small : &limit);
        p.act("calc:CalcMenu1_2");
        setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(!nobody || seteuid(0) == 0);
        QFile::setPermissions(folder, owner | QFileDevice::WriteOwner);
        p.act("?messages=Could not save the data in file " + path);
        QCOMPARE(p.platform.messages.front().icon, keld::MessageIcon::None);
        QCOMPARE(listing(folder), before);
    }
};

KELD_TEST_CLASS(SaveTest)
#include "save_test.moc"
