#include "page_text.h"

#include "fonts.h"
#include "symbol_encoding.h"
#include "text_layout.h"

#include <QMap>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

// How a page is read.
//
// Lines. The runs of one row share their cell top. The other parts of a formula join
// its line in one of three ways: drawn within a few operations of a run next to them
// whose cell they mostly overlap (a script and its base, a limit beside an integral
// sign, the pieces of a tall sign); centred over or under a bar and close to it (a
// numerator, a denominator); or nearly touching a big sign they overlap (the limits of
// Σ). Body-size runs one over the other are separate lines however close, and a limit
// that reaches into the band of an earlier line stays with its sign. What is left in
// small type and narrow (a lone limit, a label) is read on the nearest line right above
// or below it. Lines are read top to bottom by their middles.
//
// Within a line, left to right:
// - A script is read right after its base: a run smaller than the run it follows,
//   whose ink starts where that one's ends and which is raised or lowered by less than
//   0.4 of its cell.
// - Runs whose ink overlaps horizontally form a stack (a fraction, a sign with its
//   limits, a tall sign's pieces, a column of a determinant) and are read top to
//   bottom, one tier at a time, each tier left to right. Bars with tiers above and
//   below them are a fraction bar and read "/", with parentheses around a numerator or
//   denominator of more than one character that is not a number: "1/(2π)". A bar with
//   nothing above it is the top of a radical, whose radicand is enclosed the same way.
//   Other tiers are separated by a space.
// - A space separates two runs (or stacks) that the page sets apart by 0.2 of the
//   line's type size or more, unless one of them already has one there.

namespace {

// Something read on a line: a stretch of a text run, or a horizontal stroke that may be
// a fraction bar. Runs are cut where box-drawing bars begin or end, as the pages draw
// a fraction bar and the sign after it in one run.
struct Item {
    int op = -1;
    int from = 0;  // the first drawn character of the run it covers
    QRectF cell;   // a stroke: its length, one pixel high at its height
    QRectF ink;    // what overlaps its neighbours
    QString text;
    double pixelSize = 0;  // 0 for a stroke
    bool bar = false;      // a stroke, or box-drawing bars
    std::vector<double> edges;

