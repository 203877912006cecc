#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

MathForm& loadedForm()
{
    static MathForm* form = [] {
        auto* f = new MathForm;
        f->formLoad();
        return f;
    }();
    return *form;
}

Surface pageSurface(const QString& id, bool printView)
{
    const MathForm& form = loadedForm();
    return form.drawn(id, printView, form.freshStart()).surface;
}

std::vector<DrawOp> pageOps(const QString& id, bool printView) { return pageSurface(id, printView).ops(); }

Surface& scratchSurface(float x, float y)
{
    // Builders called from a test draw into a state of the test's own, made current for
    // the whole run: a page drawn in between brings its own and puts this one back.
    static DrawingState state;
    static const CurrentDraw draw(state);
    static Surface surface(MathForm::pageWidth, MathForm::pageHeight);
    state = loadedForm().startup();
    surface.Cls();
    surface.setStyle(loadedForm().freshStart().style);
    surface.ForeColor = state.textColor;
    state.curPic = &surface;
    state.leftMargin = 0;
    state.penX = x;
    state.penY = y;
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

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QImage> sheetsOf(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {"-r", QString::number(dpi), "-png", pdf, dir.filePath(QStringLiteral("sheet"))});
    QList<QImage> sheets;
    for (const QString& file : QDir(dir.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        sheets << QImage(dir.filePath(file));
    return sheets;
}

HeadlessRun runHeadless(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VELKORA_BIN"), args);
    if (!p.waitForFinished(120000)) return {-1, {}};
    return {p.exitCode(), p.readAllStandardOutput()};
}
