#pragma once
// One drawing operation as a surface records it. Kept apart from the surface, so that
// what paints or reads an operation (the text layout, the PDF text layer, the page's
// reading) need not know the surface that records it, nor the surface them.
#include <QRgb>
#include <QString>
#include <vector>

struct DrawOp {
    enum Kind { Text, Line, Box, Circle };
    Kind kind = Text;
    QRgb color = 0;
    double x = 0, y = 0;      // text: top-left of the cell; line/box: first point; circle: centre
    double x2 = 0, y2 = 0;    // line/box: second point
    int width = 1;            // pen width for strokes
    bool filled = false;      // box
    double radius = 0;        // circle
    // text only
    QString text, face, family;
    double points = 0;
    bool bold = false, italic = false;
    double ascent = 0;   // the cell's baseline below y, measured at 96 DPI
    double advance = 0;
};

// A run of drawing operations that draws one formula, and what the formula means, in
// LaTeX: the reading of those operations that their positions alone cannot give back.
struct FormulaSpan {
    int first = 0;  // indices among the surface's operations, both included
    int last = 0;
    QString latex;
};

// What a page's reading takes of the surface it was drawn on: the operations, the formulas
// among them and where the script started each row.
struct DisplayList {
    const std::vector<DrawOp>& ops;
    const std::vector<FormulaSpan>& formulas;
    const std::vector<int>& rowStarts;
};
