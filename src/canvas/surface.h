#pragma once
// The picture surface the pages draw on. It keeps what was drawn as a list of
// drawing operations until the next Cls, so the same page can be painted onto
// the screen, a printer or an image at any scale.
#include "draw_op.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QImage;
class FontTable;

// Colours in the Windows layout &H00BBGGRR; the top bit names a system colour.
using VbColor = quint32;
constexpr VbColor vbRGB(int r, int g, int b) { return VbColor(r) | (VbColor(g) << 8) | (VbColor(b) << 16); }
constexpr VbColor systemButtonText = 0x80000012u;
QRgb resolveColor(VbColor c);

// Draws one operation; the painter's transform maps surface pixels.
void paintOp(QPainter& painter, const DrawOp& op);

// The colour each colour of a page is painted in, on a screen that shows it in other colours.
using ColourMap = std::function<QRgb(QRgb)>;

// Extent of a glyph string as the device context measures it: whole pixels.
struct Extent {
    qint32 width = 0;
    qint32 height = 0;
};

// What a surface keeps between drawing calls and every Print, Line and TextWidth follows.
struct SurfaceStyle {
    QString face;
    float size = 12;
    bool bold = false;
    bool italic = false;
    VbColor color = systemButtonText;
    int penWidth = 1;
    bool operator==(const SurfaceStyle&) const = default;
};

class Surface {
public:
    Surface(int width, int height);

    // Properties, under the names the page code uses.
    QString FontName = QStringLiteral("メイリオ");
    float FontSize = 12;
    bool FontBold = false;
    bool FontItalic = false;
    VbColor ForeColor = systemButtonText;
    VbColor BackColor = 0xF0F0F0;
    int DrawWidth = 1;
    float CurrentX = 0;
    float CurrentY = 0;
    float Height;
    float Width;

    SurfaceStyle style() const;
    void setStyle(const SurfaceStyle& style);

    void Cls();
    // A segment; the pen position (CurrentX/Y) ends at the second point.
    void Line(float x1, float y1, float x2, float y2);
    void Line(float x1, float y1, float x2, float y2, VbColor color);
    // A segment from the last pen position by (dx, dy).
    void LineStep(float dx, float dy);
    void LineStep(float dx, float dy, VbColor color);
    // The box form of Line: a rectangle outline, or filled.
    void Box(float x1, float y1, float x2, float y2, VbColor color, bool filled = false);
    void Circle(float x, float y, float radius, VbColor color);
    void Print(const QString& text);
    float TextWidth(const QString& text) const;
    float TextHeight(const QString& text) const;

    // What hdc stands for: glyphs of the current font at whole-pixel positions.
    class DeviceContext {
    public:
        explicit DeviceContext(Surface& s) : surface_(s) {}
        void TextOutA(int x, int y, const QString& bytes);
        Extent GetTextExtentPoint32A(const QString& bytes) const;
    private:
        Surface& surface_;
    };
    DeviceContext hdc() { return DeviceContext(*this); }

    const std::vector<DrawOp>& ops() const { return ops_; }
    // The formulas drawn since the last Cls, in drawing order; none overlaps another.
    const std::vector<FormulaSpan>& formulas() const { return formulas_; }
    // Where the script started each row after the first: the index of the row's first
    // operation, ascending, each once.
    const std::vector<int>& rowStarts() const { return rowStarts_; }
    DisplayList displayList() const { return {ops_, formulas_, rowStarts_}; }

    // What is drawn from here to the matching endFormula is one formula. A formula begun
    // inside another is part of the outer one, which alone is kept.
    void beginFormula(const QString& latex);
    void endFormula();
    // The script starts a new row: what is drawn next begins it.
    void markRow();
    int clsCount() const { return clsCount_; }
    QRgb background() const { return resolveColor(BackColor); }

    // Replays the operations (those `shows` lets through, when given), in the colours
    // `colours` gives for theirs and the background's, when given; the painter's transform
    // maps surface pixels.
    void paint(QPainter& painter, const std::function<bool(int op)>& shows = nullptr,
               const ColourMap& colours = nullptr) const;
    // The surface as an image, `scale` device pixels per surface pixel.
    QImage toImage(double scale) const;  // a null image when there is no memory for it

private:
    double pixelSize() const;
    void addText(double x, double y, const QString& text);
    void addLine(float x1, float y1, float x2, float y2, VbColor color);

    std::vector<DrawOp> ops_;
    std::vector<FormulaSpan> formulas_;
    std::vector<int> rowStarts_;
    FormulaSpan openFormula_;
    int formulaDepth_ = 0;
    int clsCount_ = 0;
};

// Marks what is drawn in a scope as one formula with its meaning.
class FormulaScope {
public:
    FormulaScope(Surface& surface, const QString& latex) : surface_(surface) { surface_.beginFormula(latex); }
    ~FormulaScope() { surface_.endFormula(); }
    FormulaScope(const FormulaScope&) = delete;
    FormulaScope& operator=(const FormulaScope&) = delete;

private:
    Surface& surface_;
};

// Keeps a surface's face, size, weight, slant, colour and pen width for the length of a
// scope: whatever a builder changes inside it is put back when the scope ends, so no
// builder can leave a setting changed by accident. What a builder leaves changed on
// purpose is said with one of the leave… calls, each with its reason where it is made.
class StyleScope {
public:
    explicit StyleScope(Surface& surface) : surface_(surface), kept_(surface.style()) {}
    ~StyleScope() { surface_.setStyle(kept_); }
    StyleScope(const StyleScope&) = delete;
    StyleScope& operator=(const StyleScope&) = delete;

    void leaveItalicOff() { kept_.italic = false; }
    void leaveBoldOff() { kept_.bold = false; }
    void leaveFace(const QString& face) { kept_.face = face; }
    void leaveSize(float size) { kept_.size = size; }

private:
    Surface& surface_;
    SurfaceStyle kept_;
};
