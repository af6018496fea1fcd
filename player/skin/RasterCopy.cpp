#include "player/skin/RasterCopy.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

// Applies the raster operation to one run of pixels.
void CombineRun(QRgb* dst, const QRgb* src, int count, RasterOp op)
{
    switch (op) {
    case RasterOp::SrcCopy:
        std::copy(src, src + count, dst);
        return;
    case RasterOp::SrcAnd:
        for (int i = 0; i < count; ++i)
            dst[i] = ((dst[i] & src[i]) & 0x00FFFFFFu) | 0xFF000000u;
        return;
    case RasterOp::MergePaint:
        for (int i = 0; i < count; ++i)
            dst[i] = ((~src[i] | dst[i]) & 0x00FFFFFFu) | 0xFF000000u;
        return;
    }
}

} // namespace

platform::Rect CopyRaster(QImage& target, const QImage& sourceImage, int32_t srcX, int32_t srcY,
                          const platform::Rect& dest, RasterOp op, const std::optional<platform::Region>& clip)
{
    if (dest.IsEmpty() || target.isNull()) return {};
    // A shared copy: a source that is the target itself then keeps its
    // content while the target is written.
    const QImage source = sourceImage.format() == QImage::Format_RGB32 || sourceImage.isNull()
        ? sourceImage
        : sourceImage.convertToFormat(QImage::Format_RGB32);
    const platform::Rect bounds{0, 0, target.width(), target.height()};
    const platform::Rect area = dest.Intersected(bounds);
    if (area.IsEmpty()) return {};
    const int dx = srcX - dest.left;
    const int dy = srcY - dest.top;
    const platform::Rect sourceBounds{0, 0, source.width(), source.height()};
    // Row addresses from one base each: every scanLine() of the target would
    // check again whether it is shared.
    uchar* const targetBits = target.bits();
    const qsizetype targetStride = target.bytesPerLine();
    const uchar* const sourceBits = source.constBits();
    const qsizetype sourceStride = source.bytesPerLine();
    std::vector<QRgb> row;
    auto copyPiece = [&](const platform::Rect& piece) {
        const int count = piece.Width();
        for (int y = piece.top; y < piece.bottom; ++y) {
            auto* dst = reinterpret_cast<QRgb*>(targetBits + y * targetStride) + piece.left;
            const int sy = y + dy;
            const platform::Rect run = sy >= 0 && sy < sourceBounds.bottom
                ? platform::Rect{piece.left + dx, sy, piece.right + dx, sy + 1}.Intersected(
                      sourceBounds)
                : platform::Rect{};
            const auto* src = run.IsEmpty() ? nullptr : reinterpret_cast<const QRgb*>(sourceBits + sy * sourceStride);
            if (src != nullptr && run.Width() == count) {
                // The whole run lies inside the source: combine straight from it.
                CombineRun(dst, src + run.left, count, op);
                continue;
            }
            // The part of the run that lies inside the source; the rest reads black.
            row.assign(static_cast<std::size_t>(count), 0xFF000000u);
            if (src != nullptr)
                std::copy(src + run.left, src + run.right, row.begin() + (run.left - (piece.left + dx)));
            CombineRun(dst, row.data(), count, op);
        }
    };
    if (clip) {
        // The clip's own rectangles, without building a region for each copy.
        for (const QRect& r : clip->ToQRegion()) {
            const platform::Rect piece =
                platform::Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}.Intersected(area);
            if (!piece.IsEmpty()) copyPiece(piece);
        }
    } else {
        copyPiece(area);
    }
    return clip ? clip->BoundingBox().Intersected(area) : area;
}

QImage EnlargePicture(const QImage& picture, int factor)
{
    if (picture.isNull()) return {};
    const QImage source =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    if (factor <= 1) return source;
    QImage out(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* first = reinterpret_cast<QRgb*>(out.scanLine(y * factor));
        for (int x = 0; x < source.width(); ++x)
            std::fill_n(first + x * factor, factor, from[x]);
        for (int k = 1; k < factor; ++k)
            std::copy_n(first, out.width(), reinterpret_cast<QRgb*>(out.scanLine(y * factor + k)));
    }
    return out;
}

} // namespace skin
