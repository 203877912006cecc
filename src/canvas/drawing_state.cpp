#include "drawing_state.h"

#include "fonts.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace {
// Set only for the length of a draw, by CurrentDraw.
thread_local DrawingState* current = nullptr;
}  // namespace

DrawingState& ds()
{
    if (!current) qFatal("velkora: a drawing call outside a page's draw");
    return *current;
}

CurrentDraw::CurrentDraw(DrawingState& state) : previous_(current) { current = &state; }

CurrentDraw::~CurrentDraw() { current = previous_; }

void newLine()
{
    pic().markRow();
    ds().penX = float(ds().leftMargin);
    ds().penY = float(double(ds().penY) + ds().lineH);
}

void newLineWide()
{
    pic().markRow();
    ds().penX = float(ds().leftMargin);
    ds().penY = float(double(ds().penY) + 1.5 * double(ds().lineH));
}

void skipPx(std::int16_t n) { ds().penX = float(double(ds().penX) + n); }

void skipW(float k) { ds().penX = float(double(ds().penX) + double(k) * ds().chW); }

void skipLines(float k)
{
    pic().markRow();
    ds().penY = float(double(ds().penY) + double(k) * ds().lineH);
}

bool fontExists(const QString& name) { return FontTable::current().fontExists(name); }

void initColors(DrawingState& state)
{
    state.highlightColor = vbRGB(0, 0, 255);
    state.markColor = vbRGB(255, 0, 255);
    state.paperColor = vbRGB(255, 255, 255);
    state.lineColor = vbRGB(128, 128, 128);
    state.textColor = systemButtonText;
}

void dspSetup(DrawingState& state, FormColors& frm)
{
    state.hasBookman = fontExists(u"Bookman Old Style"_s) ? 1 : -1;
    initColors(state);
    if (frm.BackColor == 0xFFFFFF) {
        state.formBackColor = 0xFFFFFF;
    } else {
        state.formBackColor = 0xF0F0F0;
        frm.BackColor = 0xF0F0F0;
    }
    for (VbColor* control : frm.controls) *control = state.formBackColor;
    state.supRaise = 0.2f;
    state.supScale = 0.75f;
    state.subDrop = 0.3f;
    state.subScale = 0.85f;
}

void measureMetrics(DrawingState& state, Surface& pic, float baseFontSize)
{
    state.baseFontSize = baseFontSize;
    pic.FontSize = baseFontSize;
    state.chW = pic.TextWidth(u"A"_s);
    state.lineH = float(double(pic.TextHeight(u"A"_s)) + 2);
    setTabStops(state);
}

void setTabStops(DrawingState& state)
{
    state.tab5 = roundHalfEven(5.0 * state.chW + state.leftMargin);
    state.tab10 = roundHalfEven(10.0 * state.chW + state.leftMargin);
    state.tab40 = roundHalfEven(40.0 * state.chW + state.leftMargin);
}
