#pragma once
// A PNG encoder for the picture: flat colour areas, thin lines and
// antialiased edges, written at about the cost of a BMP. Every row is
// filtered by the difference to the row above, which turns the flat areas
// into runs of zero bytes; the deflate stream codes those runs as repeats of
// the last byte and everything else as literals, with deflate's fixed codes.
// Runs are coded, and checksummed, per run rather than per byte.

#include <QByteArray>

class QImage;

namespace lobus {

// The PNG file of an opaque 32-bit image (RGB32) as 8-bit RGB, with the
// image's resolution when it has one. Empty for images of any other format,
// so that the caller can fall back on a general writer.
QByteArray encodePng(const QImage& image);

} // namespace lobus
