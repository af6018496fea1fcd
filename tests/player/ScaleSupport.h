#pragma once
// Support for tests of the main window above scale 1: comparing a window
// picture at a scale with the same picture at scale 1, block by block.
#include "player/skin/Skin.h"

#include <QImage>

#include <string>
#include <vector>

namespace scaletest {

// The skin's text boxes (title box, play list, lyrics): text is drawn afresh
// at each scale there, so their pixels are no enlarged copy of scale 1.
inline std::vector<platform::Rect> TextBoxes(const Skin& skin)
{
    std::vector<platform::Rect> boxes;
    for (const char* name : {"titlebox-textrect", "playlistbox-itemrect", "lyricsbox-itemrect"}) {
        const ClsZelkoRgn* item = skin.coRgns.Find(name);
        if (item && item->Rgn())
            boxes.push_back(item->Rgn()->BoundingBox());
    }
    return boxes;
}

inline bool InAny(const std::vector<platform::Rect>& boxes, int x, int y)
{
    for (const platform::Rect& box : boxes)
        if (box.Includes(x, y))
            return true;
    return false;
}

// The pixels of `one` (skin pixels at scale 1) whose block of scale x scale
// pixels in `scaled` is not all that pixel, outside the given boxes and
// inside `where` (all of `one` when where is empty). With `first`, the first
// such pixel is described.
inline int BlockMismatches(const QImage& one, const QImage& scaled, int scale, const std::vector<platform::Rect>& skip,
                           std::string* first = nullptr, const platform::Region* where = nullptr)
{
    int wrong = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (InAny(skip, x, y) || (where && !where->Contains(x, y)))
                continue;
            const QRgb expected = one.pixel(x, y) & 0xFFFFFFu;
            bool same = true;
            for (int dy = 0; dy < scale && same; ++dy)
                for (int dx = 0; dx < scale && same; ++dx) {
                    const int sx = x * scale + dx, sy = y * scale + dy;
                    same = sx < scaled.width() && sy < scaled.height() && (scaled.pixel(sx, sy) & 0xFFFFFFu) == expected;
                }
            if (!same && wrong++ == 0 && first)
                *first = "skin pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return wrong;
}

// The blocks of scale x scale pixels inside box (skin pixels) whose pixels
// are not all alike: text drawn at the scaled size has them, an enlarged
// picture none.
inline int SplitBlocks(const QImage& scaled, int scale, const platform::Rect& box)
{
    int split = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const QRgb p = scaled.pixel(x * scale, y * scale);
            bool alike = true;
            for (int dy = 0; dy < scale && alike; ++dy)
                for (int dx = 0; dx < scale && alike; ++dx)
                    alike = scaled.pixel(x * scale + dx, y * scale + dy) == p;
            split += alike ? 0 : 1;
        }
    return split;
}

} // namespace scaletest
