#include "fonts.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <QRawFont>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <fontconfig/fontconfig.h>

using namespace Qt::StringLiterals;

namespace {

struct Candidates {
    const char* face;
    QStringList families;  // the real face first, then stand-ins with matching metrics
    const char* package;   // Debian package that brings the stand-in
    bool boundingBoxCell;  // placed by its glyph bounding box, as Windows places symbol faces
    // The real face's Latin letters are far wider than its stand-in's: the stand-in
    // draws ASCII in a family with the real face's Latin proportions.
    const char* latinFamily = nullptr;
    const char* latinPackage = nullptr;
};

const std::vector<Candidates>& candidateTable()
{
    static const std::vector<Candidates> table = {
        {"メイリオ", {"メイリオ", "Meiryo", "Noto Sans CJK JP"}, "fonts-noto-cjk", false, "Bitstream Vera Sans",
         "ttf-bitstream-vera"},
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

void warnMissing(const char* face, const char* package)
{
    const QString line =
        QCoreApplication::translate("Fonts", "no installed font stands in for \"%1\"; install the Debian package %2")
            .arg(QString::fromUtf8(face), QLatin1String(package));
    std::fprintf(stderr, "velkora: %s\n", line.toUtf8().constData());
}

// ASCII letters, digits, punctuation and the space: what the Latin family draws.
bool isLatin(QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }

// Ascent and descent of the glyph bounding box, in em: from the font's head table,
// or, for a face without one (Type 1), from the union of its one-byte glyphs.
bool boundingBoxEm(const QFont& font, double& ascentEm, double& descentEm)
{
    // Where the head table keeps the em and the box's bottom and top, 16 bits each.
    constexpr int unitsPerEmAt = 18, yMinAt = 38, yMaxAt = 42, headBytesRead = yMaxAt + 2;
    const QByteArray head = QRawFont::fromFont(font).fontTable("head");
    if (head.size() < headBytesRead) {
        // Measured at 1000 pixels, so that a pixel is a thousandth of an em.
        constexpr int probePixels = 1000;
        QFont probe(font);
        probe.setPixelSize(probePixels);
        const QFontMetricsF fm(probe, FontTable::measureDevice());
        QRectF box;
        for (int code = 0x20; code <= 0xFF; ++code) box |= fm.boundingRect(QChar(code));
        if (box.isEmpty()) return false;
        ascentEm = -box.top() / probePixels;
        descentEm = box.bottom() / probePixels;
        return true;
    }
    const auto* d = reinterpret_cast<const uchar*>(head.constData());
    const double unitsPerEm = qFromBigEndian<quint16>(d + unitsPerEmAt);
    const double yMin = qFromBigEndian<qint16>(d + yMinAt);
    const double yMax = qFromBigEndian<qint16>(d + yMaxAt);
    if (unitsPerEm <= 0) return false;
    ascentEm = yMax / unitsPerEm;
    descentEm = -yMin / unitsPerEm;
    return true;
}

// Fontconfig knows a family by a name in each language it was given (IPAGothic is
// also IPAゴシック), while Qt lists it under one of them, chosen by the locale.
// Maps every other name to the one Qt lists.
QHash<QString, QString> familyAliases(const QStringList& listed)
{
    QHash<QString, QString> aliases;
    if (!FcInit()) return aliases;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        QStringList names;
        FcChar8* name = nullptr;
        for (int k = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, k, &name) == FcResultMatch; ++k)
            names.append(QString::fromUtf8(reinterpret_cast<const char*>(name)));
        auto shown = std::find_if(names.cbegin(), names.cend(), [&](const QString& n) { return listed.contains(n); });
        if (shown == names.cend()) continue;
        for (const QString& n : names)
            if (n != *shown) aliases.insert(n, *shown);
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return aliases;
}

std::shared_ptr<FontTable>& currentTable()
{
    static std::shared_ptr<FontTable> table;
    return table;
}

}  // namespace

// What a face measures at one size: its family, its cell and the widths of the texts asked for.
struct FontTable::FaceEntry {
    QString family;
    FaceMetrics cell;
    mutable QHash<QString, double> widths;
};

struct FontTable::Entry {
    QFont font;
    QFontMetricsF metrics;
    FaceMetrics cell;
    mutable QHash<QString, double> widths;
    explicit Entry(const QFont& f) : font(f), metrics(f, measureDevice()), cell{metrics.ascent(), metrics.descent()}
    {
    }
};

FontTable::FontTable() : installed_(QFontDatabase::families()), aliases_(familyAliases(installed_)) {}

FontTable::FontTable(QStringList installed, QHash<QString, QString> aliases)
    : installed_(std::move(installed)), aliases_(std::move(aliases))
{
}

const QPaintDevice* FontTable::measureDevice()
{
    static QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        img.setDotsPerMeterX(dotsPerMetreAt96Dpi);
        img.setDotsPerMeterY(dotsPerMetreAt96Dpi);
        return img;
    }();
    return &image;
}

bool FontTable::fontExists(const QString& name) const
{
    for (const QString& family : installed_)
        if (family == name) return true;
    return false;
}

