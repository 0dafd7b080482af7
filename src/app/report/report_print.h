#pragma once
// The report's fixed-pitch font and its printing.

#include <QFont>
#include <QString>

class QPrinter;

namespace keld::app {

// Whether every character of the font takes the same width, which is what
// makes the report's two unit columns line up.
bool hasEqualAdvances(const QFont& font);

// "Courier New" at the given size; when the machine lacks it (or the face it
// gets instead has characters of different widths), the system's fixed-pitch
// face, so that the report's two unit columns line up.
QFont reportFont(qreal pointSize);

// Prints text (lines ended by CR LF or LF) in `font` on `printer`, line by
// line without wrapping, starting a new page when one is full.
void printText(QPrinter& printer, const QString& text, const QFont& font);

} // namespace keld::app
