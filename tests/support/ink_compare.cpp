#include "ink_compare.h"

#include "canvas/text_layout.h"
#include "shell/form/math_form.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

namespace {

QRectF inkBounds(const DrawOp& op)
{
    switch (op.kind) {
    case DrawOp::Text:
        return inkOf(op);
    case DrawOp::Circle:
        return QRectF(op.x - op.radius, op.y - op.radius, 2 * op.radius + 1, 2 * op.radius + 1);
    case DrawOp::Line:
    case DrawOp::Box:
        return QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized().adjusted(0, 0, op.width, op.width);
    }
    return {};
}

// Sum of grey differences over `area` of the reference and the rendering moved by `shift`.
double difference(const QImage& reference, const QImage& rendering, const QRect& area, QPoint shift)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(rendering.constScanLine(y + shift.y()));
        for (int x = area.left(); x <= area.right(); ++x) sum += std::abs(qGray(a[x]) - qGray(b[x + shift.x()]));
    }
    return sum;
}

// How much ink there is in `area`, and where its centre lies: the image's departure
// from its own paper, weighted by position.
struct InkMass {
    double amount = 0;
    QPointF centre;
};

InkMass inkMass(const QImage& image, const QRect& area)
{
    const int paper = qGray(image.pixel(0, 0));
    InkMass mass;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const double ink = std::abs(paper - qGray(image.pixel(x, y)));
            mass.amount += ink;
            mass.centre += ink * QPointF(x, y);
        }
    if (mass.amount > 0) mass.centre /= mass.amount;
    return mass;
}

QString describe(const DrawOp& op)
{
    static const char* kinds[] = {"text", "line", "box", "circle"};
    const QString what = op.kind == DrawOp::Text ? QStringLiteral("\"%1\"").arg(op.text) : QLatin1String(kinds[op.kind]);
    return QStringLiteral("%1 at (%2, %3)").arg(what).arg(op.x, 0, 'f', 1).arg(op.y, 0, 'f', 1);
}

}  // namespace

QStringList misplacedInk(const QImage& referenceImage, const QImage& renderingImage, const std::vector<DrawOp>& ops,
                         double scale)
{
    const QImage reference = referenceImage.convertToFormat(QImage::Format_RGB32);
    const QImage rendering = renderingImage.convertToFormat(QImage::Format_RGB32);
    if (reference.size() != rendering.size()) return {QStringLiteral("the images differ in size")};
    constexpr int reach = 2;
    const QRect usable = reference.rect().adjusted(reach, reach, -reach, -reach);
    QStringList faults;
    for (const DrawOp& op : ops) {
        const QRectF bounds = inkBounds(op);
        if (bounds.isEmpty() && op.kind == DrawOp::Text) continue;
        const QRectF scaled(bounds.topLeft() * scale, bounds.bottomRight() * scale);
        const QRect area = scaled.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(usable);
        if (area.isEmpty()) continue;
        const double atPlace = difference(reference, rendering, area, {0, 0});
        QPoint best(0, 0);
        double bestDifference = atPlace;
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (const double d = difference(reference, rendering, area, {dx, dy}); d < bestDifference) {
                    bestDifference = d;
                    best = {dx, dy};
                }
        const InkMass expected = inkMass(reference, area), found = inkMass(rendering, area);
        const QPointF moved = (found.centre - expected.centre) / scale;
        // A shift must win clearly, and the ink's centre must have moved half a pixel
        // or more: two renderers' anti-aliasing and sub-pixel rounding differ by less.
        const bool shiftWins = best != QPoint(0, 0) && atPlace - bestDifference > std::max(0.15 * atPlace, 2.0 * 255);
        if (shiftWins && std::max(std::abs(moved.x()), std::abs(moved.y())) >= 0.5)
            faults << QStringLiteral("%1 matches %2 px right, %3 px down (its ink moved %4, %5 px)")
                          .arg(describe(op))
                          .arg(best.x())
                          .arg(best.y())
                          .arg(moved.x(), 0, 'f', 2)
                          .arg(moved.y(), 0, 'f', 2);
        else if (atPlace > 0.6 * expected.amount + 4 * 255)
            faults << QStringLiteral("%1 differs: %2 of %3 grey levels").arg(describe(op)).arg(atPlace).arg(expected.amount);
    }
    return faults;
}

namespace {

QString output(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    if (status) *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The sheet's width in points, as the PDF gives it.
double sheetWidthPoints(const QString& pdf)
{
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x"));
    return size.match(output(QStringLiteral("pdfinfo"), {pdf})).captured(1).toDouble();
}

}  // namespace

std::vector<QImage> popplerSheets(const QString& pdf, const QString& prefix, int count)
{
    // The page sits 10 mm from the sheet's top left edges, scaled to the width between
    // the margins. Rendered at four times the size and reduced, so the margin falls on
    // a whole raster pixel.
    constexpr int k = 4;
    const double widthPoints = sheetWidthPoints(pdf);
    if (widthPoints <= 0) return {};
    const double dpi = MathForm::printWidth / ((widthPoints - 2 * 10 / 25.4 * 72) / 72);
    const QString margin = QString::number(qRound(k * 10 / 25.4 * dpi));
    int status = 0;
    output(QStringLiteral("pdftoppm"), {"-r", QString::number(k * dpi, 'f', 4), "-x", margin, "-y", margin, "-W",
                                        QString::number(k * MathForm::printWidth), "-H",
                                        QString::number(k * MathForm::pageHeight), "-png", pdf, prefix},
           &status);
    if (status != 0) return {};
    // Poppler numbers the files with as many digits as the last page number needs.
    QStringList files = QDir(QFileInfo(prefix).path()).entryList({QFileInfo(prefix).fileName() + "-*.png"}, QDir::Files,
                                                                 QDir::Name);
    std::vector<QImage> sheets;
    for (const QString& file : files.mid(0, count))
        sheets.push_back(QImage(QDir(QFileInfo(prefix).path()).filePath(file))
                             .scaled(MathForm::printWidth, MathForm::pageHeight, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation));
    return sheets;
}

QString keepForInspection(const QImage& image, const QString& name)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("velkora-failures"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    image.save(path);
    return path;
}