    bool isRun() const { return pixelSize > 0; }
    double centre() const { return cell.center().y(); }
};

bool isBarCharacter(QChar c) { return c == QChar(0x2500) || c == QChar(0x2015); }

std::vector<double> characterEdges(const DrawOp& op)
{
    const FontTable& fonts = FontTable::current();
    const double px = pointsToPixels(op.points);
    std::vector<double> edges{op.x};
    for (qsizetype i = 1; i <= op.text.size(); ++i)
        edges.push_back(op.x + fonts.width(op.face, px, op.bold, op.italic, op.text.left(i)));
    return edges;
}

void addRunItems(std::vector<Item>& items, const DrawOp& op, int index)
{
    const double px = pointsToPixels(op.points);
    const double height = FontTable::current().metrics(op.face, px, op.bold, op.italic).height();
    const std::vector<double> edges = characterEdges(op);
    const QRectF ink = inkOf(op);
    for (int from = 0; from < op.text.size();) {
        const bool bar = isBarCharacter(op.text.at(from));
        int to = from + 1;
        while (to < op.text.size() && isBarCharacter(op.text.at(to)) == bar) ++to;
        Item item;
        item.op = index;
        item.from = from;
        item.text = meaningOf(op.face, op.text.mid(from, to - from));
        item.cell = QRectF(QPointF(edges[size_t(from)], op.y), QPointF(edges[size_t(to)], op.y + height));
        item.ink = ink.isEmpty() ? item.cell
                                 : QRectF(QPointF(std::max(item.cell.left(), ink.left()), ink.top()),
                                          QPointF(std::min(item.cell.right(), ink.right()), ink.bottom()));
        item.pixelSize = px;
        item.bar = bar;
        item.edges.assign(edges.begin() + from, edges.begin() + to + 1);
        // The lower pieces of a tall sign mean nothing but hold a formula together.
        if (!op.text.mid(from, to - from).trimmed().isEmpty()) items.push_back(std::move(item));
        from = to;
    }
}

Item strokeItem(const DrawOp& op, int index)
{
    Item item;
    item.op = index;
    item.cell = QRectF(std::min(op.x, op.x2), op.y - 0.5, std::abs(op.x2 - op.x), 1);
    item.bar = true;
    item.ink = item.cell;
    return item;
}

bool isHorizontalStroke(const DrawOp& op)
{
    return op.kind == DrawOp::Line && op.y == op.y2 && std::abs(op.x2 - op.x) >= 2;
}

std::vector<Item> readableItems(const std::vector<DrawOp>& ops)
{
    std::vector<Item> items;
    for (int i = 0; i < int(ops.size()); ++i) {
        const DrawOp& op = ops[size_t(i)];
        if (op.kind == DrawOp::Text)
            addRunItems(items, op, i);
        else if (isHorizontalStroke(op))
            items.push_back(strokeItem(op, i));
    }
    return items;
}

// --- Lines ---

// The median of a measure over the page's runs: the body type's.
double typical(const std::vector<Item>& items, double (*measure)(const Item&))
{
    std::vector<double> values;
    for (const Item& i : items)
        if (i.isRun()) values.push_back(measure(i));
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return values.empty() ? 0 : *middle;
}

// A page draws a formula's parts one after the other and next to each other; drawn
// far apart, runs of one height may be a limit that reaches into the line above.
constexpr int drawnClose = 20;

bool sameTop(const Item& a, const Item& b)
{
    return a.isRun() && b.isRun() && std::abs(a.cell.top() - b.cell.top()) < 0.5;
}

bool drawnTogether(const Item& a, const Item& b, double bodySize)
{
    const double overlap = std::min(a.cell.bottom(), b.cell.bottom()) - std::max(a.cell.top(), b.cell.top());
    const double apart = std::max(a.ink.left(), b.ink.left()) - std::min(a.ink.right(), b.ink.right());
    return std::abs(b.op - a.op) <= drawnClose && apart <= 2 * bodySize &&
           overlap >= 0.6 * std::min(a.cell.height(), b.cell.height());
}

// How close a limit stands to its big sign, and a numerator to its bar.
struct Closeness {
    double bodySize, gap, barGap;
};

double verticalGap(const Item& a, const Item& b)
{
    return std::max(a.ink.top(), b.ink.top()) - std::min(a.ink.bottom(), b.ink.bottom());
}

bool over(const Item& run, const Item& bar, double barGap)
{
    return bar.bar && run.ink.left() >= bar.ink.left() - 2 && run.ink.right() <= bar.ink.right() + 2 &&
           verticalGap(run, bar) <= barGap;
}

bool standOnEachOther(const Item& a, const Item& b, const Closeness& close)
{
    auto big = [&](const Item& i) { return i.pixelSize > 1.3 * close.bodySize; };
    const double overlap = std::min(a.ink.right(), b.ink.right()) - std::max(a.ink.left(), b.ink.left());
    return ((big(a) || big(b)) && overlap > 0.5 && verticalGap(a, b) <= close.gap) ||
           over(a, b, close.barGap) || over(b, a, close.barGap);
}

// Items joined into lines: the groups that share rows or stand on each other.
std::vector<std::vector<size_t>> connectedGroups(const std::vector<Item>& items, const Closeness& close)
{
    std::vector<size_t> parent(items.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t j = i + 1; j < items.size(); ++j) {
            const Item &a = items[i], &b = items[j];
            if (sameTop(a, b) || drawnTogether(a, b, close.bodySize) || standOnEachOther(a, b, close))
                parent[root(j)] = root(i);
        }
    }
    QMap<size_t, std::vector<size_t>> groups;
    for (size_t i = 0; i < items.size(); ++i) groups[root(i)].push_back(i);
    return {groups.cbegin(), groups.cend()};
}

double medianCentre(const std::vector<Item>& items, const std::vector<size_t>& group)
{
    std::vector<double> centres;
    for (size_t i : group) centres.push_back(items[i].centre());
    const auto middle = centres.begin() + std::ptrdiff_t(centres.size() / 2);
    std::nth_element(centres.begin(), middle, centres.end());
    return *middle;
}

