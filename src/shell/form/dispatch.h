#pragma once
// The table of page scripts, in the order the dispatcher compares ids.
#include "pages/pages.h"

#include <QString>
#include <vector>

struct PageEntry {
    const char* id;
    PageScript script;
};

const std::vector<PageEntry>& dispatchTable();
// The script of an id, or nullptr when the table does not know it.
PageScript findPage(const QString& id);
