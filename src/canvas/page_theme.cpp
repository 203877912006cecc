#include "page_theme.h"

#include <QColor>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {
// The page's own background, &HF0F0F0: the paper every theme replaces.
constexpr QRgb lightPaper = qRgb(0xF0, 0xF0, 0xF0);
// A dark grey rather than black, and an off-white rather than white: full black against full
// white glares, and text on it seems to swim.
constexpr QRgb darkPaper = qRgb(0x20, 0x20, 0x20);
constexpr QRgb darkText = qRgb(0xE0, 0xE0, 0xE0);
// Aged paper and a dark brown ink, as sepia reading modes commonly have them; the ink dark
// enough that the faintest anti-aliased edges of the glyphs still show, as on the light page.
constexpr QRgb sepiaPaper = qRgb(0xF4, 0xEC, 0xD8);
constexpr QRgb sepiaText = qRgb(0x43, 0x30, 0x22);
// Bisections of the lightness: past this many the colour no longer changes in 8 bits.
constexpr int lightnessSteps = 24;

// sRGB's transfer function undone, as WCAG defines relative luminance.
double linear(int channel)
{
    const double s = channel / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double luminance(QRgb c) { return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c)); }

// `colour` in its own hue and saturation at the lightness nearest its own whose contrast
// against `paper` is readable: lighter on a dark paper, darker on a light one.
QRgb readableOn(QRgb paper, QRgb colour)
{
    if (contrastRatio(colour, paper) >= readableContrast) return colour;
    const QColor hsl = QColor(colour).toHsl();
    const double hue = std::max(0.0, double(hsl.hslHueF()));  // a grey has none
    const double saturation = hsl.hslSaturationF();
    const auto at = [&](double lightness) { return QColor::fromHslF(hue, saturation, lightness).rgb(); };
    const bool lighten = contrastRatio(qRgb(255, 255, 255), paper) > contrastRatio(qRgb(0, 0, 0), paper);
    // White and black are readable on any paper these themes have.
    double failing = hsl.lightnessF();
    double passing = lighten ? 1.0 : 0.0;
    for (int i = 0; i < lightnessSteps; ++i) {
        const double middle = (failing + passing) / 2;
        (contrastRatio(at(middle), paper) >= readableContrast ? passing : failing) = middle;
    }
    return at(passing);
}

bool isGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }
}  // namespace

QRgb themePaper(PageTheme theme)
{
    switch (theme) {
    case PageTheme::Light: return lightPaper;
    case PageTheme::Dark: return darkPaper;
    case PageTheme::Sepia: return sepiaPaper;
    }
    return lightPaper;
}

QRgb themeText(PageTheme theme)
{
    switch (theme) {
    case PageTheme::Light: return qRgb(0, 0, 0);
    case PageTheme::Dark: return darkText;
    case PageTheme::Sepia: return sepiaText;
    }
    return qRgb(0, 0, 0);
}

QRgb mixed(QRgb from, QRgb to, double t)
{
    const auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)), channel(qBlue(from), qBlue(to)));
}

double contrastRatio(QRgb a, QRgb b)
{
    // The 0.05 stands for the light a screen reflects, as WCAG has it.
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb themedColour(PageTheme theme, QRgb colour)
{
    if (theme == PageTheme::Light) return colour;
    const QRgb paper = themePaper(theme);
    if (!isGrey(colour)) return readableOn(paper, colour);
    // Greys are shades between the page's black and its paper, and stay so on the theme's.
    const int shade = qRed(colour);
    if (shade >= qRed(lightPaper)) return paper;
    return readableOn(paper, mixed(themeText(theme), paper, double(shade) / qRed(lightPaper)));
}

std::function<QRgb(QRgb)> themedColours(PageTheme theme)
{
    if (theme == PageTheme::Light) return nullptr;
    // A page has a handful of colours and is painted often: the bisection runs once a colour.
    auto known = std::make_shared<QHash<QRgb, QRgb>>();
    return [theme, known](QRgb colour) {
        const auto found = known->constFind(colour);
        if (found != known->constEnd()) return *found;
        return *known->insert(colour, themedColour(theme, colour));
    };
}
