#include "player/skin/ImageSurface.h"

#include <algorithm>

namespace skin {

void ImageSurface::Resize(int width, int height)
{
    m_image = QImage(std::max(0, width) * Scale(), std::max(0, height) * Scale(), QImage::Format_RGB32);
    m_image.fill(Qt::black);
    NotifyResized();
}

void ImageSurface::Copy(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest, RasterOp op)
{
    NotifyChanged(CopyOnImage(m_image, source, srcX, srcY, dest, op));
}

void ImageSurface::Fill(QColor colour)
{
    m_image.fill(colour);
    NotifyChanged(platform::Rect{0, 0, Width(), Height()});
}

} // namespace skin
