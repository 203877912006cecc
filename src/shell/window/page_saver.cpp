#include "shell/window/page_saver.h"

#include "shell/form/math_form.h"
#include "shell/files/output.h"
#include "shell/files/page_files.h"
#include "shell/window/window_memory.h"
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

// In the reader's language, as the dialog shows them and hands back the one chosen.
QList<Offer> offers()
{
    using P = PageSaver::Pages;
    using F = PageSaver::Format;
    return {
        {PageSaver::tr("PDF — this page (*.pdf)"), {P::Shown, F::Pdf}},
        {PageSaver::tr("PNG — this page (*.png)"), {P::Shown, F::Png}},
        {PageSaver::tr("PDF — every page, one a sheet (*.pdf)"), {P::Every, F::Pdf}},
        {PageSaver::tr("PNG — every page, into a folder as ID.png"), {P::Every, F::Png}},
    };
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
    if (data.isEmpty()) return PageSaver::tr("Not enough memory to make the image of \"%1\".").arg(path);
    const std::optional<QString> failure = writeOutput(QFile::encodeName(path), data);
    if (!failure) return std::nullopt;
    return PageSaver::tr("Could not save \"%1\" (%2).").arg(path, *failure);
}

std::optional<QString> saveEveryPng(const MathForm& form, const QString& folder)
{
    const QDir into(folder);
    if (!into.mkpath(u"."_s)) return PageSaver::tr("Could not make the folder \"%1\".").arg(folder);
    for (const QString& id : listedIds()) {
        const QByteArray png = pngOf(form.drawn(id, false, form.freshStart()).surface, 1);
        if (auto failure = writeFile(into.filePath(id + u".png"_s), png)) return failure;
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

PageSaver::PageSaver(QWidget* window, const MathForm& form, WindowMemory& memory)
    : QObject(window), window_(window), form_(form), memory_(memory)
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

QString PageSaver::confirmationOf(const Choice& choice, const QString& path)
{
    if (choice.pages == Pages::Shown || choice.format == Format::Pdf)
        return tr("Saved to %1").arg(QFileInfo(path).fileName());
    const QStringList ids = listedIds();
    return tr("Saved %1 pages to %2 (%3.png to %4.png)").arg(ids.size()).arg(path, ids.first(), ids.last());
}

void PageSaver::save(const Choice& choice, const QString& path)
{
    if (const std::optional<QString> failure = saveTo(form_, choice, path))
        emit failed(*failure);
    else
        emit saved(confirmationOf(choice, path));
}

void PageSaver::askForFolder()
{
    auto* dialog = new QFileDialog(window_, tr("Folder to save every page in as PNG"), memory_.saveFolder());
    dialog->setObjectName(u"saveFolderDialog"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::Accept, tr("Save"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        memory_.rememberSaveFolder(QFileInfo(folder).absoluteFilePath());
        save({Pages::Every, Format::Png}, folder);
    });
    dialog->open();
}

void PageSaver::ask()
{
    const QString id = form_.currentId();
    auto* dialog = new QFileDialog(window_, tr("Save the page"), memory_.saveFolder());
    dialog->setObjectName(u"saveDialog"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const Offer& offer : offers()) filters << offer.filter;
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(u"pdf"_s);
    dialog->selectFile(id + u".pdf"_s);
    connect(dialog, &QFileDialog::filterSelected, dialog, [this, dialog](const QString& filter) {
        const Choice choice = choiceOf(filter);
        if (choice.pages == Pages::Shown || choice.format == Format::Pdf) {
            dialog->setDefaultSuffix(suffixOf(choice.format));
            return;
        }
        // Every page as PNG is many files: the place to ask for is a folder, not a file name.
        dialog->reject();
        askForFolder();
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString& path) {
        memory_.rememberSaveFolder(QFileInfo(path).absolutePath());
        save(choiceOf(dialog->selectedNameFilter()), path);
    });
    dialog->open();
}
