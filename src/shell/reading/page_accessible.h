#pragma once
// The page to assistive technology: a read-only document whose name is the page's
// heading, whose description says what it is, and whose text is the page's text in
// reading order, Greek letters and signs as the characters they stand for.
#include <QAccessibleWidget>

class PageView;

class PageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PageAccessible(PageView* view);

    // Makes every PageView answer through this class.
    static void install();
    // Tells assistive technology that the view shows another page.
    static void announcePageChange(PageView* view, const QString& oldText);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // The text interface: the whole page, no selection, no caret.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    const QString& pageText() const;
    PageView* view() const;
};
