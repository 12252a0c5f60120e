// kb-splashart OUTPUT: draws the splash window's picture for the build, which compiles it into
// the program, so that the program does not draw it at every start. The file holds the bare
// 32-bit pixels, row by row, which the program shows without decoding anything.
#include "tools/splashart/splashartwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kb-splashart OUTPUT\n");
        return 2;
    }
    const QImage image = splashArtwork().convertToFormat(QImage::Format_RGB32);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) !=
            image.sizeInBytes()) {
        std::fprintf(stderr, "kb-splashart: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
