// The page's colours as the reader chooses them: every page under Dark and Sepia is the
// light page in other colours and nothing else, the find marks and the selection read in
// every theme, the choice outlives the window and a value the program does not know is
// neither used nor lost.
#include "canvas/page_theme.h"
#include "fixture.h"
#include "ink_compare.h"
#include "shown_window.h"
#include "shell/window/page_area.h"
#include "shell/window/theme_controller.h"
#include "shell/window/zoom_controller.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <map>

namespace {

const QStringList ids = listedIds();

QImage viewImage(PageView* view) { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The paper is what most of a page is.
QRgb paperOf(const QImage& image)
{
    std::map<QRgb, int> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++seen[image.pixel(x, y) & RGB_MASK];
    return std::max_element(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// WCAG 2.x: relative luminance of the linearised sRGB channels, and the ratio of two.
double wcagContrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto lin = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most of a rectangle of the image is, and the one that stands out of it most.
std::pair<QRgb, QRgb> groundAndInk(const QImage& image, const QRect& area)
{
    const QRgb ground = paperOf(image.copy(area));
    QRgb ink = ground;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (wcagContrast(image.pixel(x, y), ground) > wcagContrast(ink, ground)) ink = image.pixel(x, y) & RGB_MASK;
    return {ground, ink};
}

void choose(ShownWindow& shown, ThemeChoice choice)
{
    shown.window.theme()->choose(choice);
    QCoreApplication::processEvents();
}

}  // namespace

class ThemesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageIsTheLightPageInOtherColours_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<double>("zoom");
        QTest::newRow("dark") << int(ThemeChoice::Dark) << 1.0;
        QTest::newRow("sepia") << int(ThemeChoice::Sepia) << 1.0;
        QTest::newRow("dark, zoomed") << int(ThemeChoice::Dark) << 2.0;
    }
    void everyPageIsTheLightPageInOtherColours()
    {
        QFETCH(int, choice);
        QFETCH(double, zoom);
        ShownWindow shown;
        shown.window.zoom()->setZoom(zoom);
        for (const QString& id : ids) {
            shown.open(id);
            choose(shown, ThemeChoice::Light);
            const QImage light = viewImage(shown.window.pageView());
            choose(shown, ThemeChoice(choice));
            const QImage themed = viewImage(shown.window.pageView());
            QCOMPARE(themed.size(), light.size());
            const QRgb lightPaper = paperOf(light), themedPaper = paperOf(themed);
            QVERIFY2(themedPaper != lightPaper, qPrintable(id));
            // Ink is whatever is not paper. Anti-aliased edges may fade into the paper in one
            // image and not in the other: a few, never a shape.
            qint64 ink = 0, differing = 0;
            for (int y = 0; y < light.height(); ++y)
                for (int x = 0; x < light.width(); ++x) {
                    const bool inkInLight = (light.pixel(x, y) & RGB_MASK) != lightPaper;
                    const bool inkThemed = (themed.pixel(x, y) & RGB_MASK) != themedPaper;
                    ink += inkInLight;
                    differing += inkInLight != inkThemed;
                }
            QVERIFY2(ink > 1000, qPrintable(id));
            QVERIFY2(differing * 200 <= ink,
                     qPrintable(QStringLiteral("%1: %2 of %3 ink pixels differ").arg(id).arg(differing).arg(ink)));
        }
    }

    void marksAndTheSelectionReadInEveryTheme_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("light") << int(ThemeChoice::Light);
        QTest::newRow("dark") << int(ThemeChoice::Dark);
        QTest::newRow("sepia") << int(ThemeChoice::Sepia);
    }
    void marksAndTheSelectionReadInEveryTheme()
    {
        QFETCH(int, choice);
        ShownWindow shown;
        shown.open(QStringLiteral("5.5"));
        choose(shown, ThemeChoice(choice));
        PageView* view = shown.window.pageView();
        const QRgb paper = paperOf(viewImage(view));
        // A word of the prose, marked as find marks it, then the same word selected.
        view->markTerm(QStringLiteral("係数"));
        QVERIFY(!view->marks().empty());
        const QRectF onPage = view->marks().front();
        const QRect marked = QRectF(onPage.topLeft() * view->pageScale(), onPage.size() * view->pageScale())
                                 .toAlignedRect()
                                 .adjusted(1, 1, -1, -1);
        const auto [markGround, markInk] = groundAndInk(viewImage(view), marked);
        view->markTerm(QString());
        QTest::mousePress(view, Qt::LeftButton, {}, marked.topLeft() + QPoint(2, 2));
        QTest::mouseRelease(view, Qt::LeftButton, {}, marked.bottomRight() - QPoint(2, 2));
        QVERIFY(!view->selection().empty());
        const auto [selectedGround, selectedInk] = groundAndInk(viewImage(view), marked);
        for (const auto& [ground, ink, what] : {std::tuple(markGround, markInk, "mark"), std::tuple(selectedGround, selectedInk, "selection")}) {
            // Told from the paper about as well as on the light page (where the yellow and the
            // blue stand 1.3 : 1 off it), and the text on it as readable as on the paper.
            QVERIFY2(wcagContrast(ground, paper) >= 1.25,
                     qPrintable(QStringLiteral("%1: %2 on %3").arg(what, QColor(ground).name(), QColor(paper).name())));
            QVERIFY2(wcagContrast(ink, ground) >= 4.5,
                     qPrintable(QStringLiteral("%1: %2 on %3").arg(what, QColor(ink).name(), QColor(ground).name())));
        }
    }

