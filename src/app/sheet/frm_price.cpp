#include "sheet/frm_price.h"

#include "platform/platform.h"
#include "text/number.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace keld::app {

frmPrice::frmPrice(AppState& state, Platform& platform, QWidget* owner)
    : QDialog(owner), m_state(state), m_platform(platform) {
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

    if (m_state.record.COSTUSER > 0) {
        m_price->setText(QString::fromStdString(formatPlainDecimal(m_state.record.COSTUSER)));
    }
}

void frmPrice::Command1_Click() {
    const std::string text = m_price->text().toStdString();
    const std::optional<double> price = readNumber(text);
    // A price too large to read is refused like a price of 0.
    if (text.empty() || !price || *price <= 0) {
        m_platform.showMessage(this, QStringLiteral("Enter KELD Price > 0"), MessageIcon::None);
        return;
    }
    m_state.record.COSTUSER = *price;
    accept();
}

void frmPrice::Command2_Click() {
    m_price->clear();
    reject();
}

} // namespace keld::app
