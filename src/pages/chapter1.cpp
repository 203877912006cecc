#include "pages.h"

#include "notation/notation.h"

void p1_8a(PageContext& page)
{
    putColored(page.entry + QStringLiteral(" (追加問題)"));
}

void p1_8(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 13."));
}

void p1_11(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
}

void p1_12(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
}

void p1_13(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
}

void p1_14(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
}

void p1_15(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16."));
}

void p1_16(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 16"));
}

void p1_17(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　(追加問題)　"));
}
