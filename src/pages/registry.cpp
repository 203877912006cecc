#include "registry.h"

const std::vector<PageEntry>& pageRegistry()
{
    static const std::vector<PageEntry> table = {
        {"1.8a", p1_8a, true},  {"1.8", p1_8, true},   {"1.11", p1_11, true}, {"1.12", p1_12, true},
        {"1.13", p1_13, true},  {"1.14", p1_14, true}, {"1.15", p1_15, true}, {"1.16", p1_16, true},
        {"1.17", p1_17, true},  {"3.2", p3_2, true},   {"3.3", p3_3, true},   {"5.5", p5_5, true},
        {"5.9", p5_9, true},    {"5.12", p5_12, true}, {"5.13", p5_13, true}, {"5.14", p5_14, true},
        {"5.15", p5_15, true},  {"5.16", p5_16, true},
        // Unlisted: its solution was never written (the page ends at its heading "[解 5.17]").
        {"5.17", p5_17, false},
        {"6.1", p6_1, true},    {"6.4", p6_4, true},   {"7.9", p7_9, true},   {"7.10", p7_10, true},
        {"7.11", p7_11, true},  {"7.12", p7_12, true}, {"7.13", p7_13, true}, {"7.14", p7_14, true},
    };
    return table;
}

const PageEntry* findPage(const QString& id)
{
    for (const PageEntry& e : pageRegistry())
        if (id == QLatin1String(e.id)) return &e;
    return nullptr;
}

const QStringList& listedIds()
{
    static const QStringList ids = [] {
        QStringList listed;
        for (const PageEntry& e : pageRegistry())
            if (e.listed) listed.append(QLatin1String(e.id));
        return listed;
    }();
    return ids;
}
