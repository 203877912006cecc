#pragma once
// Which listed pages hold a term: the find bar's count and its way from page to page.
// Every page's text is read once, when first asked for.
#include "canvas/page_text.h"

#include <QList>
#include <QString>
#include <vector>

class MathForm;

class PageFinder {
public:
    // The pages are drawn by `form`, each as a fresh start: what a page carries to the
    // next moves glyphs, never changes text.
    explicit PageFinder(const MathForm& form) : form_(form) {}

    // The list rows, in list order, of the pages that hold the term.
    QList<int> rowsHolding(const QString& term);
    // The first row after `row` (before it, going back) whose page holds the term,
    // going round the list's end; -1 when no page does. `row` may be any row, or -1.
    int nextRow(const QString& term, int row, bool back = false);

private:
    const std::vector<PageText>& texts();

    const MathForm& form_;
    std::vector<PageText> texts_;
};
