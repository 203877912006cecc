#pragma once
// The window's commands that are actions, made from the command table, each with its
// shortcuts: on the window, so the keys work wherever the focus is, and in the context
// menu of the page and of the list, which shows the shortcuts beside them.
#include <QObject>

class QAction;
class QWidget;

class WindowActions : public QObject {
public:
    WindowActions(QWidget* window, const QList<QWidget*>& withMenu);

    QAction* copy;
    QAction* copyLatex;
    QAction* copyText;
    QAction* save;
    QAction* print;
    QAction* find;
    QAction* findNext;
    QAction* findPrevious;
    QAction* zoomIn;
    QAction* zoomOut;
    QAction* zoomReset;
    QAction* help;
    QAction* scrollDown;
    QAction* scrollUp;
    QAction* scrollRight;
    QAction* scrollLeft;
    QAction* studyMode;
    QAction* nextStep;
    QAction* previousStep;
    QAction* allSteps;
    QAction* markUnderstood;

    // What a right click on a formula offers before the page's menu: its copies.
    QList<QAction*> formulaCopies() const;

private:
    void addEveryAction();
    QList<QAction*> menu();
    QAction* named(const char* name) const;

    QWidget* window_;
    QList<QAction*> actions_;
};
