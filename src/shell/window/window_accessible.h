#pragma once
// A top-level window of the program to assistive technology: a frame (a plain widget would
// be a filler, which a screen reader does not announce as a window), whose children are the
// parts it shows: a part while hidden (the closed find bar) is not offered at all.
#include <QAccessibleWidget>

class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window);

    // Makes every plain top-level QWidget answer through this class.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QWidget*> shownChildren() const;
};
