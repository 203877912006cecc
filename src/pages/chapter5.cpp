#include "pages.h"

#include "notation/notation.h"

void p5_5(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 84."));
}

void p5_9(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 107."));
}

void p5_12(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 108."));
}

void p5_13(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 108."));
}

void p5_14(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 108."));
}

void p5_15(PageContext& page)
{
    putColored(page.entry + QStringLiteral("　p. 108."));
}

void p5_16(PageContext& page)
{
    putColored(page.entry + QStringLiteral("(追加問題) p. 82."));
}

void p5_17(PageContext& page)
{
    putColored(page.entry + QStringLiteral("(追加問題) p. 37-38."));
}
