#pragma once
// Which listed pages hold a term: the find bar's count and its way from page to page.
// Every page's text is read once, when first asked for.
#include "canvas/page_text.h"

#include <QList>
#include <QString>
#include <vector>

class PageFinder {
public:
    // The list rows, in list order, of the pages that hold the term.
    QList<int> rowsHolding(const QString& term);
    // The first row after `row` (before it, going back) whose page holds the term,
    // going round the list's end; -1 when no page does. `row` may be any row, or -1.
    int nextRow(const QString& term, int row, bool back = false);

private:
    const std::vector<PageText>& texts();

    std::vector<PageText> texts_;
};