// The line a narrow group of small type (a lone limit, a label) is read on: the
// nearest line right above or below it, or failing that the nearest line.
size_t hostLine(const std::vector<Item>& items, const std::vector<size_t>& small,
                const std::vector<std::vector<size_t>>& lines)
{
    std::optional<size_t> best;
    double bestGap = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        for (size_t i : small) {
            for (size_t j : lines[l]) {
                const Item &a = items[i], &b = items[j];
                const bool overlap = std::min(a.ink.right(), b.ink.right()) > std::max(a.ink.left(), b.ink.left());
                const double gap = std::max(a.ink.top(), b.ink.top()) - std::min(a.ink.bottom(), b.ink.bottom());
                if (overlap && (!best || gap < bestGap)) {
                    best = l;
                    bestGap = gap;
                }
            }
        }
    }
    if (best) return *best;
    size_t nearest = 0;
    const double centre = medianCentre(items, small);
    for (size_t l = 1; l < lines.size(); ++l)
        if (std::abs(medianCentre(items, lines[l]) - centre) < std::abs(medianCentre(items, lines[nearest]) - centre))
            nearest = l;
    return nearest;
}

std::vector<std::vector<Item>> splitIntoLines(std::vector<Item> items)
{
    const double bodySize = typical(items, [](const Item& i) { return i.pixelSize; });
    const double height = typical(items, [](const Item& i) { return i.cell.height(); });
    std::vector<std::vector<size_t>> lines, small;
    for (std::vector<size_t>& group : connectedGroups(items, {bodySize, 0.25 * height, 0.4 * height})) {
        bool body = false;
        std::optional<QRectF> runs;
        for (size_t i : group) {
            if (!items[i].isRun()) continue;
            body = body || items[i].pixelSize >= 0.9 * bodySize;
            runs = runs ? runs->united(items[i].ink) : items[i].ink;
        }
        const bool wide = runs && runs->width() >= 4 * bodySize;
        (body || wide ? lines : small).push_back(std::move(group));
    }
    if (lines.empty()) std::swap(lines, small);
    for (const std::vector<size_t>& group : small) {
        std::vector<size_t>& host = lines[hostLine(items, group, lines)];
        host.insert(host.end(), group.cbegin(), group.cend());
    }
    std::sort(lines.begin(), lines.end(), [&](const auto& a, const auto& b) {
        return medianCentre(items, a) < medianCentre(items, b);
    });
    std::vector<std::vector<Item>> result;
    for (const std::vector<size_t>& line : lines) {
        result.emplace_back();
        for (size_t i : line) result.back().push_back(items[i]);
    }
    return result;
}

// --- Within a line ---

// A run with the scripts read after it, or a bar on its own.
struct Group {
    std::vector<const Item*> members;  // left to right
    const Item* head() const { return members.front(); }
    double left() const { return head()->cell.left(); }
    double right() const
    {
        double r = head()->cell.right();
        for (const Item* m : members) r = std::max(r, m->cell.right());
        return r;
    }
    double inkLeft() const
    {
        double l = head()->ink.left();
        for (const Item* m : members) l = std::min(l, m->ink.left());
        return l;
    }
    double inkRight() const
    {
        double r = head()->ink.right();
        for (const Item* m : members) r = std::max(r, m->ink.right());
        return r;
    }
};

bool isScriptOf(const Item& script, const Item& base)
{
    return base.isRun() && !base.bar && script.pixelSize < base.pixelSize && script.cell.left() >= base.cell.left() &&
           std::abs(script.ink.left() - base.ink.right()) <= 0.3 * base.pixelSize &&
           std::abs(script.cell.top() - base.cell.top()) <= 0.4 * base.cell.height();
}

// The items left to right, each script joined to its base.
std::vector<Group> groupScripts(const std::vector<Item>& line)
{
    std::vector<const Item*> order;
    for (const Item& item : line) order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const Item* a, const Item* b) { return a->cell.left() < b->cell.left(); });
    std::vector<Group> groups;
    std::vector<size_t> groupOf(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const Item& item = *order[i];
        std::optional<size_t> base;
        double gap = 0;
        for (size_t j = 0; item.isRun() && !item.bar && j < i; ++j) {
            const double g = std::abs(item.ink.left() - order[j]->ink.right());
            if (isScriptOf(item, *order[j]) && (!base || g < gap)) {
                base = j;
                gap = g;
            }
        }
        if (base) {
            groupOf[i] = groupOf[*base];
            groups[groupOf[i]].members.push_back(&item);
        } else {
            groupOf[i] = groups.size();
            groups.push_back({{&item}});
        }
    }
    return groups;
}

