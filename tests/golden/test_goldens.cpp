// Every page, on screen and in the print view, traced by the program and compared with
// its reviewed golden trace, operation by operation. Each trace comes from a fresh
// process, as the goldens were recorded (tests/golden/regenerate): the state a page
// leaves to the pages after it (the bracket spread 1.12 sets) is the fresh-start one.
#include "shell/form/dispatch.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <cmath>

namespace {

// Strings, faces, sizes, styles and colours must agree exactly; positions and advances to
// a hundredth of a pixel.
//
// `family` (the installed family a face is drawn in) is compared exactly too: it is the
// glyph choice, CI installs the same Debian packages, and a machine that draws a face in
// another family should fail by naming it rather than by a shifted x further on.
//
// `ink` (the painted bounds of a run) is compared to a quarter pixel. It comes from the
// installed outlines and Qt's outline code rather than from the page; a rebuild of either
// that keeps the outlines passes, while a run painted elsewhere (baselines are whole
// pixels, bold is struck a pixel apart) fails.
constexpr double positionTolerance = 0.01;
constexpr double inkTolerance = 0.25;

enum class Rule { Exact, Position, Ink, Pieces };

// In the order a failure names them: what was drawn before where.
const std::vector<std::pair<QString, Rule>>& fieldRules()
{
    static const std::vector<std::pair<QString, Rule>> rules = {
        {"op", Rule::Exact},          {"text", Rule::Exact},     {"face", Rule::Exact},
        {"family", Rule::Exact},      {"size", Rule::Exact},     {"bold", Rule::Exact},
        {"italic", Rule::Exact},      {"color", Rule::Exact},    {"width", Rule::Exact},
        {"filled", Rule::Exact},      {"pieces", Rule::Pieces},  {"x", Rule::Position},
        {"y", Rule::Position},        {"x1", Rule::Position},    {"y1", Rule::Position},
        {"x2", Rule::Position},       {"y2", Rule::Position},    {"radius", Rule::Position},
        {"advance", Rule::Position},  {"ink", Rule::Ink},        {"chW", Rule::Position},
        {"lineH", Rule::Position},    {"tab5", Rule::Exact},     {"tab10", Rule::Exact},
        {"tab40", Rule::Exact},       {"leftMargin", Rule::Exact}, {"baseFontSize", Rule::Exact},
        {"hasBookman", Rule::Exact},
    };
    return rules;
}

bool agree(const QJsonValue& a, const QJsonValue& b, Rule rule);

bool numbersAgree(const QJsonValue& a, const QJsonValue& b, double tolerance)
{
    return a.isDouble() && b.isDouble() && std::abs(a.toDouble() - b.toDouble()) <= tolerance;
}

bool piecesAgree(const QJsonArray& a, const QJsonArray& b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QJsonObject p = a.at(i).toObject(), q = b.at(i).toObject();
        if (p.value("text") != q.value("text") || p.value("family") != q.value("family") ||
            !agree(p.value("x"), q.value("x"), Rule::Position))
            return false;
    }
    return true;
}

bool agree(const QJsonValue& a, const QJsonValue& b, Rule rule)
{
    switch (rule) {
    case Rule::Exact:
        return a == b;
    case Rule::Position:
        return numbersAgree(a, b, positionTolerance);
    case Rule::Ink: {
        const QJsonArray p = a.toArray(), q = b.toArray();
        if (p.size() != 4 || q.size() != 4) return false;
        for (qsizetype i = 0; i < 4; ++i)
            if (!numbersAgree(p.at(i), q.at(i), inkTolerance)) return false;
        return true;
    }
    case Rule::Pieces:
        return piecesAgree(a.toArray(), b.toArray());
    }
    return false;
}

Rule ruleOf(const QString& field)
{
    for (const auto& [name, rule] : fieldRules())
        if (name == field) return rule;
    return Rule::Exact;  // a field the trace gained since: the golden must be recorded again
}

