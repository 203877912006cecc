#pragma once
// Page scripts: one per problem, each a fixed sequence of pen moves, prose runs
// and notation builders drawn on the current surface.
#include <QString>

// What a page reads from the window that shows it: the list entry of its problem
// and the scratch marks it writes before it reads them.
struct PageContext {
    QString entry;
    float markX2 = 0;
    float markX3 = 0;
    float markY = 0;
};

using PageScript = void (*)(PageContext&);

void p1_8a(PageContext& page);
void p1_8(PageContext& page);
void p1_11(PageContext& page);
void p1_12(PageContext& page);
void p1_13(PageContext& page);
void p1_14(PageContext& page);
void p1_15(PageContext& page);
void p1_16(PageContext& page);
void p1_17(PageContext& page);
void p3_2(PageContext& page);
void p3_3(PageContext& page);
void p5_5(PageContext& page);
void p5_9(PageContext& page);
void p5_12(PageContext& page);
void p5_13(PageContext& page);
void p5_14(PageContext& page);
void p5_15(PageContext& page);
void p5_16(PageContext& page);
void p5_17(PageContext& page);
void p6_1(PageContext& page);
void p6_4(PageContext& page);
void p7_9(PageContext& page);
void p7_10(PageContext& page);
void p7_11(PageContext& page);
void p7_12(PageContext& page);
void p7_13(PageContext& page);
void p7_14(PageContext& page);
