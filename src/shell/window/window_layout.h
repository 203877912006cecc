#pragma once
// Where the window's parts stand for a given client size. At the designed size the
// list and the page stand exactly where they always have; a larger window gives the
// extra room to the page (and the list's height), and the find bar, when open, takes
// a strip at the bottom.
#include <QRect>
#include <QSize>

struct WindowAreas {
    QRect list;
    QRect page;     // the page area: the page is fitted into it, or scrolls in it
    QRect findBar;  // empty when the bar is closed
};

constexpr QSize designedWindowSize(808, 724);
constexpr QSize smallestWindowSize(360, 240);

WindowAreas windowAreas(QSize client, int findBarHeight);
