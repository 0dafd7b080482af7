#pragma once
// The report's fixed-pitch font and its printing.

#include <QFont>
#include <QString>

class QPrinter;

namespace keld::app {

// "Courier New" at the given size; when the machine lacks it, a fixed-pitch
// face all the same, so that the report's two unit columns line up.
QFont reportFont(qreal pointSize);

// Prints text (lines ended by CR LF or LF) in `font` on `printer`, line by
// line without wrapping, starting a new page when one is full.
void printText(QPrinter& printer, const QString& text, const QFont& font);

} // namespace keld::app
