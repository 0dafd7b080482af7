#include "sheet/frm_fluid.h"

#include "platform/platform.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace keld::app {

frmFluid::frmFluid(Sheet& sheet, Platform& platform, const UserFluidDialogTexts& start,
                   QWidget* owner)
    : QDialog(owner), m_sheet(sheet), m_platform(platform) {
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
    m_name->setText(QString::fromStdString(start.name));
    m_unit->setText(QString::fromUtf8(start.unit));
    m_coefficient->setText(QString::fromStdString(start.coefficient));
}

void frmFluid::Command1_Click() {
    const std::optional<std::string> refused =
        m_sheet.confirmUserFluid(m_name->text().toStdString(), m_coefficient->text().toStdString());
    if (refused) {
        m_platform.showMessage(this, QString::fromStdString(*refused), MessageIcon::None);
        return;
    }
    accept();
}

void frmFluid::Command2_Click() {
    m_sheet.cancelUserFluid();
    reject();
}

void frmFluid::closeEvent(QCloseEvent* event) {
    if (result() != QDialog::Accepted) {
        m_sheet.cancelUserFluid();
    }
    QDialog::closeEvent(event);
}

} // namespace keld::app
