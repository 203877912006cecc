#include "shell/window/help_window.h"

#include "shell/window/commands.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
QString keyTable()
{
    QString rows;
    for (const KeyHelp& key : keyGuide())
        rows += QStringLiteral("<tr><td style='padding-right:16px'><b>%1</b></td><td>%2</td></tr>")
                    .arg(key.keys.toHtmlEscaped(), key.japanese.toHtmlEscaped());
    return QStringLiteral("<table>") + rows + QStringLiteral("</table>");
}
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Velkora のキー"));
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("keys"));
    label->setTextFormat(Qt::RichText);
    label->setText(keyTable() + QStringLiteral("<p>右クリックのメニューにも同じ操作があります。</p>"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

void HelpWindow::present()
{
    show();
    raise();
    activateWindow();
}
