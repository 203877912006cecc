#include "pages.h"

#include "notation/notation.h"

void p3_2(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 53."));
}

void p3_3(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 53."));
}
