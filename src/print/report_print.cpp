#include "report_print.h"

#include "report/report.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace keld::print {

namespace {

constexpr qreal kPrintPoints = 12;
constexpr qreal kLeastMarginMm = 15;

// The device's margins, each at least the least margin.
void widenMargins(QPagedPaintDevice& device) {
    const QMarginsF m = device.pageLayout().margins(QPageLayout::Millimeter);
    device.setPageMargins(
        QMarginsF(std::max(m.left(), kLeastMarginMm), std::max(m.top(), kLeastMarginMm),
                  std::max(m.right(), kLeastMarginMm), std::max(m.bottom(), kLeastMarginMm)),
        QPageLayout::Millimeter);
}

// The print font, smaller than 12 point where the report's width would not
// fit between the margins.
QFont fittingFont(const QPagedPaintDevice& device) {
    QFont font = reportFont(kPrintPoints);
    const auto fits = [&device](const QFont& f) {
        return QFontMetricsF(f, &device).horizontalAdvance(QLatin1Char(' ')) *
                   static_cast<qreal>(kReportWidth) <=
               device.width();
    };
    qreal points = kPrintPoints;
    while (!fits(font) && points > 1) {
        points -= 0.5;
        font.setPointSizeF(points);
    }
    return font;
}

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

Paper paperOfLocale(const QString& localeName) {
    return QLocale(localeName).territory() == QLocale::UnitedStates ? Paper::Letter : Paper::A4;
}

Paper localePaper() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) {
            return paperOfLocale(name);
        }
    }
    return Paper::A4;
}

bool paintReport(QPagedPaintDevice& device, const QString& report) {
    widenMargins(device);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QFont font = fittingFont(device);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    QString text = QStringLiteral("\r\n") + report;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Each page: its lines, an empty line, and its number on the last line.
    const auto places = static_cast<qsizetype>(std::floor(device.height() / metrics.lineSpacing()));
    const qsizetype perPage = std::max<qsizetype>(1, places - 2);
    const qsizetype pages = std::max<qsizetype>(1, (lines.size() + perPage - 1) / perPage);
    for (qsizetype page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        qreal y = metrics.ascent();
        for (qsizetype i = page * perPage; i < std::min(lines.size(), (page + 1) * perPage); ++i) {
            painter.drawText(QPointF(0, y), lines[i]);
            y += metrics.lineSpacing();
        }
        const QString number = QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages);
        painter.drawText(QPointF((device.width() - metrics.horizontalAdvance(number)) / 2,
                                 device.height() - metrics.descent()),
                         number);
    }
    return painter.end();
}

bool writeReportPdf(const QString& path, const QString& report, const QString& title, Paper paper) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return false;
    }
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setPageSize(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
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
