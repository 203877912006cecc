#pragma once
// A page as a function of its id, the surface it goes on and what the pages before it left.
#include "canvas/drawing_state.h"

#include <QString>

struct PageEntry;

// Where a page is drawn: the left margin of the surface's view, and the list entry its
// heading starts with.
struct PageFrame {
    long leftMargin = 0;
    QString entry;
};

// Clears `surface` and draws the page of `page` on it, from the state start-up made
// (`startup`: metrics, tab stops, colours, factors) and what the pages before it left
// (`carried`). Returns what this page leaves for the next. Nothing else outlives it.
CarriedState drawPage(const PageEntry& page, Surface& surface, const DrawingState& startup, const PageFrame& frame,
                      const CarriedState& carried);
