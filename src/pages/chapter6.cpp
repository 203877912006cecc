#include "pages.h"

#include "notation/notation.h"

void p6_1(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 121."));
}

void p6_4(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 121."));
}
