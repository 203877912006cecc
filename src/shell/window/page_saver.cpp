#include "shell/window/page_saver.h"

#include "shell/form/math_form.h"
#include "shell/files/output.h"
#include "shell/files/page_files.h"
#include "pages/registry.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

struct Offer {
    QString filter;
    PageSaver::Choice choice;
};

const QList<Offer>& offers()
{
    using P = PageSaver::Pages;
    using F = PageSaver::Format;
    static const QList<Offer> list = {
        {u"PDF — このページ (*.pdf)"_s, {P::Shown, F::Pdf}},
        {u"PNG — このページ (*.png)"_s, {P::Shown, F::Png}},
        {u"PDF — 全ページ、1 ページ 1 枚 (*.pdf)"_s, {P::Every, F::Pdf}},
        {u"PNG — 全ページ、名前-問題番号.png (*.png)"_s, {P::Every, F::Png}},
    };
    return list;
}

PageSaver::Choice choiceOf(const QString& filter)
{
    for (const Offer& offer : offers())
        if (offer.filter == filter) return offer.choice;
    return {};
}

QString suffixOf(PageSaver::Format format) { return format == PageSaver::Format::Pdf ? "pdf" : "png"; }

std::optional<QString> writeFile(const QString& path, const QByteArray& data)
{
    if (data.isEmpty()) return u"メモリが足りないため、「%1」の画像を作れませんでした。"_s.arg(path);
    const std::optional<QString> failure = writeOutput(QFile::encodeName(path), data);
    if (!failure) return std::nullopt;
    return u"「%1」に保存できませんでした（%2）。"_s.arg(path, *failure);
}

std::optional<QString> saveEveryPng(const MathForm& form, const QString& path)
{
    const QFileInfo named(path);
    const QString stem = named.dir().filePath(named.completeBaseName());
    for (const QString& id : listedIds()) {
        const QByteArray png = pngOf(form.drawn(id, false, form.freshStart()).surface, 1);
        if (auto failure = writeFile(stem + '-' + id + u".png"_s, png)) return failure;
    }
    return std::nullopt;
}

QByteArray everyPagePdf(const MathForm& form)
{
    std::vector<Surface> sheets;
    for (const QString& id : listedIds()) sheets.push_back(form.drawn(id, true, form.freshStart()).surface);
    return pdfOf(sheets);
}

}  // namespace

PageSaver::PageSaver(QWidget* window, const MathForm& form)
    : QObject(window), window_(window), form_(form), folder_(QDir::homePath())
{
}

std::optional<QString> PageSaver::saveTo(const MathForm& form, const Choice& choice, const QString& path)
{
    if (choice.pages == Pages::Every)
        return choice.format == Format::Png ? saveEveryPng(form, path) : writeFile(path, everyPagePdf(form));
    const bool printView = choice.format == Format::Pdf;
    const Surface shown = form.drawn(form.currentId(), printView, form.shownFrom()).surface;
    return writeFile(path, printView ? pdfOf({shown}) : pngOf(shown, 1));
}

void PageSaver::ask()
{
    const QString id = form_.currentId();
    auto* dialog = new QFileDialog(window_, u"ページを保存"_s, folder_);
    dialog->setObjectName(u"saveDialog"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const Offer& offer : offers()) filters << offer.filter;
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(u"pdf"_s);
    dialog->selectFile(id + u".pdf"_s);
    connect(dialog, &QFileDialog::filterSelected, dialog,
            [dialog](const QString& filter) { dialog->setDefaultSuffix(suffixOf(choiceOf(filter).format)); });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString& path) {
        folder_ = QFileInfo(path).absolutePath();
        if (const std::optional<QString> failure = saveTo(form_, choiceOf(dialog->selectedNameFilter()), path))
            emit failed(*failure);
        else
            emit saved(u"%1 に保存しました"_s.arg(QFileInfo(path).fileName()));
    });
    dialog->open();
}