QString shown(const QJsonValue& v)
{
    if (v.isUndefined()) return QStringLiteral("absent");
    if (v.isString()) return QStringLiteral("\"%1\"").arg(v.toString());
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// The first field in which two lines of a trace differ, or an empty string.
QString firstDifference(const QJsonObject& trace, const QJsonObject& golden)
{
    QStringList fields;
    for (const auto& [name, rule] : fieldRules()) fields << name;
    for (const QString& key : trace.keys() + golden.keys())
        if (!fields.contains(key)) fields << key;
    for (const QString& field : fields) {
        const QJsonValue a = trace.value(field), b = golden.value(field);
        if (a.isUndefined() && b.isUndefined()) continue;
        if (!agree(a, b, ruleOf(field)))
            return QStringLiteral("field \"%1\" is %2, the golden has %3").arg(field, shown(a), shown(b));
    }
    return QString();
}

QList<QJsonObject> linesOf(const QByteArray& jsonLines)
{
    QList<QJsonObject> lines;
    for (const QByteArray& line : jsonLines.split('\n'))
        if (!line.trimmed().isEmpty()) lines << QJsonDocument::fromJson(line).object();
    return lines;
}

QString goldenPath(const QString& page, bool printView)
{
    return QStringLiteral("%1/%2/%3.jsonl")
        .arg(qEnvironmentVariable("VELKORA_GOLDEN_DIR"), printView ? "print" : "screen", page);
}

QByteArray traceOf(const QString& page, bool printView)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    QProcess p;
    p.setProcessEnvironment(env);
    QStringList args{QStringLiteral("--trace"), page};
    if (printView) args << QStringLiteral("--print-view");
    p.start(qEnvironmentVariable("VELKORA_BIN"), args);
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

}  // namespace

class GoldenTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageMatchesItsGolden_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("printView");
        for (const PageEntry& e : dispatchTable())
            for (bool printView : {false, true})
                QTest::addRow("%s %s", e.id, printView ? "print view" : "screen") << QString::fromLatin1(e.id) << printView;
    }

    void everyPageMatchesItsGolden()
    {
        QFETCH(QString, page);
        QFETCH(bool, printView);
        QFile file(goldenPath(page, printView));
        QVERIFY2(file.open(QIODevice::ReadOnly),
                 qPrintable(QStringLiteral("no golden %1: record it with tests/golden/regenerate").arg(file.fileName())));
        const QList<QJsonObject> golden = linesOf(file.readAll());
        const QList<QJsonObject> trace = linesOf(traceOf(page, printView));
        QVERIFY2(!trace.isEmpty(), "the program drew no trace");

        const QString where = QStringLiteral("page %1, %2").arg(page, printView ? "print view" : "screen");
        // Line 0 is the metrics, line 1 the clearing of the surface; operations follow.
        for (qsizetype i = 0; i < std::min(trace.size(), golden.size()); ++i) {
            const QString difference = firstDifference(trace.at(i), golden.at(i));
            const QString what = i == 0 ? QStringLiteral("metrics") : QStringLiteral("operation %1").arg(i - 2);
            QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1, %2: %3").arg(where, what, difference)));
        }
        QVERIFY2(trace.size() == golden.size(),
                 qPrintable(QStringLiteral("%1: %2 operations drawn, the golden has %3")
                                .arg(where).arg(trace.size() - 2).arg(golden.size() - 2)));
    }

    // A golden of a page the program no longer has would go unread.
    void everyGoldenIsOfAPageTheProgramHas()
    {
        QStringList pages;
        for (const PageEntry& e : dispatchTable()) pages << QString::fromLatin1(e.id) + QStringLiteral(".jsonl");
        for (const char* view : {"screen", "print"}) {
            const QDir dir(QStringLiteral("%1/%2").arg(qEnvironmentVariable("VELKORA_GOLDEN_DIR"), view));
            for (const QString& file : dir.entryList(QDir::Files))
                QVERIFY2(pages.contains(file), qPrintable(QStringLiteral("%1/%2 names no page").arg(view, file)));
        }
    }

    // The goldens are only as good as the comparison: a hair's shift fails it, while a
    // difference far below it passes.
    void comparisonTellsPositionsApartToAHundredthOfAPixel()
    {
        const QJsonObject golden{{"op", "text"}, {"text", "x"}, {"x", 10.0}, {"ink", QJsonArray{1, 2, 3, 4}}};
        QJsonObject trace = golden;
        trace["x"] = 10.005;
        trace["ink"] = QJsonArray{1.2, 2, 3, 4};
        QVERIFY(firstDifference(trace, golden).isEmpty());
        trace["x"] = 10.02;
        QCOMPARE(firstDifference(trace, golden), QStringLiteral("field \"x\" is 10.02, the golden has 10"));
        trace["x"] = 10.0;
        trace["ink"] = QJsonArray{1, 2.5, 3, 4};
        QVERIFY(firstDifference(trace, golden).startsWith(QStringLiteral("field \"ink\"")));
        trace["text"] = "y";
        QVERIFY(firstDifference(trace, golden).startsWith(QStringLiteral("field \"text\"")));
    }
};

QTEST_GUILESS_MAIN(GoldenTest)
#include "test_goldens.moc"
