#pragma once

#include <QImage>

// The picture of the splash window, 960 x 519 pixels, drawn by the build into a resource of
// the program rather than kept as a bitmap in the sources.
// The area of the status text (left 241, top 240, 672 x 81) is kept calm for the text.
inline constexpr int SplashArtworkWidth = 960;
inline constexpr int SplashArtworkHeight = 519;
QImage splashArtwork();
