#include "fixture.h"

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
    surface.FontSize = ds().baseFontSize;
    surface.FontBold = false;
    surface.FontItalic = false;
    surface.ForeColor = ds().textColor;
    surface.DrawWidth = 1;
    ds().curPic = &surface;
    ds().leftMargin = 0;
    ds().penX = x;
    ds().penY = y;
    return surface;
}

int indexOf(const std::vector<DrawOp>& ops, const QString& text, int from)
{
    for (int i = from; i < int(ops.size()); ++i)
        if (ops[size_t(i)].kind == DrawOp::Text && ops[size_t(i)].text == text) return i;
    return -1;
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
