#pragma once
// The drawing surface kept in a QImage alone: the window puts the changed
// rectangles on the screen through Qt's painting. Used for offscreen tests
// and on every platform other than X11.
#include "player/skin/DrawingSurface.h"

namespace skin {

class ImageSurface final : public DrawingSurface {
public:
    ImageSurface() = default;
    ImageSurface(int width, int height) { Resize(width, height); }

    void Resize(int width, int height) override;
    const QImage& Image() const override { return m_image; }
    void Copy(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest, RasterOp op) override;
    void Fill(QColor colour) override;

protected:
    QImage& PaintTarget() override { return m_image; }

private:
    QImage m_image;
};

} // namespace skin
