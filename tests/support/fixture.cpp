#include "fixture.h"

#include <QTest>
#include <cmath>

MathForm& loadedForm()
{
    static MathForm* form = [] {
        auto* f = new MathForm;
        f->formLoad();
        return f;
    }();
    return *form;
}

std::vector<DrawOp> pageOps(const QString& id, bool printView)
{
    MathForm& form = loadedForm();
    form.showPage(id, printView);
    return (printView ? form.pic2 : form.pic).ops();
}

Surface& scratchSurface(float x, float y)
{
    loadedForm();
    static Surface surface(MathForm::pageWidth, MathForm::pageHeight);
    surface.Cls();
    surface.FontName = QStringLiteral("メイリオ");
    surface.FontSize = ds.baseFontSize;
    surface.FontBold = false;
    surface.FontItalic = false;
    surface.ForeColor = ds.textColor;
    surface.DrawWidth = 1;
    ds.curPic = &surface;
    ds.leftMargin = 0;
    ds.penX = x;
    ds.penY = y;
    return surface;
}

std::vector<DrawOp> textOpsEqual(const std::vector<DrawOp>& ops, const QString& text)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text && op.text == text) found.push_back(op);
    return found;
}

DrawOp firstText(const std::vector<DrawOp>& ops, const QString& text)
{
    const auto found = textOpsEqual(ops, text);
    if (found.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("no text op \"%1\"").arg(text)), __FILE__, __LINE__);
        return {};
    }
    return found.front();
}

DrawOp nthText(const std::vector<DrawOp>& ops, const QString& text, int n)
{
    const auto found = textOpsEqual(ops, text);
    if (int(found.size()) <= n) {
        QTest::qFail(qPrintable(QStringLiteral("fewer than %1 \"%2\"").arg(n + 1).arg(text)), __FILE__, __LINE__);
        return {};
    }
    return found[size_t(n)];
}

int indexOf(const std::vector<DrawOp>& ops, const QString& text, int from)
{
    for (int i = from; i < int(ops.size()); ++i)
        if (ops[size_t(i)].kind == DrawOp::Text && ops[size_t(i)].text == text) return i;
    return -1;
}

int indexAt(const std::vector<DrawOp>& ops, const QString& text, double x, double y)
{
    for (int i = 0; i < int(ops.size()); ++i) {
        const DrawOp& op = ops[size_t(i)];
        if (op.kind == DrawOp::Text && op.text == text && near(op.x, x) && near(op.y, y)) return i;
    }
    return -1;
}

bool near(double a, double b, double tolerance) { return std::abs(a - b) < tolerance; }

long printMargin() { return roundHalfEven(2.0 * ds.chW); }

std::vector<DrawOp> opsOfKind(const std::vector<DrawOp>& ops, DrawOp::Kind kind)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : ops)
        if (op.kind == kind) found.push_back(op);
    return found;
}

QString describe(const std::vector<DrawOp>& ops)
{
    QString out;
    for (const DrawOp& op : ops)
        out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                   .arg(op.kind)
                   .arg(op.text, op.face)
                   .arg(op.points)
                   .arg(op.x)
                   .arg(op.y)
                   .arg(op.x2)
                   .arg(op.y2)
                   .arg(op.color, 0, 16);
    return out;
}
