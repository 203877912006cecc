#include "shell/window/help_window.h"

#include "shell/window/commands.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString keyTable()
{
    QString rows;
    for (const KeyHelp& key : keyGuide())
        rows += u"<tr><td style='padding-right:16px'><b>%1</b></td><td>%2</td></tr>"_s
                    .arg(key.keys.toHtmlEscaped(), key.text.toHtmlEscaped());
    return u"<table>"_s + rows + u"</table>"_s;
}
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"help"_s);
    setWindowTitle(QCoreApplication::translate("HelpWindow", "Velkora keys"));
    auto* label = new QLabel(this);
    label->setObjectName(u"keys"_s);
    label->setTextFormat(Qt::RichText);
    // The main window's face, which a window and the style sheet's children do not take
    // by themselves. In the default face, which has no kana, Qt falls back to a Japanese
    // face for some Latin runs beside kana and not for others: "50 %" and "400 %" of one
    // line were drawn in two faces.
    label->setFont(parent->font());
    label->setText(keyTable() + u"<p>"_s +
                   QCoreApplication::translate("HelpWindow", "A right click offers the same commands in a menu.")
                       .toHtmlEscaped() +
                   u"</p>"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

void HelpWindow::present()
{
    show();
    raise();
    activateWindow();
}
