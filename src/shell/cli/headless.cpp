#include "shell/cli/headless.h"

#include "canvas/page_text.h"
#include "canvas/text_layout.h"
#include "shell/form/math_form.h"
#include "shell/files/message_names.h"
#include "shell/files/output.h"
#include "shell/files/page_files.h"
#include "shell/files/std_streams.h"
#include "pages/registry.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int fail(const QString& message)
{
    StdStreams::say(message);
    return 2;
}

// A name as a message shows it: escaped, so always valid UTF-8.
QString shown(const QByteArray& escaped) { return QString::fromUtf8(escaped); }

QString unknownId(const QString& id)
{
    return QCoreApplication::translate("Cli", "unknown problem id \"%1\" (see velkora --help)")
        .arg(shown(shortened(id.toUtf8())));
}

// Writes a command's output; a failure is one line naming the output and the reason.
int write(const QByteArray& name, const QByteArray& data)
{
    const std::optional<QString> failure = writeOutput(name, data);
    if (!failure) return 0;
    if (name == "-") return fail(QCoreApplication::translate("Cli", "cannot write standard output: %1").arg(*failure));
    return fail(QCoreApplication::translate("Cli", "cannot write %1: %2").arg(shown(quotedName(name)), *failure));
}

QString hexColor(QRgb c) { return QColor(c).name(QColor::HexRgb); }

QJsonArray inkOfText(const DrawOp& op)
{
    const QRectF ink = inkOf(op);
    return {ink.left(), ink.top(), ink.right(), ink.bottom()};
}

QJsonObject traceOfText(const DrawOp& op)
{
    const std::shared_ptr<const TextLayout> layout = layoutOf(op);
    const auto& pieces = layout->pieces;
    // A run drawn in one piece names the family that draws it; a run the face draws in
    // two families names the cell's, and each piece.
    const QString family = pieces.size() == 1 ? pieces.front().family : op.family;
    QJsonObject line{{"op", "text"},       {"text", op.text},     {"face", op.face},     {"family", family},
                     {"size", op.points},  {"bold", op.bold},     {"italic", op.italic}, {"color", hexColor(op.color)},
                     {"x", op.x},          {"y", op.y},           {"advance", op.advance}, {"ink", inkOfText(op)}};
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

QByteArray shortened(const QByteArray& text)
{
    constexpr qsizetype longest = 32;
    const QString decoded = QString::fromUtf8(text);
    if (decoded.size() <= longest) return escapedControls(text);
    return escapedControls(decoded.left(longest).toUtf8()) + "…";
}

QStringList pagesInListOrder(const QStringList& ids, QString& error)
{
    if (ids.isEmpty()) return listedIds();
    for (const QString& id : ids) {
        if (!findPage(id)) {
            error = unknownId(id);
            return {};
        }
    }
    QStringList ordered;
    for (const PageEntry& e : pageRegistry())
        if (ids.contains(QLatin1String(e.id))) ordered.append(QLatin1String(e.id));
    return ordered;
}

int listEntries(const MathForm& form)
{
    QByteArray text;
    for (const QString& item : form.listItems()) text += item.toUtf8() + '\n';
    return write("-", text);
}

int exportPng(const MathForm& form, const QByteArray& dir, const QStringList& ids, double scale, bool printView)
{
    QString error;
    const QStringList pages = pagesInListOrder(ids, error);
    if (pages.isEmpty()) return fail(error);
    if (const std::optional<QString> failure = makeFolders(dir))
        return fail(
            QCoreApplication::translate("Cli", "cannot make folder %1: %2").arg(shown(quotedName(dir)), *failure));
    for (const QString& id : pages) {
        const QByteArray png = pngOf(form.drawn(id, printView, form.freshStart()).surface, scale);
        if (png.isEmpty())
            return fail(QCoreApplication::translate("Cli", "not enough memory for %1 at scale %2")
                            .arg(id, QString::number(scale)));
        if (const int status = write(dir + '/' + id.toUtf8() + ".png", png)) return status;
    }
    return 0;
}

int exportPdf(const MathForm& form, const QByteArray& file, const QStringList& ids)
{
    QString error;
    const QStringList pages = pagesInListOrder(ids, error);
    if (pages.isEmpty()) return fail(error);
    std::vector<Surface> sheets;
    for (const QString& id : pages) sheets.push_back(form.drawn(id, true, form.freshStart()).surface);
    return write(file, pdfOf(sheets));
}

int printReading(const MathForm& form, const QStringList& ids, Reading reading)
{
    QString error;
    const QStringList pages = pagesInListOrder(ids, error);
    if (pages.isEmpty()) return fail(error);
    QByteArray text;
    for (const QString& id : pages) {
        const PageText page(form.drawn(id, false, form.freshStart()).surface.displayList());
        const QString read = reading == Reading::Linear ? page.plainOf(page.allPieces()) : page.latexOf(page.allPieces());
        text += read.toUtf8() + "\n\f";
    }
    return write("-", text);
}

int tracePage(const MathForm& form, const QString& id, bool printView, const QByteArray& file)
{
    if (!findPage(id)) return fail(unknownId(id));
    const MathForm::Drawn page = form.drawn(id, printView, form.freshStart());
    const DrawingState& metrics = form.startup();
    const QJsonObject head{{"chW", metrics.chW},
                           {"lineH", metrics.lineH},
                           {"tab5", qint64(metrics.tab5)},
                           {"tab10", qint64(metrics.tab10)},
                           {"tab40", qint64(metrics.tab40)},
                           {"leftMargin", qint64(form.leftMargin(printView))},
                           {"baseFontSize", page.leaves.baseFontSize},
                           {"hasBookman", metrics.hasBookman}};
    QByteArray text = jsonLine(head) + jsonLine({{"op", "cls"}});
    for (const DrawOp& op : page.surface.ops()) text += jsonLine(traceOf(op));
    for (const FormulaSpan& span : page.surface.formulas())
        text += jsonLine({{"op", "formula"}, {"first", span.first}, {"last", span.last}, {"latex", span.latex}});
    return write(file, text);
}
