#pragma once
// What every window test shares: the program with its real windows on the
// platform double, and the steps a user takes, written as text so that a test
// is a table of rows ("$DIR": a folder of the row's own). A step:
//   "cover:MainMenu_3"   a window's (kWindows) menu item triggered or control
//                        clicked; "calc:close" its close box, "about:deactivate" the focus gone
//   "calc:Text6=181"     typed over a field (pasted where not ASCII) or a list entry
//                        chosen; "calc:Text4 Ctrl+P" one key
//   "answer:Text1=5;Command1"  the dialog that the next step opens (none: a failure):
//                        fields filled, buttons pressed, "seen Text2" a field noted ("seen
//                        inside": whether it lies wholly on its screen); then cancelled
//   "open:PATH", "save:PATH", "print:PATH", "ask:save" (discard, cancel)  the next
//                        answer of a file dialog or of the question before unsaved changes go
//   "write:PATH=TEXT"    a file written ("remove:PATH": removed)
//   "?NAME=VALUE"        what look(NAME) shows, compared ("~NAME=VALUE": waited for)

#include "app_state.h"
#include "config/ini.h"
#include "sheet/frm_options.h"
#include "sheet/recent_files.h"
#include "shell/app_windows.h"
#include "test_platform.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace keld::app::test {

