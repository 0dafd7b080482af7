#include "sheet/frm_price.h"

#include "platform/platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace keld::app {

frmPrice::frmPrice(Sheet& sheet, Platform& platform, QWidget* owner)
    : QDialog(owner), m_sheet(sheet), m_platform(platform) {
    setObjectName(QStringLiteral("frmPrice"));
    setWindowTitle(QStringLiteral("KELD Price"));
    setModal(true);

    auto* label = new QLabel(QStringLiteral("Enter KELD Price (US Dollars)"));
    label->setObjectName(QStringLiteral("Label1"));
    m_price = new QLineEdit;
    m_price->setObjectName(QStringLiteral("Text1"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Command2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_price);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Command2_Click(); });

    m_price->setText(QString::fromStdString(m_sheet.priceText()));
}

void frmPrice::Command1_Click() {
    if (const std::optional<std::string> refused =
            m_sheet.enterPrice(m_price->text().toStdString())) {
        m_platform.showMessage(this, QString::fromStdString(*refused), MessageIcon::None);
        return;
    }
    accept();
}

void frmPrice::Command2_Click() {
    m_price->clear();
    reject();
}

} // namespace keld::app
