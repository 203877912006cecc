#include "shell/reading/page_accessible.h"

#include "shell/window/page_view.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {
QAccessibleInterface* pageFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("PageView")) return nullptr;
    auto* view = qobject_cast<PageView*>(object);
    return view ? new PageAccessible(view) : nullptr;
}
}  // namespace

PageAccessible::PageAccessible(PageView* view) : QAccessibleWidget(view, QAccessible::Document) {}

void PageAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(pageFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void PageAccessible::announcePageChange(PageView* view, const QString& oldText)
{
    if (!QAccessible::isActive()) return;  // no one to tell: the new page's text is not read
    QAccessibleEvent named(view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent described(view, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
    QAccessibleTextUpdateEvent replaced(view, 0, oldText, view->text().text());
    QAccessible::updateAccessibility(&replaced);
}

PageView* PageAccessible::view() const { return static_cast<PageView*>(widget()); }

const QString& PageAccessible::pageText() const { return view()->text().text(); }

QAccessible::State PageAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    return s;
}

QString PageAccessible::text(QAccessible::Text t) const
{
    const auto& lines = view()->text().lines();
    switch (t) {
    case QAccessible::Name:
        return (lines.empty() ? QCoreApplication::translate("PageAccessible", "empty page") : lines.front().text) +
               view()->nameSuffix();
    case QAccessible::Description:
        return QCoreApplication::translate("PageAccessible",
                                           "A page of a problem and its solution, %1 lines. The signs of "
                                           "formulas read as characters such as ∂, θ and π.")
            .arg(lines.size());
    default:
        return QAccessibleWidget::text(t);
    }
}

void* PageAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString PageAccessible::text(int startOffset, int endOffset) const
{
    const QString& all = pageText();
    const qsizetype from = qBound(qsizetype(0), qsizetype(startOffset), all.size());
    const qsizetype to = endOffset < 0 ? all.size() : qBound(from, qsizetype(endOffset), all.size());
    return all.mid(from, to - from);
}

int PageAccessible::characterCount() const { return int(pageText().size()); }

void PageAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString PageAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One run of plain text: no attributes anywhere.
    *startOffset = 0;
    *endOffset = characterCount();
    Q_UNUSED(offset);
    return {};
}
