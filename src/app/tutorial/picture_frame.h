#pragma once
// The frames of the page and zoom pictures. The program measures them in
// twips, 1/1440 inch: 15 to a pixel at 96 dots per inch. They are shown
// `enlargement` times that size, which keeps their proportions and makes the
// pictures readable on today's screens.

#include <QSize>

#include <cmath>

namespace keld::app {

inline QSize twipsToPixels(int widthTwips, int heightTwips, double enlargement) {
    constexpr double kTwipsPerPixel = 15.0;
    return {static_cast<int>(std::lround(widthTwips / kTwipsPerPixel * enlargement)),
            static_cast<int>(std::lround(heightTwips / kTwipsPerPixel * enlargement))};
}

} // namespace keld::app
