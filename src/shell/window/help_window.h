#pragma once
// F1: a small window beside the main one listing every key; Esc closes it.
#include <QDialog>

class HelpWindow : public QDialog {
public:
    explicit HelpWindow(QWidget* parent);

    // Shows it in front, or brings it there.
    void present();
};
