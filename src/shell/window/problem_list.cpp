#include "shell/window/problem_list.h"

#include <QMouseEvent>

bool ProblemList::isAction(const QModelIndex& index) const { return index.isValid() && index.row() == count() - 1; }

QModelIndex ProblemList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QListWidget::moveCursor(action, modifiers);
    if (isAction(next) && next != currentIndex()) return model()->index(count() - 2, 0);
    return next;
}

void ProblemList::keyboardSearch(const QString&)
{
    // Every problem entry starts with the same characters and the print item with a
    // space: typing to search could only ever land on the print item.
}

void ProblemList::mousePressEvent(QMouseEvent* event)
{
    // The print item is chosen on release, so that a press can still be taken back.
    actionPressed_ = isAction(indexAt(event->position().toPoint()));
    if (!actionPressed_) QListWidget::mousePressEvent(event);
}

void ProblemList::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    const bool dragging = event->buttons() != Qt::NoButton;
    // A drag selects the problems it passes over, never the print item, and one that
    // leaves the entries keeps the selection it had.
    if (actionPressed_ || (dragging && (!under.isValid() || isAction(under)))) return;
    QListWidget::mouseMoveEvent(event);
}

void ProblemList::mouseReleaseEvent(QMouseEvent* event)
{
    if (!actionPressed_) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    actionPressed_ = false;
    if (event->button() == Qt::LeftButton && isAction(indexAt(event->position().toPoint()))) emit actionClicked();
}
