#pragma once
// Small window habits shared by the cover, the About box and the page windows:
// centring on the screen, the busy pointer while a window loads, and the
// sizes of pictures, which the program measures in twips.

#include <QSize>

class QWidget;

namespace keld::app {

// Puts a window's centre on the centre of its screen's available area.
void centreOnScreen(QWidget& window);

// Shows the busy pointer for as long as it lives, on every way out.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Twips are 1/1440 inch: 15 to a pixel at 96 dots per inch. The pictures are
// shown `enlargement` times that size, which keeps their proportions and makes
// them readable on today's screens.
QSize twipsToPixels(int widthTwips, int heightTwips, double enlargement);

} // namespace keld::app
