#pragma once
// Ctrl+S: the page shown, or every page, saved as PDF (as printed) or PNG (as on
// screen) through the standard file dialog, written as the exports write them.
#include <QObject>
#include <QString>
#include <optional>

class MathForm;
class QWidget;

class PageSaver : public QObject {
    Q_OBJECT

public:
    enum class Pages { Shown, Every };
    enum class Format { Pdf, Png };
    struct Choice {
        Pages pages = Pages::Shown;
        Format format = Format::Pdf;
    };

    PageSaver(QWidget* window, const MathForm& form);

    // Opens the file dialog for the page shown; saving follows when the user accepts.
    void ask();
    // This page is the page the screen shows; every page is drawn as a fresh start, as
    // the exports draw them. Every page as PNG goes to files named after `path`, each
    // with its id: "notes.png" gives notes-1.8a.png, notes-1.8.png and so on.
    // Returns the failure as a sentence for the user, or nothing.
    static std::optional<QString> saveTo(const MathForm& form, const Choice& choice, const QString& path);

signals:
    void saved(const QString& confirmation);
    void failed(const QString& message);

private:
    QWidget* window_;
    const MathForm& form_;
    QString folder_;
};