    // Light is the window as it always was, also after another theme.
    void lightAfterAnotherThemeIsTheWindowAsItOpened()
    {
        ShownWindow shown;
        const QImage opened = shown.window.grab().toImage();
        QListWidget* list = shown.window.list();
        const QRect lastEntry = list->visualItemRect(list->item(list->count() - 1));
        for (ThemeChoice other : {ThemeChoice::Dark, ThemeChoice::Sepia}) {
            choose(shown, other);
            QVERIFY(shown.window.grab().toImage() != opened);
            // Other colours, the same window: the list's entries are where they were.
            QCOMPARE(list->visualItemRect(list->item(list->count() - 1)), lastEntry);
            choose(shown, ThemeChoice::Light);
            const QImage again = shown.window.grab().toImage();
            QVERIFY2(again == opened, qPrintable(keepForInspection(again, QStringLiteral("light-again"))));
        }
    }

    void printingSavingAndCopyingTakeThePageAsDesigned()
    {
        ShownWindow shown;
        choose(shown, ThemeChoice::Dark);
        // What Ctrl+C's image, Save, the print item and the preview draw from: the page's own colours.
        const QImage page = shown.window.pageView()->surface().toImage(1);
        QCOMPARE(QColor(paperOf(page)).name(), QStringLiteral("#f0f0f0"));
        QCOMPARE(describe(shown.window.pageView()->surface().ops()), describe(pageOps(shown.window.form().currentId())));
    }

    void theChoiceOutlivesTheWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("velkora.conf"));
        {
            QSettings settings(path, QSettings::IniFormat);
            ShownWindow shown(&settings);
            QCOMPARE(QColor(paperOf(viewImage(shown.window.pageView()))).name(), QStringLiteral("#f0f0f0"));
            shown.action("themeSepia")->trigger();
        }
        QSettings settings(path, QSettings::IniFormat);
        ShownWindow shown(&settings);
        QCOMPARE(shown.window.theme()->choice(), ThemeChoice::Sepia);
        QVERIFY(shown.action("themeSepia")->isChecked() && !shown.action("themeLight")->isChecked());
        QCOMPARE(QColor(paperOf(viewImage(shown.window.pageView()))).name(), QColor(themePaper(PageTheme::Sepia)).name());
    }

    void aChoiceThisProgramDoesNotKnowIsIgnoredAndKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("velkora.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[view]\ntheme=purple\n");
        file.close();
        {
            QSettings settings(path, QSettings::IniFormat);
            ShownWindow shown(&settings);
            QCOMPARE(shown.window.theme()->choice(), ThemeChoice::Light);
            QVERIFY(shown.action("themeLight")->isChecked());
            QCOMPARE(QColor(paperOf(viewImage(shown.window.pageView()))).name(), QStringLiteral("#f0f0f0"));
            // Something else is saved: the value stays for a later version that knows it.
            shown.window.zoom()->setZoom(2);
        }
        QVERIFY(contentsOf(path).contains("theme=purple"));
        QVERIFY(contentsOf(path).contains("zoom=2"));
    }
};

QTEST_MAIN(ThemesTest)
#include "test_themes.moc"
