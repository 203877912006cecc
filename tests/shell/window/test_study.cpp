// Study mode: a solution's steps, revealing and hiding them, the progress kept in the
// settings, the problem last studied opened again, and zoomed reading by keys and wheel.
#include "canvas/solution_steps.h"
#include "fixture.h"
#include "shown_window.h"
#include "offscreen_screens.h"
#include "shell/window/main_window.h"
#include "shell/window/page_area.h"
#include "shell/window/page_view.h"
#include "shell/window/study_controller.h"
#include "shell/window/window_actions.h"
#include "shell/window/zoom_controller.h"

#include <QAccessible>
#include <QAction>
#include <QListWidget>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <set>

namespace {

const QStringList ids = listedIds();

QString settingsPath(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("velkora.conf")); }

// The screen image of the view as it paints now.
QImage viewImage(PageView* view) { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class StepsTest : public QObject {
    Q_OBJECT

private slots:
    void stepsFollowTheRowsOfTheSolution_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("steps");
        // Counted on the page images: the "[解 …]" row, then each row of the solution as
        // it stands on the page. 1.8a: the heading row with its note and u_x = ∂u/∂x; the
        // determinants of (1.38b); "これが略記で…"; [右辺] = the 2×2 determinant of sums;
        // "両辺を展開して…"; "行列式の多重線形性を用いる："; the identity of determinants;
        // "これを使って…"; [右辺] = the four determinants; "第１項と第４項は…";
        // [右辺] = (f_x g_y − f_y g_x)|…|; "これをまとめると…": 12.
        QTest::newRow("1.8a") << "1.8a" << 12;
        // 5.5: the heading row; (x − t)∑… = (1 − 2tx + t²)∑…; the row of five sums;
        // "ここで t のべきが…"; the row of sums shifted; "両辺の tⁿ の係数を…"; the
        // three-term recurrence: 7.
        QTest::newRow("5.5") << "5.5" << 7;
        // 7.11: the heading row with its change of variable; I₃ = (b − a)^{p+q+1}∫…;
        // = …B(p+1, q+1); = …Γ(p+1)Γ(q+1)/Γ(p+q+2), its denominator drawn under it: 4.
        QTest::newRow("7.11") << "7.11" << 4;
    }
    void stepsFollowTheRowsOfTheSolution()
    {
        QFETCH(QString, id);
        QFETCH(int, steps);
        const Surface page = pageSurface(id);
        QCOMPARE(SolutionSteps(page.displayList()).count(), steps);
    }

    void theStatementShowsAndNoFormulaIsSplit()
    {
        for (const QString& id : ids) {
            const Surface page = pageSurface(id);
            const SolutionSteps steps(page.displayList());
            // Every page's solution opens with "[解 ID]", a colon or spaces after it on most.
            const auto heading = std::find_if(page.ops().begin(), page.ops().end(), [&](const DrawOp& op) {
                return op.kind == DrawOp::Text && op.text.startsWith(QStringLiteral("[解 ") + id + QStringLiteral("]"));
            });
            const int first = int(heading - page.ops().begin());
            QVERIFY2(first > 0 && first < int(page.ops().size()), qPrintable(id));
            for (int op = 0; op < first; ++op) QCOMPARE(steps.stepOf(op), 0);
            QCOMPARE(steps.stepOf(first), 1);
            for (const FormulaSpan& span : page.formulas())
                for (int op = span.first; op <= span.last; ++op) QCOMPARE(steps.stepOf(op), steps.stepOf(span.first));
            // Steps come in drawing order of their rows, none empty.
            std::set<int> seen;
            for (int op = first; op < int(page.ops().size()); ++op) seen.insert(steps.stepOf(op));
            QCOMPARE(int(seen.size()), steps.count());
            QCOMPARE(*seen.rbegin(), steps.count());
        }
    }

    // A formula shows with the earliest step any of its pieces belongs to: here its first
    // piece starts a row of its own, and its second goes back into the heading's row.
    void aFormulaShowsWithItsEarliestPiece()
    {
        auto text = [](const char* t, double y) {
            DrawOp op;
            op.text = QString::fromUtf8(t);
            op.y = y;
            op.ascent = 15;
            return op;
        };
        const std::vector<DrawOp> ops{text("[解 1.1]", 10), text("a", 40), text("b", 12)};
        const std::vector<FormulaSpan> formulas{{1, 2, QStringLiteral("ab")}};
        const std::vector<int> rows{1, 2};
        const SolutionSteps steps(DisplayList{ops, formulas, rows});
        QCOMPARE(steps.count(), 1);
        QCOMPARE(steps.stepOf(1), 1);
        QCOMPARE(steps.stepOf(2), 1);
    }

    void aNumeratorDrawnLaterBelongsToItsRow()
    {
        // 7.11's last row: the Γ fraction's numerator and denominator are on the row of
        // "= (b − a)^{p+q+1}", and none of it shows before that row does.
        const Surface page = pageSurface(QStringLiteral("7.11"));
        const SolutionSteps steps(page.displayList());
        for (int op = 0; op < int(page.ops().size()); ++op)
            if (page.ops()[size_t(op)].kind == DrawOp::Text && page.ops()[size_t(op)].text.contains(QChar(0x0393)))
                QCOMPARE(steps.stepOf(op), 4);
    }
};

class StudyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void revealingPaintsOnlyTheStepsShown()
    {
        ShownWindow shown;
        shown.open(QStringLiteral("7.11"));
        PageView* view = shown.window.pageView();
        const QImage whole = viewImage(view);
        shown.press(Qt::Key_F2);
        QVERIFY(view->studying());
        QCOMPARE(view->revealed(), 0);
        const QImage statementOnly = viewImage(view);
        QVERIFY(statementOnly != whole);
        QCOMPARE(view->size(), whole.size() / view->devicePixelRatioF());
        // Every operation paints where the whole page paints it: with every step
        // revealed the image is the page's.
        shown.press(Qt::Key_Right);
        shown.press(Qt::Key_Space);
        QCOMPARE(view->revealed(), 2);
        shown.press(Qt::Key_Left);
        QCOMPARE(view->revealed(), 1);
        shown.press(Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(view->revealed(), 0);
        QCOMPARE(viewImage(view), statementOnly);
        shown.press(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(view->revealed(), 4);
        QCOMPARE(viewImage(view), whole);
        // The statement's rows are the page's above the solution's heading.
        const DrawOp& heading = view->surface().ops()[size_t(indexOf(view->surface().ops(), QStringLiteral("[解 7.11]：")))];
        const int headingTop = int(heading.y * view->pageScale() * view->devicePixelRatioF());
        QCOMPARE(statementOnly.copy(0, 0, statementOnly.width(), headingTop),
                 whole.copy(0, 0, whole.width(), headingTop));
    }

    void keysNeverPrintAndCtrlSpaceIsLeftAlone()
    {
        ShownWindow shown;
        int printed = 0;
        shown.window.form().onPrint = [&](const Surface&) { ++printed; };
        shown.press(Qt::Key_F2);
        shown.window.list()->setCurrentRow(shown.window.list()->count() - 1);
        printed = 0;
        for (int key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Left}) shown.press(key);
        shown.press(Qt::Key_Right, Qt::ControlModifier);
        shown.press(Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(printed, 0);
        const int revealed = shown.window.pageView()->revealed();
        shown.press(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(shown.window.pageView()->revealed(), revealed);
    }

    void aNewPageStartsHiddenAndTheNameSaysWhere()
    {
        ShownWindow shown;
        shown.press(Qt::Key_F2);
        shown.press(Qt::Key_Right);
        shown.open(QStringLiteral("5.5"));
        PageView* view = shown.window.pageView();
        QCOMPARE(view->revealed(), 0);
        for (int i = 0; i < 3; ++i) shown.press(Qt::Key_Right);
        QCOMPARE(shown.window.pageArea()->stepBadge(), QStringLiteral("3 / 7"));
        shown.window.zoom()->setZoom(1.5);
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(view);
        // The heading's line reads "[問題 5.5]　p. 84.": the name starts with it.
        const QString heading = QStringLiteral("[問題 5.5]　p. 84.");
        QCOMPARE(page->text(QAccessible::Name), heading + QStringLiteral(" — 3 / 7 — 150 %"));
        shown.press(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(shown.window.pageArea()->stepBadge(), QString());
        QCOMPARE(page->text(QAccessible::Name), heading + QStringLiteral(" — 150 %"));
        shown.window.zoom()->reset();
        QCOMPARE(page->text(QAccessible::Name), heading);
    }

    void progressSurvivesARestart()
    {
        QTemporaryDir dir;
        {
            QSettings settings(settingsPath(dir), QSettings::IniFormat);
            ShownWindow shown(&settings);
            QCOMPARE(shown.window.list()->item(0)->icon().isNull(), true);
            shown.press(Qt::Key_F2);
            shown.open(QStringLiteral("5.5"));
            shown.press(Qt::Key_Right, Qt::ControlModifier);
            shown.open(QStringLiteral("7.11"));
            shown.press(Qt::Key_D, Qt::ControlModifier);
            shown.open(QStringLiteral("1.8"));
            shown.window.zoom()->setZoom(2.0);
            shown.press(Qt::Key_PageDown);
            QVERIFY(shown.window.pageArea()->verticalScrollBar()->value() > 0);
            QTest::qWait(700);  // the place is written once scrolling rests
        }
        QSettings settings(settingsPath(dir), QSettings::IniFormat);
        ShownWindow again(&settings);
        StudyController* study = again.window.study();
        QVERIFY(study->on());
        QCOMPARE(study->progress(QStringLiteral("5.5")), Progress::AllRevealed);
        QCOMPARE(study->progress(QStringLiteral("7.11")), Progress::Understood);
        QCOMPARE(study->progress(QStringLiteral("1.8")), Progress::Opened);
        QCOMPARE(study->progress(QStringLiteral("3.2")), Progress::NotOpened);
        QCOMPARE(again.window.list()->currentRow(), int(ids.indexOf(QStringLiteral("1.8"))));
        QCOMPARE(again.window.form().currentId(), QStringLiteral("1.8"));
        QCOMPARE(again.window.zoom()->zoom(), 2.0);
        QVERIFY(again.window.pageArea()->verticalScrollBar()->value() > 0);
        QListWidgetItem* entry = again.window.list()->item(int(ids.indexOf(QStringLiteral("7.11"))));
        QCOMPARE(entry->text(), QStringLiteral("[問題 7.11]"));
        QVERIFY(!entry->icon().isNull());
        QCOMPARE(entry->data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("understood"));
        // Ctrl+D takes it back; off, the list is as it always was and start-up opens entry 0.
        again.open(QStringLiteral("7.11"));
        again.press(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(study->progress(QStringLiteral("7.11")), Progress::Opened);
        again.press(Qt::Key_F2);
        QVERIFY(entry->icon().isNull());
        ShownWindow off(&settings);
        QCOMPARE(off.window.list()->currentRow(), 0);
        QCOMPARE(off.window.form().currentId(), QStringLiteral("1.8a"));
    }

    void unsoundOrNewerValuesAreIgnoredAndKept()
    {
        QTemporaryDir dir;
        {
            QSettings settings(settingsPath(dir), QSettings::IniFormat);
            settings.setValue(QStringLiteral("study/on"), QStringLiteral("true"));
            settings.setValue(QStringLiteral("study/last"), QStringLiteral("9.99"));
            settings.setValue(QStringLiteral("study/scroll"), QPointF(7, -1));
            settings.setValue(QStringLiteral("progress/5.5"), 9);  // a state of a later version
            settings.setValue(QStringLiteral("progress/1.8"), QStringLiteral("half"));
            settings.setValue(QStringLiteral("progress/9.99"), 3);  // a problem this version lacks
            settings.setValue(QStringLiteral("study/colour"), QStringLiteral("sepia"));
        }
        QSettings settings(settingsPath(dir), QSettings::IniFormat);
        ShownWindow shown(&settings);
        QVERIFY(shown.window.study()->on());
        QCOMPARE(shown.window.form().currentId(), QStringLiteral("1.8a"));
        QCOMPARE(shown.window.study()->progress(QStringLiteral("5.5")), Progress::NotOpened);
        QCOMPARE(shown.window.study()->progress(QStringLiteral("1.8")), Progress::NotOpened);
        QCOMPARE(shown.window.pageArea()->verticalScrollBar()->value(), 0);
        shown.open(QStringLiteral("5.5"));
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("progress/5.5")).toInt(), int(Progress::Opened));
        QCOMPARE(settings.value(QStringLiteral("progress/9.99")).toInt(), 3);
        QCOMPARE(settings.value(QStringLiteral("study/colour")).toString(), QStringLiteral("sepia"));
    }
};

class ZoomedReadingTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlWheelKeepsThePointUnderTheCursor()
    {
        ShownWindow shown;
        shown.window.zoom()->setZoom(2.0);
        QWidget* viewport = shown.window.pageArea()->viewport();
        PageView* view = shown.window.pageView();
        const QPoint cursor(200, 150);
        const QPointF before = QPointF(view->mapFrom(viewport, cursor)) / view->pageScale();
        QWheelEvent wheel(cursor, viewport->mapToGlobal(cursor), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QCOMPARE(shown.window.zoom()->zoom(), 2.5);
        const QPointF after = QPointF(view->mapFrom(viewport, cursor)) / view->pageScale();
        // Within a pixel of the view: the scroll bars move in whole pixels.
        QVERIFY2((after - before).manhattanLength() * view->pageScale() <= 2,
                 qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
        QCOMPARE(shown.window.pageArea()->zoomBadge(), QStringLiteral("250 %"));
    }

    void pageKeysScrollAndANewPageStartsTopLeft()
    {
        ShownWindow shown;
        shown.window.zoom()->setZoom(3.0);
        QScrollBar* down = shown.window.pageArea()->verticalScrollBar();
        QScrollBar* across = shown.window.pageArea()->horizontalScrollBar();
        const int row = shown.window.list()->currentRow();
        shown.press(Qt::Key_PageDown);
        shown.press(Qt::Key_PageDown, Qt::ShiftModifier);
        const int room = shown.window.pageArea()->viewport()->height();
        QVERIFY(down->value() > room / 2 && down->value() < room);
        QVERIFY(across->value() > 0);
        QCOMPARE(shown.window.list()->currentRow(), row);
        shown.press(Qt::Key_PageUp);
        QCOMPARE(down->value(), 0);
        shown.press(Qt::Key_PageDown);
        shown.press(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(shown.window.list()->currentRow(), row + 1);
        QCOMPARE(down->value(), 0);
        QCOMPARE(across->value(), 0);
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreens();
    QApplication app(argc, argv);
    int status = 0;
    StepsTest steps;
    status |= QTest::qExec(&steps, argc, argv);
    StudyWindowTest window;
    status |= QTest::qExec(&window, argc, argv);
    ZoomedReadingTest zoom;
    status |= QTest::qExec(&zoom, argc, argv);
    return status;
}

#include "test_study.moc"
