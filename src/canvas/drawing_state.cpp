#include "drawing_state.h"

#include "fonts.h"

namespace {
DrawingState state;
}

DrawingState& ds() { return state; }

void newLine()
{
    ds().penX = float(ds().leftMargin);
    ds().penY = float(double(ds().penY) + ds().lineH);
}

void newLineWide()
{
    ds().penX = float(ds().leftMargin);
    ds().penY = float(double(ds().penY) + 1.5 * double(ds().lineH));
}

void skipPx(std::int16_t n) { ds().penX = float(double(ds().penX) + n); }

void skipW(float k) { ds().penX = float(double(ds().penX) + double(k) * ds().chW); }

void skipLines(float k) { ds().penY = float(double(ds().penY) + double(k) * ds().lineH); }

bool fontExists(const QString& name) { return FontTable::current().fontExists(name); }

void initColors()
{
    ds().highlightColor = vbRGB(0, 0, 255);
    ds().markColor = vbRGB(255, 0, 255);
    ds().paperColor = vbRGB(255, 255, 255);
    ds().lineColor = vbRGB(128, 128, 128);
    ds().textColor = systemButtonText;
}

void dspSetup(FormColors& frm)
{
    ds().hasBookman = fontExists(QStringLiteral("Bookman Old Style")) ? 1 : -1;
    initColors();
    if (frm.BackColor == 0xFFFFFF) {
        ds().formBackColor = 0xFFFFFF;
    } else {
        ds().formBackColor = 0xF0F0F0;
        frm.BackColor = 0xF0F0F0;
    }
    for (VbColor* control : frm.controls) *control = ds().formBackColor;
    ds().supRaise = 0.2f;
    ds().supScale = 0.75f;
    ds().subDrop = 0.3f;
    ds().subScale = 0.85f;
}

void measureMetrics(Surface& pic, float baseFontSize)
{
    ds().baseFontSize = baseFontSize;
    pic.FontSize = baseFontSize;
    pic.ScaleMode = 3;
    ds().chW = pic.TextWidth(QStringLiteral("A"));
    ds().lineH = float(double(pic.TextHeight(QStringLiteral("A"))) + 2);
    setTabStops();
}

void setTabStops()
{
    ds().tab5 = roundHalfEven(5.0 * ds().chW + ds().leftMargin);
    ds().tab10 = roundHalfEven(10.0 * ds().chW + ds().leftMargin);
    ds().tab40 = roundHalfEven(40.0 * ds().chW + ds().leftMargin);
}
