#include "shell/form/dispatch.h"

const std::vector<PageEntry>& dispatchTable()
{
    static const std::vector<PageEntry> table = {
        {"1.8a", p1_8a}, {"1.8", p1_8},   {"1.11", p1_11}, {"1.12", p1_12}, {"1.13", p1_13}, {"1.14", p1_14},
        {"1.15", p1_15}, {"1.16", p1_16}, {"1.17", p1_17}, {"3.2", p3_2},   {"3.3", p3_3},   {"5.5", p5_5},
        {"5.9", p5_9},   {"5.12", p5_12}, {"5.13", p5_13}, {"5.14", p5_14}, {"5.15", p5_15}, {"5.16", p5_16},
        {"5.17", p5_17}, {"6.1", p6_1},   {"6.4", p6_4},   {"7.9", p7_9},   {"7.10", p7_10}, {"7.11", p7_11},
        {"7.12", p7_12}, {"7.13", p7_13}, {"7.14", p7_14},
    };
    return table;
}

PageScript findPage(const QString& id)
{
    for (const PageEntry& e : dispatchTable())
        if (id == QLatin1String(e.id)) return e.script;
    return nullptr;
}
