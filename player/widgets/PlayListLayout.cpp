#include "player/widgets/PlayListLayout.h"

namespace widgets {

namespace PlayListLayout {

platform::Rect MakePlayListRect(const platform::Rect& box, int32_t charHeight)
{
    if (box.IsEmpty() || charHeight <= 0)
        return {};
    const int32_t height = box.Height();
    const int32_t lines = height / charHeight;
    const int32_t margin = (height - lines * charHeight) / 2;
    return platform::Rect{box.left, box.top + margin, box.right, box.bottom - margin};
}

int32_t TrackAt(const platform::Rect& listRect, int32_t charHeight, int32_t listTop, int32_t y)
{
    if (charHeight <= 0 || y < listRect.top || y >= listRect.bottom)
        return 0;
    return (y - listRect.top) / charHeight + listTop;
}

platform::Rect TextRect(const platform::Rect& listRect, int32_t charHeight, int32_t y)
{
    return platform::Rect{listRect.left, y, listRect.right - TimeColumnWidth, y + charHeight};
}

platform::Rect TimeRect(const platform::Rect& listRect, int32_t charHeight, int32_t y)
{
    return platform::Rect{listRect.right - TimeColumnWidth, y, listRect.right, y + charHeight};
}

} // namespace PlayListLayout

} // namespace widgets
