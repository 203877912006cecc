#include "pages.h"

#include "notation/notation.h"

void p7_9(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 144."));
}

void p7_10(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 144."));
}

void p7_11(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 144."));
}

void p7_12(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 144."));
}

void p7_13(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 144."));
}

void p7_14(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　[追加問題]"));
}
