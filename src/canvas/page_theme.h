#pragma once
// The colours a page is shown in on screen. Light is the page as it was designed; Dark and
// Sepia put it on another paper and show every colour of the page in its own hue, lighter
// or darker as that paper needs to keep it readable. Paper, print and files are always Light.
#include <QRgb>
#include <functional>

enum class PageTheme { Light, Dark, Sepia };

// The paper the page is drawn on and the colour its black text takes.
QRgb themePaper(PageTheme theme);
QRgb themeText(PageTheme theme);

// The colour a fraction `t` of the way from `from` to `to`, channel by channel: a shade
// between a theme's paper and its ink.
QRgb mixed(QRgb from, QRgb to, double t);

// The colour `colour` of a page is shown in under `theme`: the page's own paper becomes the
// theme's paper, its black the theme's text, a grey the shade between them; a colour keeps
// its hue and saturation, and its lightness moves away from the paper only as far as a
// contrast of at least `readableContrast` against it takes. Light leaves every colour alone.
QRgb themedColour(PageTheme theme, QRgb colour);
// The same as a map for painting, each colour worked out once; none for Light, which
// paints the page's own colours.
std::function<QRgb(QRgb)> themedColours(PageTheme theme);

// WCAG's contrast ratio for ordinary text.
constexpr double readableContrast = 4.5;
double contrastRatio(QRgb a, QRgb b);
