#pragma once
// The block copy of the Windows picture model done on the CPU, on a QImage in
// Format_RGB32. Both drawing surfaces use it: the image surface as its only
// pixels, the X server surface for its client-side copy of the window.
#include "platform/Rect.h"
#include "platform/Region.h"

#include <QImage>

#include <cstdint>
#include <optional>

namespace skin {

// The raster operations of the block copy, with their Windows codes.
enum class RasterOp : uint32_t {
    SrcCopy = 0xCC0020,    // destination = source
    SrcAnd = 0x8800C6,     // destination = destination AND source
    MergePaint = 0xBB0226, // destination = (NOT source) OR destination
};

// Copies a block of dest's size from source at (srcX, srcY) to dest of
// target with the raster operation. Pixels outside the source read as black
// (0x000000); pixels outside target or the clip are not touched. Only the
// colour bytes are combined; the unused top byte stays 0xFF. A source that
// shares target's pixels keeps its content while target is written.
// Returns the rectangle that may have changed (empty when none).
platform::Rect CopyRaster(QImage& target, const QImage& source, int32_t srcX, int32_t srcY,
                          const platform::Rect& dest, RasterOp op, const std::optional<platform::Region>& clip);

// The picture with every pixel made a factor x factor block (nearest
// neighbour, never smoothed), in Format_RGB32. Factor 1 gives the picture in
// Format_RGB32; a null picture gives a null image.
QImage EnlargePicture(const QImage& picture, int factor);

} // namespace skin
