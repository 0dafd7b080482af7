#pragma once
// What the sheet and report tests share: a sheet on its own state, platform
// double and flow, found controls by name, and answers to modal dialogs.

#include "app_state.h"
#include "config/ini.h"
#include "fake_flow.h"
#include "sheet/frm_calc.h"
#include "test_platform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace keld::app::test {

struct SheetHarness {
    AppState state;
    TestPlatform platform;
    FakeFlow flow;
    QPointer<frmCalc> sheet;

    explicit SheetHarness(const QString& programFolder = QStringLiteral(KELD_PROGRAM_DIR)) {
        state.ProgramFolder = programFolder.toStdString();
        state.ConfigPath = configPathIn(state.ProgramFolder);
        sheet = new frmCalc(state, platform, flow);
        sheet->show();
        sheet->activateWindow();
        (void)QTest::qWaitForWindowActive(sheet);
    }
    ~SheetHarness() { delete sheet; }
    SheetHarness(const SheetHarness&) = delete;
    SheetHarness& operator=(const SheetHarness&) = delete;

    QLineEdit* text(int n) const {
        return sheet->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    QRadioButton* option(int array, int index) const {
        return sheet->findChild<QRadioButton*>(QStringLiteral("Option%1_%2").arg(array).arg(index));
    }
    QComboBox* combo(int n) const {
        return sheet->findChild<QComboBox*>(QStringLiteral("Combo%1").arg(n));
    }
    QAction* menu(const QString& name) const { return sheet->findChild<QAction*>(name); }
    QString caption() const { return sheet->windowTitle(); }

    // A field's text replaced as the user would type it.
    void type(int n, const QString& value) const {
        QLineEdit* e = text(n);
        e->setFocus();
        e->selectAll();
        if (value.isEmpty()) {
            QTest::keyClick(e, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(e, value);
        }
    }
    // A field's text replaced at once, as a paste over a selection does.
    void paste(int n, const QString& value) const {
        QLineEdit* e = text(n);
        e->setFocus();
        e->selectAll();
        e->insert(value);
    }
    // A list entry chosen as the user would choose it.
    void choose(int comboNumber, const QString& entry) const {
        QComboBox* c = combo(comboNumber);
        const int i = c->findText(entry);
        QVERIFY2(i >= 0, qPrintable(entry));
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
};

// Runs `act` on the modal dialog that the next step opens, once it is open.
inline void onModal(std::function<void(QWidget*)> act, int tries = 500) {
    QTimer::singleShot(0, qApp, [act = std::move(act), tries]() mutable {
        if (QWidget* w = QApplication::activeModalWidget()) {
            act(w);
        } else if (tries > 0) {
            onModal(std::move(act), tries - 1);
        }
    });
}

} // namespace keld::app::test
