#pragma once
// The problem list. Its last entry is an action, the print item, and only a click on
// it (pressed and released on the entry) chooses it: the list's own keys, a drag or
// a press released elsewhere stop at the last problem.
#include <QListWidget>

class ProblemList : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    // The left button was pressed and released on the last entry.
    void actionClicked();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyboardSearch(const QString& search) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool isAction(const QModelIndex& index) const;

    bool actionPressed_ = false;
};
