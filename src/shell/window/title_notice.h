#pragma once
// Short notices in the window's title: they inform without taking the focus or
// covering the page, and go away by themselves.
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

class TitleNotice : public QObject {
public:
    // The window's title when it is created is the one notices are added to.
    explicit TitleNotice(QWidget* window);

    // Shows `notice` until the next one; an empty notice restores the title.
    void show(const QString& notice);
    // Shows `notice` for `ms` milliseconds.
    void showFor(const QString& notice, int ms);

private:
    QWidget* window_;
    QString title_;
    QTimer expiry_;
};