// Groups whose ink overlaps horizontally, left to right.
std::vector<std::vector<const Group*>> stacks(const std::vector<Group>& groups)
{
    std::vector<const Group*> order;
    for (const Group& g : groups) order.push_back(&g);
    std::stable_sort(order.begin(), order.end(),
                     [](const Group* a, const Group* b) { return a->inkLeft() < b->inkLeft(); });
    std::vector<std::vector<const Group*>> result;
    double right = 0;
    for (const Group* g : order) {
        if (result.empty() || g->inkLeft() >= right - 1) {
            result.push_back({});
            right = g->inkRight();
        } else {
            right = std::max(right, g->inkRight());
        }
        result.back().push_back(g);
    }
    return result;
}

// Where text is put together, spaces where the page leaves room.
class Reading {
public:
    explicit Reading(double spaceWidth) : spaceWidth_(spaceWidth) {}

    void add(const QString& text, double left, double right)
    {
        if (text.isEmpty()) return;
        if (!text_.isEmpty() && left - right_ >= spaceWidth_ && !text_.back().isSpace() && !text.front().isSpace())
            text_ += u' ';
        text_ += text;
        right_ = right;
    }
    const QString& text() const { return text_; }

private:
    double spaceWidth_;
    QString text_;
    double right_ = 0;
};

class LineReader {
public:
    LineReader(const std::vector<Item>& line, std::vector<PageText::Run>& runs) : runs_(runs)
    {
        const Item& typical = typicalRun(line);
        spaceWidth_ = 0.2 * typical.pixelSize;
        tierSpread_ = 0.3 * typical.cell.height();
        groups_ = groupScripts(line);
        Reading reading(spaceWidth_);
        for (const auto& stack : stacks(groups_)) reading.add(readStack(stack), stack.front()->left(), rightOf(stack));
        text_ = reading.text().trimmed();
    }
    const QString& text() const { return text_; }

private:
    // The run of the median type size, which sets the line's spacing.
    static const Item& typicalRun(const std::vector<Item>& line)
    {
        std::vector<const Item*> runs;
        for (const Item& i : line)
            if (i.isRun()) runs.push_back(&i);
        const auto middle = runs.begin() + std::ptrdiff_t(runs.size() / 2);
        std::nth_element(runs.begin(), middle, runs.end(),
                         [](const Item* a, const Item* b) { return a->pixelSize < b->pixelSize; });
        return **middle;
    }

    static double rightOf(const std::vector<const Group*>& groups)
    {
        double r = 0;
        for (const Group* g : groups) r = std::max(r, g->right());
        return r;
    }

    QString readGroup(const Group& group)
    {
        Reading reading(spaceWidth_);
        for (const Item* m : group.members) {
            if (!m->isRun() || m->text.isEmpty()) continue;
            runs_.push_back({m->op, m->from, m->cell, m->text, m->edges});
            reading.add(m->text, m->cell.left(), m->cell.right());
        }
        return reading.text();
    }

    // One tier of a stack: groups whose heads' tops lie close together, or a bar alone.
    struct Tier {
        std::vector<const Group*> groups;
        double position = 0;
        bool bar() const { return groups.front()->head()->bar && groups.size() == 1; }
    };

    std::vector<Tier> tiers(std::vector<const Group*> stack) const
    {
        std::stable_sort(stack.begin(), stack.end(),
                         [](const Group* a, const Group* b) { return a->head()->cell.top() < b->head()->cell.top(); });
        std::vector<Tier> result;
        double firstTop = 0;
        for (const Group* g : stack) {
            const bool bar = g->head()->bar;
            if (bar || result.empty() || result.back().bar() || g->head()->cell.top() - firstTop > tierSpread_) {
                result.push_back({});
                firstTop = g->head()->cell.top();
            }
            result.back().groups.push_back(g);
        }
        for (Tier& t : result) {
            for (const Group* g : t.groups) t.position += g->head()->centre();
            t.position /= double(t.groups.size());
            std::stable_sort(t.groups.begin(), t.groups.end(),
                             [](const Group* a, const Group* b) { return a->left() < b->left(); });
        }
        std::stable_sort(result.begin(), result.end(),
                         [](const Tier& a, const Tier& b) { return a.position < b.position; });
        return result;
    }

