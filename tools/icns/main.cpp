// make-icns: writes the application's icon file (.icns) from its SVG, at build time, so the bundle's
// icon always matches the icon the windows draw.
//
//   make-icns SOURCE.svg DESTINATION.icns

#include "common/AtomicFile.h"
#include "platform/simulated/IcnsFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Drawing needs no display; a build machine has none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: make-icns SOURCE.svg DESTINATION.icns\n");
        return 2;
    }
    const QString source = arguments.at(1);
    const QString destination = arguments.at(2);

    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "make-icns: %s is not an SVG image that can be drawn\n", qUtf8Printable(source));
        return 1;
    }
    // Every side the icon file format names, from the menu's 16 pixels to the Finder's 1024.
    QList<QImage> images;
    for (const int side : {16, 32, 64, 128, 256, 512, 1024}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        images.append(image);
    }
    const velmora::Status written =
        velmora::AtomicFile::write(destination, velmora::IcnsFile::encode(images));
    if (!written) {
        std::fprintf(stderr, "make-icns: %s\n", qUtf8Printable(written.error()));
        return 1;
    }
    return 0;
}