QString FontTable::installedFamily(const QString& name) const
{
    if (fontExists(name)) return name;
    const QString alias = aliases_.value(name);
    if (!alias.isEmpty() && fontExists(alias)) return alias;
    // Qt tells apart families that several foundries ship as "Name [Foundry]".
    const QString withFoundry = name + u" ["_s;
    for (const QString& family : installed_)
        if (family.startsWith(withFoundry)) return family;
    return QString();
}

const FontTable::Choice& FontTable::choice(const QString& face) const
{
    auto cached = choices_.constFind(face);
    if (cached != choices_.constEnd()) return *cached;

    Choice chosen{face, QString()};
    if (const Candidates* c = candidatesFor(face)) {
        chosen.family = c->families.last();
        qsizetype found = -1;
        for (qsizetype i = 0; i < c->families.size() && found < 0; ++i) {
            const QString installed = installedFamily(c->families.at(i));
            if (!installed.isEmpty()) {
                chosen.family = installed;
                found = i;
            }
        }
        if (found < 0 && c->package) warnMissing(c->face, c->package);
        chosen.boundingBoxCell = c->boundingBoxCell;
        const bool standIn = found < 0 || found == c->families.size() - 1;
        if (standIn && c->latinFamily) {
            chosen.latinFamily = installedFamily(QString::fromUtf8(c->latinFamily));
            if (chosen.latinFamily.isEmpty()) warnMissing(c->face, c->latinPackage);
        }
    }
    return *choices_.insert(face, chosen);
}

QString FontTable::familyFor(const QString& face) const { return choice(face).family; }

std::vector<FacePiece> FontTable::pieces(const QString& face, const QString& text) const
{
    const Choice& c = choice(face);
    if (c.latinFamily.isEmpty()) return {{text, c.family}};
    std::vector<FacePiece> result;
    for (qsizetype i = 0; i < text.size();) {
        const bool latin = isLatin(text.at(i));
        qsizetype end = i + 1;
        while (end < text.size() && isLatin(text.at(end)) == latin) ++end;
        result.push_back({text.mid(i, end - i), latin ? c.latinFamily : c.family});
        i = end;
    }
    return result;
}

QFont FontTable::familyFont(const QString& family, double pixelSize, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(pixelSize * 72.0 / 96.0);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

const FontTable::Entry& FontTable::entry(const QString& family, double pixelSize, bool bold, bool italic) const
{
    // Every measurement comes through here: a plain key, no number formatting.
    const EntryKey key{family, pixelSize, bold, italic};
    auto it = entries_.constFind(key);
    if (it != entries_.constEnd()) return **it;
    auto e = std::make_shared<Entry>(familyFont(family, pixelSize, bold, italic));
    return **entries_.insert(key, e);
}

double FontTable::advance(const QString& family, double pixelSize, bool bold, bool italic, const QString& text) const
{
    const Entry& e = entry(family, pixelSize, bold, italic);
    auto it = e.widths.constFind(text);
    if (it == e.widths.constEnd()) it = e.widths.insert(text, e.metrics.horizontalAdvance(text));
    return *it;
}

const FontTable::FaceEntry& FontTable::faceEntry(const QString& face, double pixelSize, bool bold, bool italic) const
{
    // Measuring is the page scripts' inner loop: one lookup for the face, one for the text.
    const EntryKey key{face, pixelSize, bold, italic};
    if (lastFace_ && key == lastFaceKey_) return *lastFace_;
    auto it = faceEntries_.constFind(key);
    if (it == faceEntries_.constEnd()) {
        const Choice& c = choice(face);
        const Entry& e = entry(c.family, pixelSize, bold, italic);
        auto fe = std::make_shared<FaceEntry>();
        fe->family = c.family;
        fe->cell = e.cell;
        double ascentEm = 0, descentEm = 0;
        if (c.boundingBoxCell && boundingBoxEm(e.font, ascentEm, descentEm))
            fe->cell = {ascentEm * pixelSize, descentEm * pixelSize};
        it = faceEntries_.insert(key, fe);
    }
    lastFaceKey_ = key;
    lastFace_ = it->get();
    return *lastFace_;
}

double FontTable::width(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const
{
    const FaceEntry& fe = faceEntry(face, pixelSize, bold, italic);
    auto it = fe.widths.constFind(text);
    if (it != fe.widths.constEnd()) return *it;
    double sum = 0;
    for (const FacePiece& piece : pieces(face, text)) sum += advance(piece.family, pixelSize, bold, italic, piece.text);
    return *fe.widths.insert(text, sum);
}

FaceMetrics FontTable::metrics(const QString& face, double pixelSize, bool bold, bool italic) const
{
    return faceEntry(face, pixelSize, bold, italic).cell;
}

FontTable::Run FontTable::run(const QString& face, double pixelSize, bool bold, bool italic, const QString& text) const
{
    const FaceEntry& fe = faceEntry(face, pixelSize, bold, italic);
    return {fe.family, fe.cell.ascent, width(face, pixelSize, bold, italic, text)};
}

FontTable& FontTable::current()
{
    auto& table = currentTable();
    if (!table) table = std::make_shared<FontTable>();
    return *table;
}

void FontTable::setCurrent(std::shared_ptr<FontTable> table) { currentTable() = std::move(table); }
