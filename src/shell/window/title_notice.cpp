#include "shell/window/title_notice.h"

#include <QWidget>

using namespace Qt::StringLiterals;

TitleNotice::TitleNotice(QWidget* window) : QObject(window), window_(window), title_(window->windowTitle())
{
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, [this] { show(QString()); });
}

void TitleNotice::show(const QString& notice)
{
    expiry_.stop();
    window_->setWindowTitle(notice.isEmpty() ? title_ : title_ + u" — "_s + notice);
}

void TitleNotice::showFor(const QString& notice, int ms)
{
    show(notice);
    expiry_.start(ms);
}
