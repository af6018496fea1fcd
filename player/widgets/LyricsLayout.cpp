#include "player/widgets/LyricsLayout.h"

namespace widgets {

namespace LyricsLayout {

LineRects MakeLyricsRect(const platform::Rect& box, int32_t charHeight)
{
    LineRects rects{};
    if (charHeight <= 0 || box.IsEmpty())
        return rects;
    const int32_t height = box.Height();
    auto line = [&](int32_t top) {
        return platform::Rect{box.left, top, box.right, top + charHeight};
    };
    if (height >= 5 * charHeight) {
        const int32_t t = box.top + (height - 5 * charHeight) / 2;
        for (int i = 0; i < 5; ++i)
            rects[static_cast<std::size_t>(i)] = line(t + i * charHeight);
    } else if (height >= 3 * charHeight) {
        const int32_t t = box.top + (height - 3 * charHeight) / 2;
        rects[static_cast<std::size_t>(Line::Prev)] = line(t);
        rects[static_cast<std::size_t>(Line::Current)] = line(t + charHeight);
        rects[static_cast<std::size_t>(Line::Next)] = line(t + 2 * charHeight);
    } else {
        const int32_t t = box.top + (height - charHeight) / 2;
        rects[static_cast<std::size_t>(Line::Current)] = line(t);
    }
    return rects;
}

} // namespace LyricsLayout

} // namespace widgets
