// The calculation sheet driven through its controls (its rules are the
// core's to test): that what the user does reaches the sheet and its outcome
// is shown, and the sheet's own keyboard habits, dialogs and files.

#include "harness.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class SheetTest : public QObject {
    Q_OBJECT

  private slots:
    // Each row's steps on a sheet as started, what is shown on the way.
    void rows_data() {
        QTest::addColumn<QStringList>("steps");
        // Only a key that types a character tells the sheet of it. Alternatives
        // runs the sheet's checks first: a case that fails opens nothing.
        row("a key in the title; the title missing: Calculate and Alternatives",
            {"calc:Text4 Left", "?calc:caption=KELD - default.ini", "calc:Text4 X",
             "?calc:caption=KELD -  ", "calc:Text4=", "calc:CalcMenu_2", "calc:CalcMenu_8",
             "?windows=calc /",
             "?messages=Input Project Title (Item 1) | Input Project Title (Item 1)"});
        // Calculate shows the rows it chose, which stay its to choose until
        // the user clicks into them.
        row("rows chosen by Calculate, then by the user",
            {"calc:Command1", "report:OutMenu_3", "?calc:Text8=5", "?rowsFixed=0", "calc:Text8",
             "?rowsFixed=1"});
        // (What else Reset restores: the core's "reset after edits".)
        row("metric fluid, captions and ranges in the units shown; reset",
            {"calc:Option2_1", "calc:Combo1=Tar", "?calc:Text3=42.585",
             "?calc:Label6=W/(SqM-C),   Used =",
             "?calc:Text6 toolTip=Above the inlet air temperature, at most 398.8 \u00b0C",
             "calc:Text4=x", "calc:CalcMenu_4", "?calc:caption=KELD - default.ini",
             "?calc:Label8=Tube Length, Feet"});

        // Enter moves on as Tab does; Tab into a group of options lands on the
        // option selected; a service option that takes the focus opens the
        // fluid list; the shortcuts.
        row("Enter", {"calc:Text12 Return", "?focus=Text6", "calc:Text8 Return", "?focus=Combo2",
                      "calc:Text3 Return", "?focus=Option3_0"});
        row("Tab and Shift+Tab onto the option shown, a service's opening its list",
            {"calc:Option2_1", "calc:Option2_1 Tab", "?focus=Option1_2", "?dropDowns=1",
             "calc:Option3_1", "calc:Text9 Tab", "?focus=Option2_1", "calc:Text12 Backtab",
             "?focus=Option3_1"});
        row("a click on a service", {"calc:Option1_1", "?calc:Combo1 count=20", "?dropDowns=1"});
        row("Ctrl+S: File, Save; Ctrl+O: File, Open; F1: the instructions",
            {"save:$DIR/k.ini", "calc:Text8 Ctrl+S", "calc:Text4=x", "open:$DIR/k.ini",
             "calc:Text5 Ctrl+O", "?calc:caption=KELD - k.ini", "?calc:Text4=Cooling Water Return",
             "?filter=Ini Files (*.ini)", "calc:Text5 F1", "?windows=pages / calc",
             "?pages:lblPage=Page 1 of 13"});
        row("Ctrl+P: the price, taken and shown again",
            {"answer:Text1=125000;Command1", "calc:Text9 Ctrl+P",
             "answer:seen Text1;Text1=5;Command2", "calc:Text6 Ctrl+P",
             "?messages=", "?price=125000", "?seen=125000"});

        // Before the case is given up: nothing asked for a case as it was
        // started, opened or saved; Save, Discard or Cancel for one edited since.
        const QString asked = keld::kUnsavedChangesQuestion;
        const QString edit = "calc:Text4=Kept";
        row("nothing edited: Reset, Open and Exit ask nothing",
            {"calc:Text4 Return", "calc:CalcMenu_4", "open:cancel", "calc:CalcMenu1_1",
             "calc:CalcMenu1_3", "?questions=", "?ends=1"});
        row("Reset, Save: saved, then the default case",
            {edit, "ask:save", "save:$DIR/s.ini", "calc:CalcMenu_4", "calc:Text4=Default again",
             "ask:discard", "open:$DIR/s.ini", "calc:CalcMenu1_1",
             "?questions=" + asked + " | " + asked, "?calc:Text4=Kept",
             "?calc:caption=KELD - s.ini"});
        row("Reset, Save cancelled; File, Open, Save fails: nothing changes",
            {edit, "ask:save", "save:cancel", "calc:CalcMenu_4", "?calc:caption=KELD -  ",
             "ask:save", "save:$DIR/no/s.ini", "open:$DIR/s.ini", "calc:CalcMenu1_1",
             "?messages=Could not save the data in file $DIR/no/s.ini", "?calc:Text4=Kept"});
        // The tutorial closes the sheet, whose case a new sheet would not have.
        row("the instructions never ask; the tutorial and Exit, Cancel: nothing changes; the "
            "close box, Discard: closed",
            {edit, "calc:CalcMenu_3", "pages:PageMenu_2", "?questions=", "ask:cancel",
             "calc:CalcMenu_5", "?windows=calc /", "ask:cancel", "calc:CalcMenu1_3", "?ends=0",
             "?windows=calc /", "?calc:Text4=Kept", "ask:discard", "calc:close",
             "?questions=" + asked + " | " + asked + " | " + asked, "?windows=/", "?ends=1"});

        // The user-defined fluid dialog: a refusal keeps it open, a cancel
        // keeps the list as it was, and its values are shown in the units shown.
        row("a fluid of the user's refused, then cancelled",
            {"calc:Option1_1", "answer:Text1=X;Text2=300;Command1;Command2",
             "calc:Combo1=User Defined Gas", "?calc:Combo1=HC Gas @ 15 to 50 psig and dp = 1 psi",
             "?messages=The Overall Heat Transfer Coefficient is out of range.\n"
             "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid."});
        row("a fluid of the user's in Metric",
            {"calc:Option1_2", "answer:Text1=Brine;Text2=75;Command1",
             "calc:Combo1=User Defined Liquid", "calc:Option2_1", "answer:seen Text1;seen Text2",
             "calc:Combo1=User Defined Liquid: Brine", "?seen=Brine,425.87"});

        // Project files.
        row("saved as typed, opened again after a reset",
            {"calc:Option2_1", "calc:Option3_1", "calc:Text4=Kept \u00e9", "save:$DIR/Case 12",
             "calc:CalcMenu1_2", "calc:CalcMenu_4", "open:$DIR/Case 12", "calc:CalcMenu1_1",
             "?calc:caption=KELD - Case 12", "?calc:Text4=Kept \u00e9", "?calc:Option2_1=1",
             "?calc:Option3_1=1", "?calc:Label8=Tube Length, Meters", "?messages="});
        row("a character Windows-1252 lacks",
            {"calc:Text4=A \u2192 B", "save:$DIR/a.ini", "calc:CalcMenu1_2",
             "?messages=Some characters cannot be kept in a project file and were saved as "
             "\"?\".",
             "?calc:caption=KELD - a.ini"});
        // Why a file is refused is the core's to test; here, that the sheet
        // says so on a second line and keeps the user's unsaved entries.
        row("a file refused",
            {"write:$DIR/bad.ini=3<TEXT3>\r\nNew "
             "title<TEXT4>\r\nLIQUID<OPTION1>\r\nLava<COMBO1>\r\n",
             "calc:Text3=99", "open:$DIR/bad.ini", "calc:CalcMenu1_1",
             "?messages=Could not load the file $DIR/bad.ini\nLine 4: the fluid \"Lava\" is not "
             "in the fluid list of the service \"Liquid Cooling\".",
             "?calc:Text3=99", "?calc:Text4=Cooling Water Return"});
        // Newest first, each once, the last five, kept; one opened after a
        // reset without a question; one gone taken off before any question.
        QStringList recent = {"calc:Text4=Recent"};
        for (const char* n : {"1", "2", "3", "4", "5", "6"}) {
            recent << QString("save:$DIR/%1.ini").arg(n) << "calc:CalcMenu1_2";
        }
        row("recent files",
            recent += {"open:$DIR/3.ini", "calc:CalcMenu1_1",
                       "?recent files=$DIR/3.ini,$DIR/6.ini,$DIR/5.ini,$DIR/4.ini,$DIR/2.ini",
                       "?calc:RecentFile1=&1 3.ini  ($DIR)", "?calc:RecentFile5=&5 2.ini  ($DIR)",
                       "calc:CalcMenu_4", "calc:RecentFile2", "?calc:Text4=Recent",
                       "?calc:caption=KELD - 6.ini", "calc:Text4=Kept", "remove:$DIR/6.ini",
                       "calc:RecentFile1",
                       "?messages=Could not load the file $DIR/6.ini\nIt no longer exists and was "
                       "taken off the list of recent files.",
                       "?recent files=$DIR/3.ini,$DIR/5.ini,$DIR/4.ini,$DIR/2.ini",
                       "?calc:RecentFile5 visible=0", "?questions=", "?calc:Text4=Kept"});
        // The Options: shown in the sheet's units, checked, kept between runs,
        // taken by the next report.
        row("options",
            {"answer:hours=8000 h;Command1;hours=8000;seen tip-speed;seen noise-distance;"
             "tip-speed=9000;noise-limit=85;Command1",
             "calc:CalcMenu_7", "calc:Option2_1",
             "answer:seen tip-speed;seen noise-distance;tip-speed=62;Command1", "calc:CalcMenu_7",
             "calc:Command1", "?seen=10000,100,45.72,30.48",
             "?messages=Running hours per year: \"8000 h\" is not a number. Use a point as the "
             "decimal mark. | The fan tip speed must be from 25.4 to 60.96 m/s. | All "
             "calculation completed without error.",
             "?kept options=2,1,20,1.1,0.95,0.93,9000,30.48,85,nan,0.1,8000,10,0.08",
             "?report line:Fan tip speed=Fan tip speed (ft/min | m/s) 9,000 45.7"});
        // A field left as opened is kept exactly (10000.0000001 ft/min shows
        // as 50.8 m/s); Defaults gives those of the units shown.
        row("options: a field untouched, then Defaults",
            {"answer:tip-speed=10000.0000001;Command1", "calc:CalcMenu_7", "calc:Option2_1",
             "answer:seen tip-speed;noise-limit=85;Command1", "calc:CalcMenu_7",
             "?kept options=2,1,20,1.1,0.95,0.93,10000.0000001,30.48,85,nan,0.1,8000,10,0.08",
             "answer:Command3;seen tip-speed;seen noise-limit;seen noise-distance;Command1",
             "calc:CalcMenu_7", "?seen=50.8,50.8,,30",
             "?kept options=2,0.984251968504,20.0131233596,1.1,0.95,0.93,10000,30,nan,nan,0.1,"
             "8000,10,0.08"});
        // A settings file edited by hand: each value that is not a number, of
        // another type or out of its range falls back to its own default.
        row("options kept with bad values",
            {"write:$DIR/keld.conf=[planning]\ntipSpeedFtMin=fast\ndistanceM=1e9\n"
             "energyPricePerKwh=0.25\nhoursPerYear=1, 2\nyears=1.5\nrate=0.05\n"
             "noiseLimitDbA=200\nnearFieldLimitDbA=80\nfewestFans=3\n",
             "?kept options=3,1,20,1.1,0.95,0.93,10000,30.48,nan,80,0.25,8000,10,0.05"});
    }
    void rows() { runRow(false); }

    // File, Save where the file cannot be written: a folder the user may not
    // write to, a full disk (a file size limit cuts the write short as a full
    // disk does, for any user), a name that stands for a pipe or a folder.
    // Each says so and leaves what was there as it was, no stray file beside.
    void failedSaveKeepsWhatWasThere_data() {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("full disk: writes cut short") << "full";
        QTest::newRow("a named pipe") << "pipe";
        QTest::newRow("a folder") << "folder";
    }
    void failedSaveKeepsWhatWasThere() {
        QFETCH(QString, trouble);
        QTemporaryDir dir;
        const QString folder = dir.path();
        const QString path = folder + "/case.ini";
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
        const auto listing = [&folder, &path] { // the names in the folder, the case's bytes
            return QDir(folder)
                       .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                       .join(',') +
                   '|' + (QFileInfo(path).isFile() ? readFile(path) : QByteArray());
        };
        const QString before = listing();

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
        p.run({"?messages=Could not save the data in file " + path, "?icons=none"});
        QCOMPARE(listing(), before);
    }
};

KELD_TEST_CLASS(SheetTest)
#include "sheet_test.moc"
