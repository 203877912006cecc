#include "headless.h"

#include "canvas/drawing_state.h"
#include "canvas/text_layout.h"
#include "dispatch.h"
#include "math_form.h"
#include "print_view.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "velkora: %s\n", qPrintable(message));
    return 2;
}

QString hexColor(QRgb c) { return QColor(c).name(QColor::HexRgb); }

QJsonArray inkOfText(const DrawOp& op)
{
    const QRectF ink = inkOf(op);
    return {ink.left(), ink.top(), ink.right(), ink.bottom()};
}

QJsonObject traceOfText(const DrawOp& op)
{
    QJsonObject line{{"op", "text"},       {"text", op.text},     {"face", op.face},     {"family", op.family},
                     {"size", op.points},  {"bold", op.bold},     {"italic", op.italic}, {"color", hexColor(op.color)},
                     {"x", op.x},          {"y", op.y},           {"advance", op.advance}, {"ink", inkOfText(op)}};
    // A run the face draws in two families names each piece.
    const auto& pieces = layoutOf(op).pieces;
    if (pieces.size() > 1) {
        QJsonArray list;
        for (const TextLayout::Piece& p : pieces)
            list.append(QJsonObject{{"text", p.text}, {"family", p.family}, {"x", op.x + p.x}});
        line.insert("pieces", list);
    }
    return line;
}

QJsonObject traceOf(const DrawOp& op)
{
    switch (op.kind) {
    case DrawOp::Text:
        return traceOfText(op);
    case DrawOp::Line:
        return {{"op", "line"}, {"x1", op.x},  {"y1", op.y},  {"x2", op.x2},
                {"y2", op.y2},  {"color", hexColor(op.color)}, {"width", op.width}};
    case DrawOp::Box:
        return {{"op", "box"},  {"x1", op.x},  {"y1", op.y},  {"x2", op.x2},
                {"y2", op.y2},  {"color", hexColor(op.color)}, {"width", op.width}, {"filled", op.filled}};
    case DrawOp::Circle:
        return {{"op", "circle"}, {"x", op.x}, {"y", op.y}, {"radius", op.radius}, {"color", hexColor(op.color)},
                {"width", op.width}};
    }
    return {};
}

QByteArray jsonLine(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n'; }

}  // namespace

QStringList pagesInListOrder(const QStringList& ids, QString& error)
{
    if (ids.isEmpty()) return MathForm::problemIds();
    for (const QString& id : ids) {
        if (!findPage(id)) {
            error = QStringLiteral("unknown problem id \"%1\"").arg(id);
            return {};
        }
    }
    QStringList ordered;
    for (const PageEntry& e : dispatchTable())
        if (ids.contains(QLatin1String(e.id))) ordered.append(QLatin1String(e.id));
    return ordered;
}

int listEntries(const MathForm& form)
{
    QTextStream out(stdout);
    for (const QString& item : form.listItems()) out << item << '\n';
    return 0;
}

int exportPng(MathForm& form, const QString& dir, const QStringList& ids, double scale, bool printView)
{
    QString error;
    const QStringList pages = pagesInListOrder(ids, error);
    if (pages.isEmpty()) return fail(error);
    if (!(scale > 0 && scale <= 16)) return fail(QStringLiteral("--scale must be a number above 0 and at most 16"));
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable()) return fail(QStringLiteral("cannot write into folder \"%1\"").arg(dir));
    for (const QString& id : pages) {
        form.showPage(id, printView);
        const Surface& surface = printView ? form.pic2 : form.pic;
        QSaveFile file(QDir(dir).filePath(id + QStringLiteral(".png")));
        if (!file.open(QIODevice::WriteOnly) || !surface.toImage(scale).save(&file, "PNG") || !file.commit())
            return fail(QStringLiteral("cannot write \"%1\"").arg(file.fileName()));
    }
    return 0;
}

int exportPdf(MathForm& form, const QString& path, const QStringList& ids)
{
    QString error;
    const QStringList pages = pagesInListOrder(ids, error);
    if (pages.isEmpty()) return fail(error);
    std::vector<Surface> sheets;
    for (const QString& id : pages) {
        form.showPage(id, true);
        sheets.push_back(form.pic2);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(QStringLiteral("cannot write \"%1\"").arg(path));
    {
        QPdfWriter writer(&file);
        configureSheet(writer);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Velkora"));
        if (!paintSheets(sheets, writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("cannot write \"%1\"").arg(path));
        }
    }
    if (!file.commit()) return fail(QStringLiteral("cannot write \"%1\"").arg(path));
    return 0;
}

int tracePage(MathForm& form, const QString& id, bool printView)
{
    if (!findPage(id)) return fail(QStringLiteral("unknown problem id \"%1\"").arg(id));
    form.showPage(id, printView);
    const Surface& surface = printView ? form.pic2 : form.pic;
    std::FILE* out = stdout;
    const QJsonObject metrics{{"chW", ds.chW},           {"lineH", ds.lineH},
                              {"tab5", qint64(ds.tab5)}, {"tab10", qint64(ds.tab10)},
                              {"tab40", qint64(ds.tab40)}, {"leftMargin", qint64(ds.leftMargin)},
                              {"baseFontSize", ds.baseFontSize}, {"hasBookman", ds.hasBookman}};
    QByteArray text = jsonLine(metrics) + jsonLine({{"op", "cls"}});
    for (const DrawOp& op : surface.ops()) text += jsonLine(traceOf(op));
    std::fwrite(text.constData(), 1, size_t(text.size()), out);
    return 0;
}
