#include "report_print.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace keld::print {

namespace {

constexpr qreal kPrintPoints = 12;

} // namespace

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

bool paintReport(QPagedPaintDevice& device, const QString& report) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QFont font = reportFont(kPrintPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const qreal pageHeight = device.height();
    QString text = QStringLiteral("\r\n") + report;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qreal y = metrics.ascent();
    bool pageEmpty = true;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!pageEmpty && y + metrics.descent() > pageHeight) {
            device.newPage();
            y = metrics.ascent();
        }
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
        pageEmpty = false;
    }
    return painter.end();
}

bool writeReportPdf(const QString& path, const QString& report) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return false;
    }
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        if (!paintReport(writer, report)) {
            return false;
        }
    }
    // Unbuffered, so that a short write (a full disk) shows in the count and
    // the file is not committed.
    QSaveFile file(path);
    const auto size = static_cast<qint64>(pdf.size());
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(pdf.constData(), size) == size) {
        return file.commit();
    }
    file.cancelWriting();
    return false;
}

} // namespace keld::print
