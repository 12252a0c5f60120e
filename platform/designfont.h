#pragma once

#include <QFont>

// A font as the forms were designed with it: a family and a character height in pixels.
QFont designFont(const QString &family, int pixelSize);
