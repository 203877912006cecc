#include "shell/reading/find_bar.h"

#include "shell/window/commands.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <string_view>

using namespace Qt::StringLiterals;

FindBar::FindBar(QWidget* parent) : QWidget(parent), field_(new QLineEdit(this)), count_(new QLabel(this))
{
    setObjectName(u"findBar"_s);
    field_->setObjectName(u"findTerm"_s);
    count_->setObjectName(u"findCount"_s);
    auto* label = new QLabel(tr("Find:"), this);
    label->setBuddy(field_);
    field_->setClearButtonEnabled(true);
    field_->setAccessibleName(tr("Term to find"));
    field_->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(label);
    layout->addWidget(field_, 1);
    layout->addWidget(count_, 1);
    connect(field_, &QLineEdit::textEdited, this, &FindBar::termEdited);
    hide();
}

void FindBar::open()
{
    const bool opening = isHidden();
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
    if (opening) emit opened();
}

void FindBar::dismiss()
{
    if (isHidden()) return;
    hide();
    emit closed();
}

QString FindBar::term() const { return field_->text(); }

void FindBar::showCount(int pages)
{
    if (field_->text().trimmed().isEmpty())
        count_->clear();
    else if (pages == 0)
        count_->setText(tr("on no page"));
    else
        count_->setText(pages == 1 ? tr("on 1 page (Enter, F3: the next)")
                            : tr("on %1 pages (Enter, F3: the next)").arg(pages));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Command* command = commandFor(CommandKind::FindBarKey, key->key(), key->modifiers());
    if (!command) return false;
    const std::string_view name = command->name;
    if (name == "findBarNext")
        emit nextWanted();
    else if (name == "findBarPrevious")
        emit previousWanted();
    else if (name == "findBarClose")
        dismiss();
    else
        return false;
    return true;
}
