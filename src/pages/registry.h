#pragma once
// Every page the program can draw: its id, its script, and whether the problem list
// offers it. The list, the dispatcher, the command line, the benchmark and the tests
// all read this one table.
#include "pages.h"

#include <QString>
#include <QStringList>
#include <vector>

struct PageEntry {
    const char* id;
    PageScript script;
    bool listed;
};

// In the order the dispatcher compares ids; the listed ones are in list order.
const std::vector<PageEntry>& pageRegistry();
// The entry of an id, or nullptr when no page has it.
const PageEntry* findPage(const QString& id);
// The ids the problem list offers, in its order.
const QStringList& listedIds();
