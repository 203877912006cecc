#pragma once
// Ctrl+S: the page shown, or every page, saved as PDF (as printed) or PNG (as on
// screen) through the standard file dialog, written as the exports write them.
#include <QObject>
#include <QString>
#include <optional>

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

    explicit PageSaver(QWidget* window);

    // Opens the file dialog for the page of `id`; saving follows when the user accepts.
    void ask(const QString& id);
    // Every page as PNG goes to files named after `path`, each with its id:
    // "notes.png" gives notes-1.8a.png, notes-1.8.png and so on.
    // Returns the failure as a sentence for the user, or nothing.
    static std::optional<QString> save(const Choice& choice, const QString& id, const QString& path);

signals:
    void saved(const QString& confirmation);
    void failed(const QString& message);

private:
    QWidget* window_;
    QString folder_;
};
