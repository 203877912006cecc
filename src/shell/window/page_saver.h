#pragma once
// Ctrl+S: the page shown, or every page, saved as PDF (as printed) or PNG (as on
// screen) through the standard file dialog, written as the exports write them. Every
// page as PNG asks for a folder instead and writes ID.png into it, as --export-png does.
// The dialogs open in the folder last saved in, this run or an earlier one.
#include <QObject>
#include <QString>
#include <optional>

class MathForm;
class QWidget;
class WindowMemory;

class PageSaver : public QObject {
    Q_OBJECT

public:
    enum class Pages { Shown, Every };
    enum class Format { Pdf, Png };
    struct Choice {
        Pages pages = Pages::Shown;
        Format format = Format::Pdf;
    };

    PageSaver(QWidget* window, const MathForm& form, WindowMemory& memory);

    // Opens the file dialog for the page shown; saving follows when the user accepts.
    void ask();
    // This page is the page the screen shows; every page is drawn as a fresh start, as
    // the exports draw them. Every page as PNG takes `path` as a folder, made if missing,
    // and writes ID.png for each page into it. Returns the failure as a sentence for the
    // user, or nothing.
    static std::optional<QString> saveTo(const MathForm& form, const Choice& choice, const QString& path);
    // What the user is told once saveTo has saved at `path`.
    static QString confirmationOf(const Choice& choice, const QString& path);

signals:
    void saved(const QString& confirmation);
    void failed(const QString& message);

private:
    void askForFolder();
    void save(const Choice& choice, const QString& path);

    QWidget* window_;
    const MathForm& form_;
    WindowMemory& memory_;
};
