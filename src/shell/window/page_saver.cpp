#include "shell/window/page_saver.h"

#include "shell/cli/headless.h"
#include "shell/files/output.h"
#include "shell/form/fresh_form.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

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
        {QStringLiteral("PDF — このページ (*.pdf)"), {P::Shown, F::Pdf}},
        {QStringLiteral("PNG — このページ (*.png)"), {P::Shown, F::Png}},
        {QStringLiteral("PDF — 全ページ、1 ページ 1 枚 (*.pdf)"), {P::Every, F::Pdf}},
        {QStringLiteral("PNG — 全ページ、名前-問題番号.png (*.png)"), {P::Every, F::Png}},
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
    if (data.isEmpty()) return QStringLiteral("「%1」の画像を作れませんでした。").arg(path);
    const std::optional<QString> failure = writeOutput(QFile::encodeName(path), data);
    if (!failure) return std::nullopt;
    return QStringLiteral("「%1」に保存できませんでした（%2）。").arg(path, *failure);
}

std::optional<QString> saveEveryPng(const QString& path)
{
    const QFileInfo named(path);
    const QString stem = named.dir().filePath(named.completeBaseName());
    return onFreshForm([&](MathForm& form) -> std::optional<QString> {
        for (const QString& id : MathForm::problemIds())
            if (auto failure = writeFile(stem + '-' + id + QStringLiteral(".png"), pagePng(form, id, 1, false)))
                return failure;
        return std::nullopt;
    });
}

}  // namespace

PageSaver::PageSaver(QWidget* window) : QObject(window), window_(window), folder_(QDir::homePath()) {}

std::optional<QString> PageSaver::save(const Choice& choice, const QString& id, const QString& path)
{
    if (choice.pages == Pages::Every && choice.format == Format::Png) return saveEveryPng(path);
    const QStringList ids = choice.pages == Pages::Every ? MathForm::problemIds() : QStringList{id};
    const QByteArray data = onFreshForm([&](MathForm& form) {
        return choice.format == Format::Pdf ? pagesPdf(form, ids) : pagePng(form, id, 1, false);
    });
    return writeFile(path, data);
}

void PageSaver::ask(const QString& id)
{
    auto* dialog = new QFileDialog(window_, QStringLiteral("ページを保存"), folder_);
    dialog->setObjectName(QStringLiteral("saveDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const Offer& offer : offers()) filters << offer.filter;
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->selectFile(id + QStringLiteral(".pdf"));
    connect(dialog, &QFileDialog::filterSelected, dialog,
            [dialog](const QString& filter) { dialog->setDefaultSuffix(suffixOf(choiceOf(filter).format)); });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog, id](const QString& path) {
        folder_ = QFileInfo(path).absolutePath();
        if (const std::optional<QString> failure = save(choiceOf(dialog->selectedNameFilter()), id, path))
            emit failed(*failure);
        else
            emit saved(QStringLiteral("%1 に保存しました").arg(QFileInfo(path).fileName()));
    });
    dialog->open();
}
