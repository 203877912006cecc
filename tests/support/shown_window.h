#pragma once
// The main window shown and active, for tests that drive it in-process, with the few
// things those tests do to it.
#include "shell/form/math_form.h"
#include "shell/window/main_window.h"
#include "shell/window/page_view.h"
#include "pages/registry.h"

#include <QAction>
#include <QListWidget>
#include <QSettings>
#include <QtTest>

struct ShownWindow {
    explicit ShownWindow(QSettings* settings = nullptr, PrintJob::PrinterSource printers = {})
        : window(std::move(printers), settings)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QAction* action(const char* name) const { return window.findChild<QAction*>(QLatin1String(name)); }
    // Shows a page as a click on its entry would.
    void open(const QString& id)
    {
        window.form().select(int(listedIds().indexOf(id)));
        window.pageView()->refresh();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.list(), Qt::Key(key), modifiers);
    }
    MainWindow window;
};
