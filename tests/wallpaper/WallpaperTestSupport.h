#pragma once

// Pictures and display layouts for the wallpaper tests.

#include "support/TestRoot.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace velmora::test {

/// A real PNG picture of one colour at `path` (folders made); returns the path.
inline QString writePicture(const QString &path, QSize size = QSize(64, 40),
                            QColor colour = QColor(0x30, 0xB0, 0xC7))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "PNG");
    return path;
}

/// A file that is not a picture any decoder takes.
inline QString writeNotAPicture(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("these are not the pixels you are looking for\n");
    return path;
}

/// One display as the simulated Mac describes it; a negative number leaves the number out.
inline QJsonObject displayEntry(const QString &name, qint64 number, int width, int height, bool main = false)
{
    QJsonObject o{{"name", name}, {"x", 0}, {"y", 0}, {"width", width}, {"height", height}, {"main", main}};
    if (number >= 0)
        o.insert("number", number);
    return o;
}

inline void writeDisplays(const TestRoot &root, const QJsonArray &displays)
{
    QSaveFile file(root.path() + "/.simulated/displays.json");
    QDir().mkpath(root.path() + "/.simulated");
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(displays).toJson());
    file.commit();
}

/// What the root records for a display key ("1", "2", "unnumbered-1"): path, scaling code, clipping.
inline QJsonObject recordedPicture(const TestRoot &root, const QString &key)
{
    return QJsonDocument::fromJson(readAll(root.path() + "/.simulated/desktop-pictures.json"))
        .object()
        .value(key)
        .toObject();
}

inline QString samplePicture(const TestRoot &root, const QString &name)
{
    return root.path() + "/Library/Desktop Pictures/" + name;
}

} // namespace velmora::test
