#include "shell/frm_about.h"

#include "platform/placement.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace keld::app {

namespace {

// The program's icon from the installed theme; in a program folder without
// one, the same motif drawn here: a finned-tube bundle between its headers,
// with the fan underneath.
QPixmap programIcon(int size) {
    const QIcon themed = QIcon::fromTheme(QStringLiteral("keld"));
    if (!themed.isNull()) {
        return themed.pixmap(size, size);
    }
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const QColor dark(0x37, 0x49, 0x5c);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(14, 24, 30, 124), 5, 5);
    p.drawRoundedRect(QRectF(212, 24, 30, 124), 5, 5);
    for (int row = 0; row < 4; ++row) {
        const double y = 32 + row * 29;
        p.setPen(QPen(dark, 2));
        p.setBrush(QColor(0x9f, 0xb4, 0xc7));
        p.drawRect(QRectF(44, y, 168, 22));
        p.setPen(QPen(QColor(0x4f, 0x6d, 0x8a), 3));
        for (double x = 48; x < 210; x += 8) {
            p.drawLine(QPointF(x, y + 1), QPointF(x, y + 21));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc8, 0xd3, 0xdd));
        p.drawRect(QRectF(44, y + 8, 168, 6));
    }
    p.setPen(QPen(dark, 6));
    p.setBrush(QColor(0xe9, 0xee, 0xf2));
    p.drawEllipse(QPointF(128, 198), 48, 48);
    QPainterPath blade;
    blade.moveTo(0, 0);
    blade.cubicTo(8, -14, 26, -22, 42, -16);
    blade.cubicTo(40, -4, 22, 6, 0, 0);
    p.setPen(QPen(QColor(0x8f, 0x45, 0x12), 2));
    p.setBrush(QColor(0xd9, 0x76, 0x2b));
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(128, 198);
        p.rotate(120.0 * k);
        p.drawPath(blade);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawEllipse(QPointF(128, 198), 9, 9);
    return pixmap;
}

QFrame* separatingLine(QWidget* parent, const QString& name) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About KELD"));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon(64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lblTitle = new QLabel(QStringLiteral("KELD v2.0"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    const QString descriptions[] = {
        QStringLiteral("KELD Size and Price Estimate, by the KELD team"),
        QStringLiteral("Version 2.05"),
        QStringLiteral("October 19, 2021"),
        QStringLiteral("Code Authors"),
        QStringLiteral("KELD development team: sizing and estimates"),
        QStringLiteral("KELD development team: calculation sheet and report"),
        QStringLiteral("KELD development team: tutorial and instructions"),
    };
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(lblTitle);
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(descriptions[i], this);
        label->setObjectName(QStringLiteral("lblDescription_%1").arg(i));
        if (i >= 4) {
            label->setIndent(16); // the names stand below "Code Authors"
        }
        if (i == 3) {
            texts->addSpacing(6);
        }
        texts->addWidget(label);
    }

    auto* lblDisclaimer = new QLabel(
        QStringLiteral(
            "This software provides a method for estimating KELD size, weight, price, "
            "and power consumption in the planning stage but is not intended to provide "
            "information sufficient for detailed and final design. If specific assistance "
            "is needed, please contact Vendrel Products Corporation at  (555) 014-2702."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0);
    grid->addLayout(texts, 0, 1);
    grid->addWidget(separatingLine(this, QStringLiteral("Line1")), 1, 0, 1, 2);
    grid->addWidget(lblDisclaimer, 2, 0, 1, 2);
    grid->addWidget(separatingLine(this, QStringLiteral("Line2")), 3, 0, 1, 2);
    grid->addWidget(cmdOK, 4, 1, Qt::AlignRight);
    setFixedWidth(480);
    // As tall as its wrapped disclaimer needs at that width.
    centreOnScreen(this);
}

void frmAbout::cmdOK_Click() {
    close();
}

bool frmAbout::event(QEvent* e) {
    // Losing the focus to another window closes the box.
    if (e->type() == QEvent::WindowDeactivate) {
        close();
    }
    return QDialog::event(e);
}

} // namespace keld::app
