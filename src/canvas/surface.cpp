#include "surface.h"

#include "fonts.h"
#include "pdf_text.h"
#include "text_layout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <cmath>

QRgb resolveColor(VbColor c)
{
    if (c & 0x80000000u) {
        // Only the button-text colour is used by the pages; other system colours read as text too.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return QGuiApplication::palette().color(QPalette::ButtonText).rgb();
        return qRgb(0, 0, 0);
    }
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

Surface::Surface(int width, int height) : Height(float(height)), Width(float(width)) {}

double Surface::pixelSize() const { return pointsToPixels(FontSize); }

SurfaceStyle Surface::style() const { return {FontName, FontSize, FontBold, FontItalic, ForeColor, DrawWidth}; }

void Surface::setStyle(const SurfaceStyle& style)
{
    FontName = style.face;
    FontSize = style.size;
    FontBold = style.bold;
    FontItalic = style.italic;
    ForeColor = style.color;
    DrawWidth = style.penWidth;
}

void Surface::Cls()
{
    ops_.clear();
    formulas_.clear();
    rowStarts_.clear();
    formulaDepth_ = 0;
    ++clsCount_;
    CurrentX = 0;
    CurrentY = 0;
}

void Surface::beginFormula(const QString& latex)
{
    if (formulaDepth_++ > 0) return;
    openFormula_ = {int(ops_.size()), 0, latex};
}

void Surface::endFormula()
{
    Q_ASSERT(formulaDepth_ > 0);
    if (--formulaDepth_ > 0) return;
    // A formula that drew nothing has nothing to stand for.
    if (int(ops_.size()) == openFormula_.first) return;
    openFormula_.last = int(ops_.size()) - 1;
    formulas_.push_back(std::move(openFormula_));
}

void Surface::markRow()
{
    const int next = int(ops_.size());
    if (next == 0 || (!rowStarts_.empty() && rowStarts_.back() == next)) return;
    rowStarts_.push_back(next);
}

void Surface::addLine(float x1, float y1, float x2, float y2, VbColor color)
{
    DrawOp op;
    op.kind = DrawOp::Line;
    op.color = resolveColor(color);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.width = DrawWidth;
    ops_.push_back(op);
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Line(float x1, float y1, float x2, float y2) { addLine(x1, y1, x2, y2, ForeColor); }

void Surface::Line(float x1, float y1, float x2, float y2, VbColor color) { addLine(x1, y1, x2, y2, color); }

void Surface::LineStep(float dx, float dy) { LineStep(dx, dy, ForeColor); }

void Surface::LineStep(float dx, float dy, VbColor color)
{
    const float x1 = CurrentX, y1 = CurrentY;
    addLine(x1, y1, float(double(x1) + dx), float(double(y1) + dy), color);
}

void Surface::Box(float x1, float y1, float x2, float y2, VbColor color, bool filled)
{
    DrawOp op;
    op.kind = DrawOp::Box;
    op.color = resolveColor(color);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.width = DrawWidth;
    op.filled = filled;
    ops_.push_back(op);
    CurrentX = x2;
    CurrentY = y2;
}

void Surface::Circle(float x, float y, float radius, VbColor color)
{
    DrawOp op;
    op.kind = DrawOp::Circle;
    op.color = resolveColor(color);
    op.x = x;
    op.y = y;
    op.radius = radius;
    op.width = DrawWidth;
    ops_.push_back(op);
    CurrentX = x;
    CurrentY = y;
}

void Surface::addText(double x, double y, const QString& text)
{
    const FontTable& fonts = FontTable::current();
    const double px = pixelSize();
    DrawOp op;
    op.kind = DrawOp::Text;
    op.color = resolveColor(ForeColor);
    op.x = x;
    op.y = y;
    op.text = text;
    op.face = FontName;
    op.points = FontSize;
    op.bold = FontBold;
    op.italic = FontItalic;
    const FontTable::Run run = fonts.run(FontName, px, FontBold, FontItalic, text);
    op.family = run.family;
    op.ascent = run.ascent;
    op.advance = run.advance;
    ops_.push_back(op);
}

void Surface::Print(const QString& text)
{
    if (text.isEmpty()) return;
    addText(CurrentX, CurrentY, text);
    CurrentX = float(double(CurrentX) + ops_.back().advance);
}

float Surface::TextWidth(const QString& text) const
{
    return float(FontTable::current().width(FontName, pixelSize(), FontBold, FontItalic, text));
}

float Surface::TextHeight(const QString&) const
{
    return float(FontTable::current().metrics(FontName, pixelSize(), FontBold, FontItalic).height());
}

void Surface::DeviceContext::TextOutA(int x, int y, const QString& bytes)
{
    if (!bytes.isEmpty()) surface_.addText(x, y, bytes);
}

Extent Surface::DeviceContext::GetTextExtentPoint32A(const QString& bytes) const
{
    return {qint32(std::lround(surface_.TextWidth(bytes))), qint32(std::lround(surface_.TextHeight(bytes)))};
}

void paintOp(QPainter& painter, const DrawOp& op)
{
    QPen pen{QColor(op.color)};
    pen.setWidthF(op.width);
    pen.setCapStyle(Qt::FlatCap);
    switch (op.kind) {
    case DrawOp::Text:
        // A PDF (an export, a print job) also carries the text, for search and copy.
        if (painter.paintEngine()->type() == QPaintEngine::Pdf)
            paintTextWithTextLayer(painter, op);
        else
            paintText(painter, op);
        break;
    case DrawOp::Line: {
        // Strokes land on whole pixels, as the pages were designed for, and a whole-pixel
        // coordinate names a pixel row or column: stroke through its centre. A bar at a
        // fractional height would otherwise smear over two rows and touch the glyphs near it.
        const double h = op.width % 2 ? 0.5 : 0.0;
        auto pixel = [h](double x, double y) { return QPointF(std::nearbyint(x) + h, std::nearbyint(y) + h); };
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(pixel(op.x, op.y), pixel(op.x2, op.y2));
        break;
    }
    case DrawOp::Box: {
        const QRectF r = QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized();
        // As Windows does, a box takes in both corners' pixels, and its outline runs
        // through pixel centres.
        if (op.filled) {
            painter.fillRect(r.adjusted(0, 0, 1, 1), QColor(op.color));
        } else {
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.translated(0.5, 0.5));
        }
        break;
    }
    case DrawOp::Circle:
        // The centre pixel's centre.
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(op.x + 0.5, op.y + 0.5), op.radius, op.radius);
        break;
    }
}

void Surface::paint(QPainter& painter, const std::function<bool(int op)>& shows, const ColourMap& colours) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(0, 0, Width, Height), QColor(colours ? colours(background()) : background()));
    for (int i = 0; i < int(ops_.size()); ++i) {
        if (shows && !shows(i)) continue;
        const DrawOp& op = ops_[size_t(i)];
        if (!colours) {
            paintOp(painter, op);
            continue;
        }
        // A copy in the other colour: what was recorded stays as the page drew it.
        DrawOp recoloured = op;
        recoloured.color = colours(op.color);
        paintOp(painter, recoloured);
    }
    painter.restore();
}

QImage Surface::toImage(double scale) const
{
    QImage image(int(std::ceil(Width * scale)), int(std::ceil(Height * scale)), QImage::Format_RGB32);
    if (image.isNull()) return image;  // no memory for it: painting would write through a null buffer
    image.setDotsPerMeterX(dotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(dotsPerMetreAt96Dpi);
    image.fill(QColor(background()));
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter);
    return image;
}
