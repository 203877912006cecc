#include "page_draw.h"

#include "registry.h"

CarriedState drawPage(const PageEntry& page, Surface& surface, const DrawingState& startup, const PageFrame& frame,
                      const CarriedState& carried)
{
    DrawingState state = startup;
    state.bracketRise = carried.bracketRise;
    state.baseFontSize = carried.baseFontSize;
    state.curPic = &surface;
    state.leftMargin = frame.leftMargin;
    state.penX = float(frame.leftMargin);
    state.penY = float(0.5 * state.lineH);
    surface.setStyle(carried.style);
    surface.Cls();
    {
        const CurrentDraw draw(state);
        PageContext context{frame.entry};
        page.script(context);
    }
    return {state.bracketRise, state.baseFontSize, surface.style()};
}
