// The Symbol face's meanings.
#include "canvas/symbol_encoding.h"
#include "fixture.h"
#include "shell/dispatch.h"

#include <QApplication>
#include <QtTest>

namespace {

QStringList allPages()
{
    QStringList ids;
    for (const PageEntry& e : dispatchTable()) ids << QLatin1String(e.id);
    return ids;
}

}  // namespace

class PageTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { loadedForm(); }

    void symbolCodesReadAsWhatTheyDraw_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("meaning");
        const std::pair<int, const char*> table[] = {
            {'a', "α"}, {'b', "β"}, {'q', "θ"}, {'j', "ϕ"}, {'f', "φ"}, {'p', "π"}, {'w', "ω"},
            {'d', "δ"}, {'e', "ε"}, {'k', "κ"}, {'l', "λ"}, {'B', "Β"}, {'G', "Γ"}, {'S', "Σ"},
            {182, "∂"}, {214, "√"}, {229, "Σ"}, {162, "′"}, {165, "∞"}, {'-', "−"},
            // A tall sign reads as one sign, on its top piece.
            {243, "∫"}, {245, ""}, {230, "("}, {232, ""}, {246, ")"}, {248, ""},
            {233, "["}, {235, ""}, {249, "]"}, {251, ""},
        };
        for (const auto& [code, meaning] : table)
            QTest::newRow(qPrintable(QString::number(code))) << code << QString::fromUtf8(meaning);
    }

    void symbolCodesReadAsWhatTheyDraw()
    {
        QFETCH(int, code);
        QFETCH(QString, meaning);
        QCOMPARE(symbolMeaning(QChar(code)), meaning);
        QCOMPARE(meaningOf(QStringLiteral("Symbol"), QString(QChar(code))), meaning);
    }

    void otherFacesReadAsDrawn()
    {
        QCOMPARE(meaningOf(QStringLiteral("Times New Roman"), QStringLiteral("q")), QStringLiteral("q"));
        QCOMPARE(meaningOf(QStringLiteral("メイリオ"), QStringLiteral("θ の¶")), QStringLiteral("θ の¶"));
        QCOMPARE(meaningOf(QStringLiteral("Symbol"), QStringLiteral("qpa")), QStringLiteral("θπα"));
    }

    // A code a page draws in the Symbol face means something, unless it is a lower
    // piece of a tall sign standing under the piece that carries the meaning.
    void everySymbolOnThePagesMeansSomething()
    {
        for (const QString& id : allPages()) {
            const std::vector<DrawOp> ops = pageOps(id);
            for (const DrawOp& op : ops) {
                if (op.kind != DrawOp::Text || !isSymbolFace(op.face) || !meaningOf(op).isEmpty()) continue;
                const bool underItsTop = std::any_of(ops.cbegin(), ops.cend(), [&](const DrawOp& top) {
                    return top.kind == DrawOp::Text && isSymbolFace(top.face) && top.x == op.x && top.y < op.y &&
                           top.y > op.y - 2 * op.points && !meaningOf(top).isEmpty();
                });
                QVERIFY2(underItsTop, qPrintable(QStringLiteral("%1: code %2 at (%3, %4) reads as nothing")
                                                     .arg(id).arg(op.text.at(0).unicode()).arg(op.x).arg(op.y)));
            }
        }
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PageTextTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_page_text.moc"
