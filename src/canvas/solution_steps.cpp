#include "canvas/solution_steps.h"

#include <algorithm>
#include <optional>

namespace {

struct Band {
    double top = 0;
    double bottom = 0;
    double centre() const { return (top + bottom) / 2; }
    bool holds(double y) const { return y >= top && y <= bottom; }
    void take(const Band& other)
    {
        top = std::min(top, other.top);
        bottom = std::max(bottom, other.bottom);
    }
};

// Where an operation stands from top to bottom: a text's cell down to its baseline (the
// descent is left out, so that a row's band does not reach into the next row's cells).
Band bandOf(const DrawOp& op)
{
    switch (op.kind) {
    case DrawOp::Text: return {op.y, op.y + op.ascent};
    case DrawOp::Circle: return {op.y - op.radius, op.y + op.radius};
    default: return {std::min(op.y, op.y2), std::max(op.y, op.y2)};
    }
}

std::optional<int> headingOf(const std::vector<DrawOp>& ops)
{
    for (int i = 0; i < int(ops.size()); ++i)
        if (ops[size_t(i)].kind == DrawOp::Text && ops[size_t(i)].text.startsWith(QStringLiteral("[解")))
            return i;
    return std::nullopt;
}

// The runs of operations between the script's row starts, from the heading on: [first, end).
std::vector<std::pair<int, int>> rowsFrom(int heading, const DisplayList& page)
{
    std::vector<int> starts{heading};
    for (int start : page.rowStarts)
        if (start > heading && start < int(page.ops.size())) starts.push_back(start);
    starts.push_back(int(page.ops.size()));
    std::vector<std::pair<int, int>> rows;
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        if (starts[i] < starts[i + 1]) rows.push_back({starts[i], starts[i + 1]});
    return rows;
}

Band bandOf(const std::vector<DrawOp>& ops, std::pair<int, int> row)
{
    Band band = bandOf(ops[size_t(row.first)]);
    for (int i = row.first + 1; i < row.second; ++i) band.take(bandOf(ops[size_t(i)]));
    return band;
}

}  // namespace

SolutionSteps::SolutionSteps(const DisplayList& page) : stepOfOp_(page.ops.size(), 0)
{
    const std::optional<int> heading = headingOf(page.ops);
    if (!heading) return;
    // Each row becomes a step of its own unless its middle lies in the band of a step
    // before it: then the script went back to add to that row.
    std::vector<Band> bands;
    for (const auto& row : rowsFrom(*heading, page)) {
        const Band band = bandOf(page.ops, row);
        const auto earlier = std::find_if(bands.begin(), bands.end(), [&](const Band& b) { return b.holds(band.centre()); });
        int step = int(earlier - bands.begin()) + 1;
        if (earlier == bands.end()) bands.push_back(band);
        else earlier->take(band);
        for (int i = row.first; i < row.second; ++i) stepOfOp_[size_t(i)] = step;
    }
    // A formula shows whole: the step of its first operation holds all of it.
    for (const FormulaSpan& span : page.formulas) {
        if (span.first < *heading) continue;
        int step = stepOfOp_[size_t(span.first)];
        for (int i = span.first; i <= span.last; ++i) step = std::min(step, stepOfOp_[size_t(i)]);
        for (int i = span.first; i <= span.last; ++i) stepOfOp_[size_t(i)] = step;
    }
    // Steps emptied by a formula that took their operations are no steps: number the rest
    // in order from 1.
    std::vector<int> used(stepOfOp_.begin() + *heading, stepOfOp_.end());
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    for (int i = *heading; i < int(stepOfOp_.size()); ++i)
        stepOfOp_[size_t(i)] = int(std::lower_bound(used.begin(), used.end(), stepOfOp_[size_t(i)]) - used.begin()) + 1;
    count_ = int(used.size());
}
