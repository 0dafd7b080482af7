#include "report/report_print.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

namespace keld::app {

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

bool printReport(QPrinter& printer, const QString& report) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QFont font = reportFont(kPrintPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal pageHeight = printer.height();
    QString text = QStringLiteral("\r\n") + report;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qreal y = metrics.ascent();
    bool pageEmpty = true;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!pageEmpty && y + metrics.descent() > pageHeight) {
            printer.newPage();
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
    QTemporaryFile part(
        target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    part.setAutoRemove(true);
    if (!part.open()) {
        return false;
    }
    part.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part.fileName());
        if (!printReport(printer, report)) {
            return false;
        }
    }
    // A PDF ends with its end-of-file mark: a file cut short (a full disk) has none.
    QFile written(part.fileName());
    if (!written.open(QIODevice::ReadOnly) || written.size() < 8) {
        return false;
    }
    written.seek(written.size() - 8);
    if (!written.read(8).contains("%%EOF")) {
        return false;
    }
    written.close();
    // The permissions a new file gets, or those of the file it replaces.
    QFile::setPermissions(part.fileName(), target.exists()
                                               ? target.permissions()
                                               : QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

} // namespace keld::app
