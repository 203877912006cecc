#include "fonts.h"

#include <QFontDatabase>
#include <QImage>
#include <QRawFont>
#include <QtEndian>
#include <cstdio>

namespace {

struct Candidates {
    const char* face;
    QStringList families;  // the real face first, then stand-ins with matching metrics
    const char* package;   // Debian package that brings the stand-in
    bool boundingBoxCell;  // placed by its glyph bounding box, as Windows places symbol faces
};

const std::vector<Candidates>& candidateTable()
{
    static const std::vector<Candidates> table = {
        {"メイリオ", {"メイリオ", "Meiryo", "Noto Sans CJK JP"}, "fonts-noto-cjk", false},
        {"ＭＳ ゴシック", {"ＭＳ ゴシック", "MS Gothic", "IPAGothic"}, "fonts-ipafont-gothic", false},
        {"Courier New", {"Courier New", "Liberation Mono"}, "fonts-liberation2", false},
        {"Times New Roman", {"Times New Roman", "Liberation Serif"}, "fonts-liberation2", false},
        {"Symbol", {"Symbol", "Standard Symbols PS"}, "fonts-urw-base35", true},
        {"Century", {"Century", "C059"}, "fonts-urw-base35", false},
        {"Bookman Old Style", {"Bookman Old Style"}, nullptr, false},
    };
    return table;
}

const Candidates* candidatesFor(const QString& face)
{
    for (const auto& c : candidateTable())
        if (face == QString::fromUtf8(c.face)) return &c;
    return nullptr;
}

// Measuring happens on a 96-DPI device so that 12.75 pt is 17 px everywhere.
const QPaintDevice* measureDevice()
{
    static QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return &image;
}

// Ascent and descent of the glyph bounding box, in em: from the font's head table,
// or, for a face without one (Type 1), from the union of its one-byte glyphs.
bool boundingBoxEm(const QFont& font, double& ascentEm, double& descentEm)
{
    const QByteArray head = QRawFont::fromFont(font).fontTable("head");
    if (head.size() < 44) {
        QFont probe(font);
        probe.setPixelSize(1000);
        const QFontMetricsF fm(probe, measureDevice());
        QRectF box;
        for (int code = 0x20; code <= 0xFF; ++code) box |= fm.boundingRect(QChar(code));
        if (box.isEmpty()) return false;
        ascentEm = -box.top() / 1000.0;
        descentEm = box.bottom() / 1000.0;
        return true;
    }
    const auto* d = reinterpret_cast<const uchar*>(head.constData());
    const double unitsPerEm = qFromBigEndian<quint16>(d + 18);
    const double yMin = qFromBigEndian<qint16>(d + 38);
    const double yMax = qFromBigEndian<qint16>(d + 42);
    if (unitsPerEm <= 0) return false;
    ascentEm = yMax / unitsPerEm;
    descentEm = -yMin / unitsPerEm;
    return true;
}

std::shared_ptr<FontTable>& currentTable()
{
    static std::shared_ptr<FontTable> table;
    return table;
}

}  // namespace

struct FontTable::Entry {
    QFont font;
    QFontMetricsF metrics;
    FaceMetrics cell;
    mutable QHash<QString, double> widths;
    Entry(const QFont& f) : font(f), metrics(f, measureDevice()) {}
};

FontTable::FontTable() : installed_(QFontDatabase::families()) {}

FontTable::FontTable(QStringList installed) : installed_(std::move(installed)) {}

bool FontTable::fontExists(const QString& name) const
{
    for (const QString& family : installed_)
        if (family == name) return true;
    return false;
}

QString FontTable::installedFamily(const QString& name) const
{
    if (fontExists(name)) return name;
    // Qt tells apart families that several foundries ship as "Name [Foundry]".
    const QString withFoundry = name + QStringLiteral(" [");
    for (const QString& family : installed_)
        if (family.startsWith(withFoundry)) return family;
    return QString();
}

QString FontTable::familyFor(const QString& face) const
{
    auto cached = familyCache_.constFind(face);
    if (cached != familyCache_.constEnd()) return *cached;

    QString family = face;
    if (const Candidates* c = candidatesFor(face)) {
        family = c->families.last();
        bool found = false;
        for (const QString& candidate : c->families) {
            const QString installed = installedFamily(candidate);
            if (!installed.isEmpty()) {
                family = installed;
                found = true;
                break;
            }
        }
        if (!found && c->package)
            std::fprintf(stderr, "velkora: no installed font stands in for \"%s\"; install the Debian package %s\n",
                         c->face, c->package);
    }
    familyCache_.insert(face, family);
    return family;
}

QFont FontTable::font(const QString& face, double pixelSize, bool bold, bool italic, int dpi) const
{
    QFont f(familyFor(face));
    f.setPointSizeF(pixelSize * 72.0 / dpi);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

const FontTable::Entry& FontTable::entry(const QString& face, double pixelSize, bool bold, bool italic) const
{
    // Every measurement comes through here: a plain key, no number formatting.
    const EntryKey key{face, pixelSize, bold, italic};
    auto it = entries_.constFind(key);
    if (it != entries_.constEnd()) return **it;

    auto e = std::make_shared<Entry>(font(face, pixelSize, bold, italic));
    e->cell = {e->metrics.ascent(), e->metrics.descent()};
    const Candidates* c = candidatesFor(face);
    double ascentEm = 0, descentEm = 0;
    if (c && c->boundingBoxCell && boundingBoxEm(e->font, ascentEm, descentEm))
        e->cell = {ascentEm * pixelSize, descentEm * pixelSize};
    entries_.insert(key, e);
    return *e;
}

double FontTable::width(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const
{
    const Entry& e = entry(face, pixelSize, bold, italic);
    auto it = e.widths.constFind(text);
    if (it != e.widths.constEnd()) return *it;
    const double w = e.metrics.horizontalAdvance(text);
    e.widths.insert(text, w);
    return w;
}

FaceMetrics FontTable::metrics(const QString& face, double pixelSize, bool bold, bool italic) const
{
    return entry(face, pixelSize, bold, italic).cell;
}

FontTable& FontTable::current()
{
    auto& table = currentTable();
    if (!table) table = std::make_shared<FontTable>();
    return *table;
}

void FontTable::setCurrent(std::shared_ptr<FontTable> table) { currentTable() = std::move(table); }
