#include "shell/reading/page_finder.h"

#include "shell/form/math_form.h"
#include "pages/registry.h"

const std::vector<PageText>& PageFinder::texts()
{
    if (texts_.empty())
        for (const QString& id : listedIds()) texts_.emplace_back(form_.drawn(id, false, form_.freshStart()).surface.displayList());
    return texts_;
}

QList<int> PageFinder::rowsHolding(const QString& term)
{
    QList<int> rows;
    const std::vector<PageText>& pages = texts();
    for (int row = 0; row < int(pages.size()); ++row)
        if (pages[size_t(row)].holds(term)) rows.append(row);
    return rows;
}

int PageFinder::nextRow(const QString& term, int row, bool back)
{
    const QList<int> rows = rowsHolding(term);
    if (rows.isEmpty()) return -1;
    if (back) {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            if (*it < row) return *it;
        return rows.last();
    }
    for (int candidate : rows)
        if (candidate > row) return candidate;
    return rows.first();
}
