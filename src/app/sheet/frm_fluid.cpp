#include "sheet/frm_fluid.h"

#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "text/number.h"
#include "units/units.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace keld::app {

frmFluid::frmFluid(AppState& state, Platform& platform, QWidget* owner)
    : QDialog(owner), m_state(state), m_platform(platform) {
    setObjectName(QStringLiteral("frmFluid"));
    setWindowTitle(QStringLiteral("Fluid Name"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("User Defined Fluid Selected"));
    frame->setObjectName(QStringLiteral("Frame1"));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("Text1"));
    m_name->setMinimumWidth(300);
    m_coefficient = new QLineEdit;
    m_coefficient->setObjectName(QStringLiteral("Text2"));
    m_coefficient->setFixedWidth(90);
    m_unit = new QLabel;
    m_unit->setObjectName(QStringLiteral("Label1"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Command2"));

    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Enter Fluid Name (optional):")), 0, 0, 1, 2);
    grid->addWidget(m_name, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Enter Overall Heat Transfer Coefficient:")), 2, 0, 1,
                    2);
    grid->addWidget(m_coefficient, 3, 0);
    grid->addWidget(m_unit, 3, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    setTabOrder(m_name, m_coefficient);
    setTabOrder(m_coefficient, cancel);
    setTabOrder(cancel, ok);

    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Form_Load();
}

void frmFluid::Form_Load() {
    const UserFluids& u = m_state.userFluids;
    m_name->setText(QString::fromStdString(u.USERFLUIDNAME));
    if (isTrue(m_state.record.ENGLISH)) {
        m_unit->setText(QStringLiteral("Btu/(Hr-SqFt-F)"));
        m_coefficient->setText(QString::fromStdString(FormatInputValue(u.USERFLUIDU)));
    } else {
        m_unit->setText(QStringLiteral("W/(SqM-C)"));
        m_coefficient->setText(
            QString::fromStdString(FormatInputValue(u.USERFLUIDU * units::kCoefficientToMetricDialog)));
    }
}

void frmFluid::Command1_Click() {
    UserFluids& u = m_state.userFluids;
    u.USERFLUIDNAME = m_name->text().toStdString();
    const std::optional<double> v = readNumber(m_coefficient->text().toStdString());
    if (v && *v == 0) {
        m_platform.showMessage(this, QStringLiteral("Input Overall Heat Transfer Coefficient"),
                               MessageIcon::None);
        return;
    }
    const bool english = isTrue(m_state.record.ENGLISH);
    // The value as the field would show it: four significant digits.
    std::optional<double> value;
    if (v) {
        value = readNumber(FormatInputValue(english ? *v : *v / units::kCoefficientToMetricDialog));
    }
    if (value) {
        u.USERFLUIDU = *value;
    }
    if (value && *value >= 6 && *value <= 200) {
        u.FLUIDDIALOGREADY = 0;
        accept();
        return;
    }
    m_platform.showMessage(
        this,
        QStringLiteral("The Overall Heat Transfer Coefficient is out of range.\n") +
            (english ? QStringLiteral("Values between 6 and 200 Btu/(Hr-SqFt-F) are valid.")
                     : QStringLiteral("Values between 34.1 and 1136 W/(SqM-C) are valid.")),
        MessageIcon::None);
}

void frmFluid::Command2_Click() {
    m_state.userFluids.FLUIDDIALOGREADY = 1;
    reject();
}

void frmFluid::closeEvent(QCloseEvent* event) {
    if (result() != QDialog::Accepted) {
        m_state.userFluids.FLUIDDIALOGREADY = 1;
    }
    QDialog::closeEvent(event);
}

} // namespace keld::app
