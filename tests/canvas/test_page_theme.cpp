// The page's colours under Dark and Sepia: every colour any page draws, in either view,
// stays in its hue and reads against the theme's paper at WCAG's contrast for text, worked
// out here from WCAG's own definitions rather than the program's.
#include "canvas/page_theme.h"
#include "fixture.h"

#include <QtTest>
#include <cmath>
#include <set>

namespace {

// WCAG 2.x relative luminance: sRGB channels linearised, weighted by the eye's response.
double relativeLuminance(QRgb c)
{
    const auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

double wcagContrast(QRgb a, QRgb b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The hue in degrees from the largest and smallest channel, as HSV and HSL both define it;
// -1 for a grey.
double hueOf(QRgb c)
{
    const double r = qRed(c), g = qGreen(c), b = qBlue(c);
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b}), range = hi - lo;
    if (range == 0) return -1;
    double h = hi == r ? (g - b) / range : hi == g ? 2 + (b - r) / range : 4 + (r - g) / range;
    h *= 60;
    return h < 0 ? h + 360 : h;
}

double hueDistance(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// Every colour any page of the registry draws with, on screen or in the print view.
std::set<QRgb> pageColours()
{
    std::set<QRgb> colours;
    for (const PageEntry& page : pageRegistry())
        for (bool printView : {false, true})
            for (const DrawOp& op : pageOps(QLatin1String(page.id), printView)) colours.insert(op.color);
    return colours;
}

QString named(QRgb c) { return QColor(c).name(); }

}  // namespace

class PageThemeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void thePagesDrawInTheColoursThisTestExpectsToFind()
    {
        // Read off the golden traces: black text, the blue heading, grey, magenta and a green
        // box. Should a page gain a colour, the tests below take it in by themselves.
        const std::set<QRgb> colours = pageColours();
        for (QRgb expected : {qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(128, 128, 128), qRgb(255, 0, 255), qRgb(0, 200, 0)})
            QVERIFY2(colours.count(expected), qPrintable(named(expected)));
    }

    void lightLeavesEveryColourAsThePageDrewIt()
    {
        QVERIFY(!themedColours(PageTheme::Light));
        for (QRgb c : pageColours()) QCOMPARE(named(themedColour(PageTheme::Light, c)), named(c));
        QCOMPARE(named(themedColour(PageTheme::Light, loadedForm().pic.background())), named(qRgb(240, 240, 240)));
    }

    void everyColourReadsAgainstTheThemesPaperInItsOwnHue_data()
    {
        QTest::addColumn<int>("theme");
        QTest::newRow("dark") << int(PageTheme::Dark);
        QTest::newRow("sepia") << int(PageTheme::Sepia);
    }
    void everyColourReadsAgainstTheThemesPaperInItsOwnHue()
    {
        QFETCH(int, theme);
        const auto map = themedColours(PageTheme(theme));
        QVERIFY(map);
        const QRgb paper = map(loadedForm().pic.background());
        for (QRgb c : pageColours()) {
            const QRgb shown = map(c);
            QCOMPARE(named(shown), named(themedColour(PageTheme(theme), c)));
            const QByteArray what = (named(c) + QStringLiteral(" shown as ") + named(shown)).toUtf8();
            QVERIFY2(wcagContrast(shown, paper) >= 4.5, what.constData());
            // 8-bit channels move a hue by a degree or two at most.
            if (hueOf(c) >= 0) QVERIFY2(hueDistance(hueOf(shown), hueOf(c)) <= 2, what.constData());
        }
    }

    void darkIsALightInkOnADarkGreyPaperNotAnInversion()
    {
        const QRgb paper = themedColour(PageTheme::Dark, loadedForm().pic.background());
        // Dark grey: darker than any ink, yet not black.
        QVERIFY(relativeLuminance(paper) < 0.03 && paper != qRgb(0, 0, 0));
        QVERIFY(hueOf(paper) < 0);
        const QRgb text = themedColour(PageTheme::Dark, qRgb(0, 0, 0));
        QVERIFY(relativeLuminance(text) > 0.6 && hueOf(text) < 0);
        // An inversion would turn the blue heading yellow; it stays blue, lighter.
        const QRgb heading = themedColour(PageTheme::Dark, qRgb(0, 0, 255));
        QVERIFY2(hueDistance(hueOf(heading), 240) <= 2 && relativeLuminance(heading) > relativeLuminance(qRgb(0, 0, 255)),
                 qPrintable(named(heading)));
        // A colour already readable on the dark paper is left as it is.
        QCOMPARE(named(themedColour(PageTheme::Dark, qRgb(0, 200, 0))), named(qRgb(0, 200, 0)));
        // Grey stays between the ink and the paper.
        const QRgb grey = themedColour(PageTheme::Dark, qRgb(128, 128, 128));
        QVERIFY(relativeLuminance(grey) < relativeLuminance(text) && relativeLuminance(grey) > relativeLuminance(paper));
    }

    void sepiaIsADarkBrownInkOnAWarmPaper()
    {
        const QRgb paper = themedColour(PageTheme::Sepia, loadedForm().pic.background());
        const QRgb text = themedColour(PageTheme::Sepia, qRgb(0, 0, 0));
        // Warm: red over green over blue, a hue between red and yellow, for both.
        for (QRgb c : {paper, text}) {
            QVERIFY2(qRed(c) > qGreen(c) && qGreen(c) > qBlue(c), qPrintable(named(c)));
            QVERIFY(hueOf(c) > 15 && hueOf(c) < 50);
        }
        QVERIFY(relativeLuminance(paper) > 0.7 && relativeLuminance(text) < 0.1);
        // Magenta, too light for this paper, darkens in its hue.
        const QRgb magenta = themedColour(PageTheme::Sepia, qRgb(255, 0, 255));
        QVERIFY(relativeLuminance(magenta) < relativeLuminance(qRgb(255, 0, 255)));
    }
};

QTEST_MAIN(PageThemeTest)
#include "test_page_theme.moc"