    QString readTier(const Tier& tier)
    {
        Reading reading(spaceWidth_);
        for (const Group* g : tier.groups) reading.add(readGroup(*g), g->left(), g->right());
        return reading.text();
    }

    // A numerator, denominator or radicand as it reads inside a longer expression.
    static QString enclosed(QString part)
    {
        part = part.trimmed();
        bool number = false;
        part.toDouble(&number);
        return part.size() > 1 && !number ? u'(' + part + u')' : part;
    }

    // Bars next to each other (a fraction bar drawn in pieces, the top of a radical
    // under it) divide as one; a bar with nothing above it is the top of a radical.
    QString readStack(const std::vector<const Group*>& stack)
    {
        const std::vector<Tier> ts = tiers(stack);
        auto t = ts.cbegin();
        const bool radicand = t->bar();
        while (t != ts.cend() && t->bar()) ++t;
        QStringList parts{QString()};
        bool afterBar = false;
        for (; t != ts.cend(); ++t) {
            if (t->bar()) {
                afterBar = true;
                continue;
            }
            if (afterBar) parts.append(QString());
            afterBar = false;
            const QString tier = readTier(*t);
            if (!parts.back().isEmpty() && !tier.isEmpty()) parts.back() += u' ';
            parts.back() += tier;
        }
        if (parts.size() > 1) {
            for (QString& p : parts) p = enclosed(p);
            parts = QStringList{parts.join(u'/')};
        }
        return radicand ? enclosed(parts.front()) : parts.front();
    }

    std::vector<PageText::Run>& runs_;
    double spaceWidth_ = 0, tierSpread_ = 0;
    std::vector<Group> groups_;
    QString text_;
};

}  // namespace

QString searchForm(const QString& text)
{
    QString form = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    form.removeIf([](QChar c) { return c.isSpace(); });
    return form;
}

PageText::PageText(const std::vector<DrawOp>& ops)
{
    for (const std::vector<Item>& items : splitIntoLines(readableItems(ops))) {
        Line line;
        line.text = LineReader(items, line.runs).text();
        if (line.text.isEmpty()) continue;
        text_ += line.text + u'\n';
        Searchable searchable;
        for (int r = 0; r < int(line.runs.size()); ++r) {
            const Run& run = line.runs[size_t(r)];
            const DrawOp& op = ops[size_t(run.op)];
            for (int c = 0; c + 1 < int(run.edges.size()); ++c) {
                const QString unit = searchForm(meaningOf(op.face, QString(op.text.at(run.from + c))));
                searchable.text += unit;
                searchable.origins.insert(searchable.origins.end(), size_t(unit.size()), {r, c});
            }
        }
        lines_.push_back(std::move(line));
        searchable_.push_back(std::move(searchable));
    }
}

bool PageText::contains(const QString& term) const
{
    const QString wanted = searchForm(term);
    if (wanted.isEmpty()) return false;
    return std::any_of(searchable_.cbegin(), searchable_.cend(),
                       [&](const Searchable& s) { return s.text.contains(wanted); });
}

std::vector<QRectF> PageText::find(const QString& term) const
{
    const QString wanted = searchForm(term);
    std::vector<QRectF> found;
    if (wanted.isEmpty()) return found;
    for (size_t l = 0; l < lines_.size(); ++l) {
        const Searchable& s = searchable_[l];
        for (qsizetype at = s.text.indexOf(wanted); at >= 0; at = s.text.indexOf(wanted, at + wanted.size())) {
            // The matched units, cut where they change runs.
            for (qsizetype u = at; u < at + wanted.size();) {
                const Searchable::Origin first = s.origins[size_t(u)];
                qsizetype end = u;
                while (end < at + wanted.size() && s.origins[size_t(end)].run == first.run) ++end;
                const Run& run = lines_[l].runs[size_t(first.run)];
                const int last = s.origins[size_t(end - 1)].character;
                found.emplace_back(QPointF(run.edges[size_t(first.character)], run.cell.top()),
                                   QPointF(run.edges[size_t(last + 1)], run.cell.bottom()));
                u = end;
            }
        }
    }
    return found;
}
