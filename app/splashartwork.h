#pragma once

#include <QImage>

// The picture of the splash window, 960 x 519 pixels, drawn rather than shipped as a bitmap.
// The area of the status text (left 241, top 240, 672 x 81) is kept calm for the text.
QImage splashArtwork();
