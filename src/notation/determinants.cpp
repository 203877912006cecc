// Two-by-two determinants of derivative shorthand (u with subscript x for ∂u/∂x).
#include "notation.h"

#include "canvas/drawing_state.h"
#include "canvas/text.h"

using namespace Qt::StringLiterals;

namespace {

// The two vertical bars, two lines tall; the pen ends at the right bar on the first row.
void drawBars(float x0, float y0, float xr)
{
    const float yEnd = float(y0 + 2.0 * ds().lineH);
    ds().curPic->Line(x0, y0, x0, yEnd);
    ds().curPic->Line(xr, y0, xr, yEnd);
    ds().penX = xr;
    ds().penY = y0;
}

void moveTo(float x, float y)
{
    ds().penX = x;
    ds().penY = y;
}

float columnX(float x0, double units) { return float(x0 + units * ds().chW); }

// u_f f_x + u_g g_x: a sum of two products of shorthand entries.
void putChainSum(const QString& a, const QString& b, const QString& c, const QString& d)
{
    ShowUx(a);
    skipW(0.4f);
    ShowUx(b);
    putPlus();
    ShowUx(c);
    skipW(0.3f);
    ShowUx(d);
}

// "a" or "a+b": the first letter, and after a "+" the last one.
void putSmallSum(const QString& entry)
{
    putVars(entry.left(1));
    skipW(0.3f);
    if (entry.mid(1, 1) != u"+"_s) return;
    putText(u"+"_s);
    skipW(0.3f);
    putVars(entry.right(1));
}

}  // namespace

void ShowUx(const QString& code)
{
    putVars(code.left(1));
    if (code.size() == 2) putSub(code.mid(1, 1));
}

void det2(const QString& a11, const QString& a12, const QString& a21, const QString& a22)
{
    const float x0 = ds().penX, y0 = ds().penY;
    const float y1 = float(y0 + double(ds().lineH));
    moveTo(columnX(x0, 0.5), y0);
    ShowUx(a11);
    moveTo(columnX(x0, 3.2), y0);
    ShowUx(a12);
    moveTo(columnX(x0, 0.5), y1);
    ShowUx(a21);
    moveTo(columnX(x0, 3.2), y1);
    ShowUx(a22);
    drawBars(x0, y0, columnX(x0, 5.5));
}

void det2a()
{
    const float x0 = ds().penX, y0 = ds().penY;
    const float y1 = float(y0 + double(ds().lineH));
    const QString uf = u"uf"_s, ug = u"ug"_s, vf = u"vf"_s,
                  vg = u"vg"_s, fx = u"fx"_s, fy = u"fy"_s,
                  gx = u"gx"_s, gy = u"gy"_s;
    moveTo(columnX(x0, 0.5), y0);
    putChainSum(uf, fx, ug, gx);
    moveTo(columnX(x0, 11), y0);
    putChainSum(uf, fy, ug, gy);
    moveTo(columnX(x0, 0.5), y1);
    putChainSum(vf, fx, vg, gx);
    moveTo(columnX(x0, 11), y1);
    putChainSum(vf, fy, vg, gy);
    drawBars(x0, y0, columnX(x0, 21));
}

void det2b(const QString& a11, const QString& a12, const QString& a21, const QString& a22)
{
    const float x0 = ds().penX, y0 = ds().penY;
    const float y1 = float(y0 + double(ds().lineH));
    // Both rows align on the first row's entry.
    const double n = double(a11.size());
    moveTo(columnX(x0, 0.5), y0);
    putSmallSum(a11);
    moveTo(columnX(x0, 1.2 * n + 2), y0);
    putVars(a12);
    moveTo(columnX(x0, 0.5), y1);
    putSmallSum(a21);
    moveTo(columnX(x0, 1.2 * n + 2), y1);
    putVars(a22);
    drawBars(x0, y0, columnX(x0, 1.2 * n + 3.4));
}