// The test classes of the one test program, by name (its first argument).
using TestClasses = std::map<QString, std::function<std::unique_ptr<QObject>()>>;
inline TestClasses& testClasses() {
    static TestClasses classes;
    return classes;
}
#define KELD_TEST_CLASS(Class)                                                                     \
    static const bool registered##Class = (                                                        \
        keld::app::test::testClasses()[#Class] = [] { return std::make_unique<Class>(); }, true);

// Lets closed windows go, as the event loop would between two user actions.
inline void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A file written, its folder made if need be, and read.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
inline QByteArray readFile(const QString& path) { // none where it cannot be read
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline const QString kDefaultCase = KELD_PROGRAM_DIR "/Files/default.ini"; // the shipped one

// The offscreen platform's notes on every window shown say nothing.
inline QtMessageHandler testLog = nullptr;
inline void quietToolkit(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support"))) {
        testLog(type, context, text);
    }
}

inline const QStringList kWindows = {"cover", "calc",  "report",      "pages",
                                     "zoom",  "about", "alternatives"};

// The whole program on a program folder, started by the test.
struct Program {
    explicit Program(const QString& folder = QStringLiteral(KELD_PROGRAM_DIR)) {
        if (testLog == nullptr) { // once QtTest's own handler is in place
            testLog = qInstallMessageHandler(quietToolkit);
        }
        state.ProgramFolder = folder.toStdString();
        state.ConfigPath = configPathIn(state.ProgramFolder);
    }
    void startOnCover() {
        windows.start();
        settle();
    }
    void startOnSheet() {
        windows.showCalc();
        QVERIFY(QTest::qWaitForWindowActive(windows.calc()));
    }

    QWidget* window(const QString& name) const {
        QWidget* const all[] = {windows.cover(),       windows.calc(), windows.report(),
                                windows.pages(),       windows.zoom(), windows.about(),
                                windows.alternatives()};
        const qsizetype i = kWindows.indexOf(name);
        return i < 0 ? nullptr : all[i];
    }
    template <class T = QWidget> T* control(const QString& window, const QString& name) const {
        QWidget* w = this->window(window);
        return w != nullptr ? w->findChild<T*>(name) : nullptr;
    }

    // The steps in turn, up to the first that fails.
    void run(const QStringList& steps) {
        for (const QString& step : steps) {
            act(step);
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }
    void act(const QString& step) {
        const QString where = step.section(':', 0, 0);
        const QString what = step.section(':', 1);
        const QString name = step.mid(1).section('=', 0, 0);
        if (step.startsWith('?')) {
            QCOMPARE(name + '=' + look(name), step.mid(1));
        } else if (step.startsWith('~')) { // waited for, as long as a sweep may take
            QTRY_COMPARE_WITH_TIMEOUT(name + '=' + look(name), step.mid(1), 60000);
        } else if (QStringList{"open", "save", "print", "ask"}.contains(where)) {
            platform.answers[where] << what;
        } else if (where == "write") {
            writeFile(what.section('=', 0, 0), what.section('=', 1).toUtf8());
        } else if (where == "remove") {
            QVERIFY(QFile::remove(what));
        } else if (where == "answer") {
            QVERIFY2(m_answer.isEmpty(), qPrintable("no dialog came for " + m_answer));
            m_answer = step;
            QTimer::singleShot(0, &m_answering, [this, step] { answer(step); });
        } else {
            actOn(step, window(where), what);
        }
    }

    // What is shown, by name: a value named below ("windows": the loaded ones,
    // "shown / hidden"; "kept options" and "recent files" read back from the
    // settings file), "window:caption", "window:Control" (its text, or 1 and 0
    // for an option), "window:Control property" ("calc:Combo1 count") or
    // "report line:Label" (the report's line that starts so, one blank apart).
    QString look(const QString& what) const {
        if (what == "windows") {
            QStringList shown, hidden;
            for (const QString& name : kWindows) {
                if (QWidget* w = window(name)) {
                    (w->isVisible() ? shown : hidden) << name;
                }
            }
            return (shown.join(' ') + " / " + hidden.join(' ')).trimmed();
        }
        const QWidget* focus = QApplication::focusWidget();
        const planning::Options kept =
            loadOptions(state.settingsFile); // as the next start reads them
        QStringList options;
        for (const planning::OptionRow& row : planning::optionTable()) {
            options << QString::number(kept[row.id], 'g', 12); // in canonical units
        }
        const std::map<QString, QString> named = {
            {"ends", QString::number(platform.endCount)},
            {"messages", platform.messages.join(" | ")},
            {"icons", platform.icons.join(',')},
            {"pointers", platform.pointers.join(',')},
            {"focus", focus != nullptr ? focus->objectName() : "none"},
            {"dropDowns", QString::number(platform.dropDowns)},
            {"seen", seen.join(',')},
            {"filter", platform.lastFilter},
            {"price", QString::number(state.sheet.userPrice())},
            {"rowsFixed", QString::number(state.sheet.rowsFixed())},
            {"kept options", options.join(',')},
            {"recent files", RecentFiles(state.settingsFile).files().join(',')},
            {"questions", platform.questions.join(" | ")}};
        if (const auto n = named.find(what); n != named.end()) {
            return n->second;
        } else if (what.startsWith("report line:")) {
            const QRegularExpression line("^" + QRegularExpression::escape(what.mid(12)));
            return look("report:txtOutputText").split('\n').filter(line).value(0).simplified();
        }
        QWidget* w = window(what.section(':', 0, 0));
        QObject* c = w != nullptr ? w->findChild<QObject*>(what.section(':', 1).section(' ', 0, 0))
                                  : nullptr;
        const auto* button = qobject_cast<QAbstractButton*>(c);
        const char* shown = qobject_cast<QComboBox*>(c)        ? "currentText"
                            : qobject_cast<QPlainTextEdit*>(c) ? "plainText"
                            : button && button->isCheckable()  ? "checked"
                                                               : "text";
        const QByteArray property =
            what.contains(' ') ? what.section(' ', 1).toLatin1() : QByteArray(shown);
        const QVariant v = what.endsWith(":caption") ? QVariant(w->windowTitle())
                           : c != nullptr            ? c->property(property)
                                                     : QVariant("nothing");
        return v.typeId() == QMetaType::Bool ? QString::number(v.toBool()) : v.toString();
    }

    AppState state;
    TestPlatform platform;
    AppWindows windows{state, platform};
    QStringList seen; // what "seen" steps noted in dialogs

  private:
    void actOn(const QString& step, QWidget* w, const QString& what) {
        QVERIFY2(w != nullptr, qPrintable("no window for " + step));
        QObject* target = w->findChild<QObject*>(what.section(QRegularExpression("[= ]"), 0, 0));
        if (what == "close") {
            w->close();
        } else if (what == "deactivate") {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(w, &deactivate);
        } else if (target == nullptr) {
            QFAIL(qPrintable("no control for " + step));
        } else if (what.contains('=')) {
            enter(target, what.section('=', 1));
        } else if (what.contains(' ')) {
            auto* c = qobject_cast<QWidget*>(target);
            c->setFocus();
            const QKeyCombination key = QKeySequence(what.section(' ', 1))[0];
            QTest::keyClick(c, key.key(), key.keyboardModifiers());
        } else if (auto* a = qobject_cast<QAction*>(target)) {
            QVERIFY2(a->isEnabled(), qPrintable(step + " is disabled"));
            a->trigger();
        } else {
            QTest::mouseClick(qobject_cast<QWidget*>(target), Qt::LeftButton);
        }
        settle();
        const QString unanswered = std::exchange(m_answer, QString());
        QVERIFY2(unanswered.isEmpty(),
                 qPrintable("no dialog came for " + unanswered + " (" + step + " opened none)"));
    }
    static void enter(QObject* target, const QString& value) {
        if (auto* list = qobject_cast<QComboBox*>(target)) {
            const int i = list->findText(value);
            QVERIFY2(i >= 0, qPrintable(value));
            list->setCurrentIndex(i);
            emit list->activated(i);
            return;
        }
        auto* e = qobject_cast<QLineEdit*>(target);
        e->setFocus();
        e->selectAll();
        const bool ascii = std::all_of(value.begin(), value.end(),
                                       [](QChar c) { return c >= ' ' && c.unicode() < 0x7F; });
        if (value.isEmpty()) {
            QTest::keyClick(e, Qt::Key_Backspace);
        } else if (ascii) {
            QTest::keyClicks(e, value);
        } else {
            e->insert(value);
        }
    }
    // Once the next modal dialog is open (looked for again while not, until
    // the step that should open it is over).
    void answer(const QString& step) {
        QWidget* dialog = QApplication::activeModalWidget();
        if (m_answer != step || dialog == nullptr) {
            if (m_answer == step) {
                QTimer::singleShot(0, &m_answering, [this, step] { answer(step); });
            }
            return;
        }
        m_answer.clear();
        for (const QString& a : step.section(':', 1).split(';') + QStringList{"Command2"}) {
            auto* field = dialog->findChild<QLineEdit*>(a.section('=', 0, 0).remove("seen "));
            auto* button = dialog->findChild<QPushButton*>(a);
            if (a == "seen inside") { // the dialog wholly on its screen
                seen << QString::number(
                    dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
            } else if (!a.startsWith("seen ") && !dialog->isVisible()) {
                break;
            } else if (field == nullptr && button == nullptr) {
                dialog->close();
                QFAIL(qPrintable("no " + a + " in the dialog for " + step));
            } else if (a.startsWith("seen ")) {
                seen << field->text();
            } else {
                field != nullptr ? field->setText(a.section('=', 1)) : button->click();
            }
        }
    }
    QString m_answer;    // the answer step waiting for its dialog
    QObject m_answering; // its timers, gone with the program
};

// A table of rows (its column "steps"), each its steps, checks among them, on
// the sheet or the cover.
inline void row(const char* name, const QStringList& steps) {
    QTest::newRow(name) << steps;
}
inline void runRow(bool fromCover) {
    QFETCH(QStringList, steps);
    QTemporaryDir dir;
    Program p;
    p.state.settingsFile = dir.filePath("keld.conf");
    fromCover ? p.startOnCover() : p.startOnSheet();
    p.run(steps.replaceInStrings("$DIR", dir.path()));
}

} // namespace keld::app::test

// The tests' own header: its names, and the program's, unqualified in every test.
using namespace keld::app;
using namespace keld::app::test;
