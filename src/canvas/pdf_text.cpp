#include "pdf_text.h"

#include "fonts.h"
#include "symbol_encoding.h"
#include "text_layout.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <optional>

namespace {

// What Qt's PDF writer labels each glyph of a font with: the lowest code point of the
// Basic Multilingual Plane the font maps to it. Nothing for a glyph no code point maps to.
class GlyphLabels {
public:
    explicit GlyphLabels(const QRawFont& font)
    {
        static const QString plane = [] {
            QString all;
            for (char16_t u = 1; u < 0xFFFF; ++u)
                if (!QChar::isSurrogate(u)) all += QChar(u);
            return all;
        }();
        const QList<quint32> glyphs = font.glyphIndexesForString(plane);
        for (qsizetype i = glyphs.size() - 1; i >= 0; --i)
            if (glyphs.at(i) != 0) labels_.insert(glyphs.at(i), plane.at(i));
    }
    QChar of(quint32 glyph) const { return labels_.value(glyph); }

private:
    QHash<quint32, QChar> labels_;
};

const GlyphLabels& labelsOf(const QRawFont& font)
{
    static QHash<QString, GlyphLabels> known;
    const QString key = font.familyName() + u'\n' + font.styleName();
    auto it = known.constFind(key);
    if (it == known.constEnd()) it = known.insert(key, GlyphLabels(font));
    return *it;
}

bool labelledAs(const QList<QGlyphRun>& runs, const QString& meaning)
{
    QString labels;
    for (const QGlyphRun& run : runs)
        for (quint32 glyph : run.glyphIndexes()) labels += labelsOf(run.rawFont()).of(glyph);
    return labels == meaning;
}

// The families the current font table gives the faces the pages use, in the order
// they are tried for a label.
QStringList labelCandidates()
{
    const FontTable& fonts = FontTable::current();
    QStringList families;
    for (const char* face : {"メイリオ", "ＭＳ ゴシック", "Times New Roman", "Courier New"})
        families << fonts.familyFor(QString::fromUtf8(face));
    return families;
}

bool labelsRight(const QString& family, const QString& meaning)
{
    // Any size will do: the labels are the font's, not the size's.
    constexpr double anySize = 17;
    const QRawFont font = QRawFont::fromFont(FontTable::familyFont(family, anySize, false, false));
    const QList<quint32> glyphs = font.glyphIndexesForString(meaning);
    if (glyphs.contains(0)) return false;
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    return labelledAs({run}, meaning);
}

// A family the PDF writer labels `meaning` right in: one of the faces the pages use.
// Kept under the families tried, as another font table may give the faces others.
QString labelFamily(const QString& meaning)
{
    static QHash<std::pair<QStringList, QString>, QString> known;
    const std::pair<QStringList, QString> key{labelCandidates(), meaning};
    auto it = known.constFind(key);
    if (it != known.constEnd()) return *it;
    const QStringList& tried = key.first;
    const auto found = std::find_if(tried.cbegin(), tried.cend(), [&](const QString& f) { return labelsRight(f, meaning); });
    return *known.insert(key, found == tried.cend() ? QString() : *found);
}

// Invisible text: a meaning set over the glyphs it stands for.
struct Label {
    QGlyphRun run;
    QTransform place;  // from the baseline's origin
};

// The meaning in a family that labels it right, squeezed or stretched over [left, right).
std::optional<Label> labelOver(const QString& meaning, double pixelSize, double left, double right)
{
    const QString family = labelFamily(meaning);
    if (family.isEmpty()) return std::nullopt;
    const QRawFont font = QRawFont::fromFont(FontTable::familyFont(family, pixelSize, false, false));
    const QList<quint32> glyphs = font.glyphIndexesForString(meaning);
    QList<QPointF> positions;
    QPointF pen;
    for (const QPointF& advance : font.advancesForGlyphIndexes(glyphs)) {
        positions.append(pen);
        pen += advance;
    }
    Label label;
    label.run.setRawFont(font);
    label.run.setGlyphIndexes(glyphs);
    label.run.setPositions(positions);
    label.place = QTransform::fromTranslate(left, 0).scale(pen.x() > 0 ? (right - left) / pen.x() : 1, 1);
    return label;
}

struct TextLayer {
    std::vector<TextLayout::Glyphs> text;  // glyphs the writer labels right, drawn as text
    std::vector<QPainterPath> outlines;    // one per strike, relative to the baseline
    std::vector<Label> labels;
};

class PieceLayer {
public:
    PieceLayer(TextLayer& layer, const QString& face, const TextLayout::Piece& piece, double pixelSize, bool bold,
               bool italic)
        : layer_(layer), face_(face), piece_(piece), pixelSize_(pixelSize),
          setting_(pieceSetting(piece.family, pixelSize, bold, italic)),
          text_(piece.text, setting_.font, const_cast<QPaintDevice*>(FontTable::measureDevice()))
    {
        text_.beginLayout();
        line_ = text_.createLine();
        text_.endLayout();
        if (line_.isValid()) addCharacters();
    }

private:
    // Runs of characters the writer labels right go in as text; a character it would
    // label wrongly as outlines, with its meaning laid over them; white space not at all.
    void addCharacters()
    {
        const QString& text = piece_.text;
        int rightFrom = -1;
        for (int at = 0; at < text.size();) {
            const int end = at + (text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1);
            const QString drawn = text.mid(at, end - at);
            const QString meaning = meaningOf(face_, drawn);
            const bool blank = drawn.trimmed().isEmpty();
            const bool right = !blank && labelledAs(line_.glyphRuns(at, end - at), meaning);
            if (!right && rightFrom >= 0) {
                addText(rightFrom, at);
                rightFrom = -1;
            }
            if (right && rightFrom < 0) rightFrom = at;
            if (!right && !blank) addOutlined(at, end, meaning);
            at = end;
        }
        if (rightFrom >= 0) addText(rightFrom, int(text.size()));
    }

