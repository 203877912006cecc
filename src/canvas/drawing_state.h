#pragma once
// The one drawing state shared by every page: target surface, pen, unit metrics,
// margins, tab stops, script factors and colours; and the pen operations.
#include "surface.h"

#include <cmath>
#include <cstdint>
#include <vector>

// Conversions of a Single to a whole number round half to even.
inline long roundHalfEven(double v) { return std::lrint(v); }

struct DrawingState {
    Surface* curPic = nullptr;
    float chW = 0;
    float lineH = 0;
    float penX = 0;
    float penY = 0;
    long leftMargin = 0;
    long tab5 = 0;
    long tab10 = 0;
    long tab40 = 0;
    float baseFontSize = 0;
    int hasBookman = 0;
    float supRaise = 0;
    float supScale = 0;
    float subDrop = 0;
    float subScale = 0;
    long bracketRise = 0;
    VbColor formBackColor = 0;
    VbColor highlightColor = 0;
    VbColor markColor = 0;
    VbColor lineColor = 0;
    VbColor paperColor = 0;
    VbColor textColor = 0;
};

// What one page's drawing leaves for the next page drawn in the same window, and nothing
// else does: the spread of tall square brackets (1.12 widens it), the body size the
// size-relative builders follow (2π drawn reduced lowers it), and the page surface's
// face, size, weight, slant, colour and pen at the page's end.
struct CarriedState {
    long bracketRise = 0;
    float baseFontSize = 0;
    SurfaceStyle style;
    bool operator==(const CarriedState&) const = default;
};

// The drawing state of the page being drawn: what the pen operations, primitives and
// builders work on. Only a draw in progress has one (see CurrentDraw).
DrawingState& ds();

// Makes `state` the drawing state of the draw in progress for as long as it lives; the
// one before it, if any, comes back afterwards.
class CurrentDraw {
public:
    explicit CurrentDraw(DrawingState& state);
    ~CurrentDraw();
    CurrentDraw(const CurrentDraw&) = delete;
    CurrentDraw& operator=(const CurrentDraw&) = delete;

private:
    DrawingState* previous_;
};

// The surface the pen draws on.
inline Surface& pic() { return *ds().curPic; }

// Gives a field of the drawing state another value for the length of a scope.
template <typename T>
class ScopedValue {
public:
    ScopedValue(T& field, T value) : field_(field), kept_(field) { field_ = value; }
    ~ScopedValue() { field_ = kept_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& field_;
    const T kept_;
};

// Makes `size` the body size that the builders sizing themselves from it use, from here
// on: for the rest of the page and, carried by the window, for the pages after it.
inline void keepAsBodySize(float size) { ds().baseFontSize = size; }

// Pen operations.
void newLine();
void newLineWide();
void skipPx(std::int16_t n);
void skipW(float k);
void skipLines(float k);

// A window as set-up sees it: its background and the backgrounds of its controls.
struct FormColors {
    VbColor BackColor = 0;
    std::vector<VbColor*> controls;
};

bool fontExists(const QString& name);
void initColors(DrawingState& state);
// A window's set-up: the font test, colours, backgrounds and script factors, into `state`.
void dspSetup(DrawingState& state, FormColors& frm);

// Measures chW and lineH on the surface at the body size and sets the tab stops.
void measureMetrics(DrawingState& state, Surface& pic, float baseFontSize);
// The tab stops from chW and the left margin in force.
void setTabStops(DrawingState& state);
