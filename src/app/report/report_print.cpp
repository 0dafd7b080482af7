#include "report/report_print.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace keld::app {

QFont reportFont(qreal pointSize) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    font.setBold(false);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(pointSize);
        font.setBold(false);
    }
    return font;
}

void printText(QPrinter& printer, const QString& text, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal pageHeight = printer.height();
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qreal y = metrics.ascent();
    bool pageEmpty = true;
    for (const QString& line : normalised.split(QLatin1Char('\n'))) {
        if (!pageEmpty && y + metrics.descent() > pageHeight) {
            printer.newPage();
            y = metrics.ascent();
        }
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
        pageEmpty = false;
    }
    painter.end();
}

} // namespace keld::app