    // The glyphs of [from, to), placed as on the screen for the strike at `dx`.
    QList<QGlyphRun> placed(int from, int to, double dx) const
    {
        QList<QGlyphRun> runs = line_.glyphRuns(from, to - from);
        for (QGlyphRun& run : runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& p : positions) p += QPointF(piece_.x + dx, -line_.ascent());
            run.setPositions(positions);
        }
        return runs;
    }

    // The first strike as text; a second, for made bold, as outlines, which the
    // writer's text layer would otherwise read twice.
    void addText(int from, int to)
    {
        const std::vector<double> strikes = setting_.strikes();
        for (const QGlyphRun& run : placed(from, to, strikes.front()))
            layer_.text.push_back({run, setting_.slanted});
        for (size_t s = 1; s < strikes.size(); ++s) addOutlines(placed(from, to, strikes[s]), s);
    }

    void addOutlined(int from, int to, const QString& meaning)
    {
        const std::vector<double> strikes = setting_.strikes();
        for (size_t s = 0; s < strikes.size(); ++s) addOutlines(placed(from, to, strikes[s]), s);
        if (meaning.isEmpty()) return;
        const double left = piece_.x + line_.cursorToX(from), right = piece_.x + line_.cursorToX(to);
        if (std::optional<Label> label = labelOver(meaning, pixelSize_, left, right)) layer_.labels.push_back(*label);
    }

    void addOutlines(const QList<QGlyphRun>& runs, size_t strike)
    {
        if (layer_.outlines.size() <= strike) layer_.outlines.resize(strike + 1);
        layer_.outlines[strike].setFillRule(Qt::WindingFill);
        QPainterPath outline;
        for (const QGlyphRun& run : runs) {
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size(); ++i)
                outline.addPath(run.rawFont().pathForGlyph(glyphs.at(i)).translated(positions.at(i)));
        }
        layer_.outlines[strike].addPath(setting_.slanted ? slantTransform().map(outline) : outline);
    }

    TextLayer& layer_;
    const QString& face_;
    const TextLayout::Piece& piece_;
    double pixelSize_;
    PieceSetting setting_;
    QTextLayout text_;
    QTextLine line_;
};

TextLayer makeTextLayer(const DrawOp& op)
{
    TextLayer layer;
    const std::shared_ptr<const TextLayout> layout = layoutOf(op);
    for (const TextLayout::Piece& piece : layout->pieces)
        PieceLayer(layer, op.face, piece, pointsToPixels(op.points), op.bold, op.italic);
    return layer;
}

std::shared_ptr<const TextLayer> textLayerOf(const DrawOp& op)
{
    static MadeFromRuns<TextLayer> layers;
    return madeOnce(layers, op, makeTextLayer);
}

}  // namespace

void paintTextWithTextLayer(QPainter& painter, const DrawOp& op)
{
    const std::shared_ptr<const TextLayer> held = textLayerOf(op);
    const TextLayer& layer = *held;
    const QPointF baseline = baselineOf(op);
    const QColor colour(op.color);
    painter.setPen(colour);
    drawGlyphs(painter, baseline, layer.text);
    for (const QPainterPath& outline : layer.outlines) painter.fillPath(outline.translated(baseline), colour);
    if (layer.labels.empty()) return;
    // Invisible: clipped to a speck well above the run. Transparency would do too, but
    // a print spooler that goes through PostScript turns a page with transparency
    // into one bitmap.
    painter.save();
    painter.translate(baseline);
    painter.setClipRect(QRectF(0, -4 * pointsToPixels(op.points), 0.01, 0.01), Qt::IntersectClip);
    for (const Label& label : layer.labels) {
        painter.save();
        painter.setTransform(label.place, true);
        painter.drawGlyphRun(QPointF(), label.run);
        painter.restore();
    }
    painter.restore();
}
