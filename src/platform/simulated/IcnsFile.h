#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QImage>
#include <QList>

namespace velmora {

/// Apple icon files (".icns"), as application bundles carry them: an "icns" header with the file's
/// length, then entries of a four-letter type, a length and the image. Modern files hold PNG images.
namespace IcnsFile {

/// The largest side accepted for an image; larger declarations are refused unread.
constexpr int maxSide = 1024;
/// The largest icon file read: real ones stay well below it.
constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

/// An icon file with one PNG entry per image. Each image must be square with a side the format
/// names (16, 32, 64, 128, 256, 512 or 1024); others are left out.
QByteArray encode(const QList<QImage> &images);

/// The largest image of an icon file. The structure is checked first: a header or an entry whose
/// length runs past the data, or shorter than its own header, refuses the whole file, and so does a
/// PNG entry that declares a side above `maxSide`. The PNG entries are decoded here; a file without
/// any is handed to Qt's icns image plugin when it is installed.
Result<QImage> decode(const QByteArray &bytes);

} // namespace IcnsFile

} // namespace velmora
