// File, Save where the file cannot be written: a folder the user may not
// write to, and a full disk (a small file system filled up, and a file size
// limit that cuts the write short as a full disk does). Each shows
// "Could not save the data in file " and the path, and leaves the file that
// was there byte for byte, with no stray file beside it.

#include "sheet_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace keld::app;
using namespace keld::app::test;

namespace {

const QByteArray kExisting = "An existing case, kept as it is\r\n";
constexpr uid_t kNobody = 65534;

enum class Trouble { ReadOnlyFolder, SmallFileSystem, FileSizeLimit };

// Runs the save as the trouble requires: as the user nobody (root may write
// anywhere), or with a file size limit (writes beyond it fail).
class TroubleScope {
  public:
    explicit TroubleScope(Trouble t) : m_trouble(t) {
        if (t == Trouble::ReadOnlyFolder && geteuid() == 0) {
            m_droppedFrom = 0;
            QVERIFY(seteuid(kNobody) == 0);
        }
        if (t == Trouble::FileSizeLimit) {
            QVERIFY(getrlimit(RLIMIT_FSIZE, &m_limit) == 0);
            rlimit small = m_limit;
            small.rlim_cur = 16;
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
    }
    ~TroubleScope() {
        if (m_droppedFrom) {
            (void)seteuid(*m_droppedFrom);
        }
        if (m_trouble == Trouble::FileSizeLimit) {
            setrlimit(RLIMIT_FSIZE, &m_limit);
            std::signal(SIGXFSZ, m_oldHandler);
        }
    }
    TroubleScope(const TroubleScope&) = delete;
    TroubleScope& operator=(const TroubleScope&) = delete;

  private:
    Trouble m_trouble;
    std::optional<uid_t> m_droppedFrom;
    rlimit m_limit{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

} // namespace

Q_DECLARE_METATYPE(Trouble)

class SaveFailureTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void failedSaveKeepsTheFile_data() {
        QTest::addColumn<Trouble>("trouble");
        QTest::newRow("read-only folder") << Trouble::ReadOnlyFolder;
        QTest::newRow("full disk: a small file system filled up") << Trouble::SmallFileSystem;
        QTest::newRow("full disk: writes cut short") << Trouble::FileSizeLimit;
    }

    void failedSaveKeepsTheFile() {
        QFETCH(Trouble, trouble);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        // The user nobody must reach the folder.
        QFile::setPermissions(root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther);
        const QString folder = root.path() + "/folder";
        QVERIFY(QDir().mkpath(folder));
        bool mounted = false;
        if (trouble == Trouble::SmallFileSystem) {
            if (mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0) {
                QSKIP("no small file system can be mounted here (mounting needs privileges)");
            }
            mounted = true;
        }
        const QString path = folder + "/case.ini";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(kExisting), qint64(kExisting.size()));
        }
        if (mounted) {
            // Fill the file system to its last byte.
            QFile filler(folder + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size()) {
            }
            while (filler.write("x", 1) == 1) {
            }
        }
        if (trouble == Trouble::ReadOnlyFolder) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        }
        const QStringList before =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        SheetHarness h;
        h.type(4, QStringLiteral("A case that cannot be saved"));
        h.platform.messages.clear();
        h.platform.saveAnswers = {path};
        {
            TroubleScope scope(trouble);
            QVERIFY(h.menu(QStringLiteral("CalcMenu1_2"))->isEnabled());
            h.menu(QStringLiteral("CalcMenu1_2"))->trigger();
        }

        QCOMPARE(h.platform.texts(), QStringList{"Could not save the data in file " + path});
        QCOMPARE(h.platform.messages.front().icon, keld::MessageIcon::None);
        QCOMPARE(readAll(path), kExisting);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 before);

        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        if (mounted) {
            QVERIFY(umount(folder.toLocal8Bit().constData()) == 0);
        }
    }

    // A pipe or a folder where the file should be is not replaced by a file.
    void specialTargetIsLeftAlone_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("a named pipe") << true;
        QTest::newRow("a folder") << false;
    }

    void specialTargetIsLeftAlone() {
        QFETCH(bool, pipe);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString path = root.path() + "/case.ini";
        QVERIFY(pipe ? mkfifo(path.toLocal8Bit().constData(), 0600) == 0 : QDir().mkdir(path));

        SheetHarness h;
        h.platform.messages.clear();
        h.platform.saveAnswers = {path};
        h.menu(QStringLiteral("CalcMenu1_2"))->trigger();

        QCOMPARE(h.platform.texts(), QStringList{"Could not save the data in file " + path});
        const QFileInfo after(path);
        QVERIFY(after.exists());
        QVERIFY(!after.isFile());
        QCOMPARE(after.isDir(), !pipe);
    }
};

QTEST_MAIN(SaveFailureTest)
#include "save_failure_test.moc"
