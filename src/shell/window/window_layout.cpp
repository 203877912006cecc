#include "shell/window/window_layout.h"

namespace {
// The designed layout: the list at (8, 11, 98 × 700), the page at (122, -2, 682 × 722),
// its top two rows hidden above the client area, in a 808 × 724 window.
constexpr int listLeft = 8, listTop = 11, listWidth = 98, listBottomGap = 13;
constexpr int pageLeft = 122, pageTop = -2, pageRightGap = 4, pageBottomGap = 4;
}  // namespace

WindowAreas windowAreas(QSize client, int findBarHeight)
{
    const int bottom = client.height() - findBarHeight;
    WindowAreas areas;
    areas.list = QRect(listLeft, listTop, listWidth, bottom - listBottomGap - listTop);
    areas.page = QRect(QPoint(pageLeft, pageTop), QPoint(client.width() - pageRightGap - 1, bottom - pageBottomGap - 1));
    if (findBarHeight > 0) areas.findBar = QRect(0, bottom, client.width(), findBarHeight);
    return areas;
}
