#include "report/report_print.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace keld::app {

bool hasEqualAdvances(const QFont& font) {
    // What lines the columns up is that every character takes the same
    // width; the font's own fixed-pitch flag is not reliable for that (some
    // monospaced faces do not set it).
    const QFontMetricsF metrics(font);
    const qreal blank = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QChar c : QStringLiteral("iM0.W$,")) {
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), blank)) {
            return false;
        }
    }
    return blank > 0;
}

QFont reportFont(qreal pointSize) {
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    QFont monospace(QStringLiteral("monospace"));
    monospace.setStyleHint(QFont::Monospace);
    monospace.setFixedPitch(true);
    const QFont candidates[] = {courier, QFontDatabase::systemFont(QFontDatabase::FixedFont),
                                monospace};
    for (QFont font : candidates) {
        font.setPointSizeF(pointSize);
        font.setBold(false);
        if (hasEqualAdvances(font)) {
            return font;
        }
    }
    QFont font = candidates[0];
    font.setPointSizeF(pointSize);
    font.setBold(false);
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
