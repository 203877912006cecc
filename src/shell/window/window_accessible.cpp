#include "shell/window/window_accessible.h"

#include <QWidget>

namespace {
QAccessibleInterface* windowFactory(const QString& className, QObject* object)
{
    // Only a plain QWidget: dialogs and the other classes have roles of their own.
    if (className != QLatin1String("QWidget") || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    return widget->isWindow() ? new WindowAccessible(widget) : nullptr;
}
}  // namespace

WindowAccessible::WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

void WindowAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QList<QWidget*> WindowAccessible::shownChildren() const
{
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !child->isHidden()) shown << child;
    }
    return shown;
}

int WindowAccessible::childCount() const { return int(shownChildren().size()); }

QAccessibleInterface* WindowAccessible::child(int index) const
{
    const QList<QWidget*> shown = shownChildren();
    if (index < 0 || index >= shown.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(shown.at(index));
}

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child) return -1;
    return int(shownChildren().indexOf(qobject_cast<QWidget*>(child->object())));
}
