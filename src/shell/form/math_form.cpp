#include "shell/form/math_form.h"

#include "pages/page_draw.h"
#include "pages/registry.h"

using namespace Qt::StringLiterals;

const QString MathForm::printItem = u" [印刷する]"_s;

QString MathForm::listEntry(const QString& id) { return u"[問題 "_s + id + u"]"_s; }

MathForm::MathForm() = default;

void MathForm::formLoad()
{
    backColor = 0xF0F0F0;
    FormColors colors{backColor, {&boxBackColor, &pic.BackColor}};
    dspSetup(startup_, colors);
    backColor = colors.BackColor;
    startup_.leftMargin = 0;
    measureMetrics(startup_, pic, 12.75f);
    freshStart_ = {startup_.bracketRise, startup_.baseFontSize, pic.style()};
    carried_ = freshStart_;
    for (const QString& id : listedIds()) setNoProb(id);
    select(0);
    items_.append(printItem);
    loadPrintView();
}

void MathForm::loadPrintView()
{
    VbColor viewBackColor = 0x8000000F;
    FormColors colors{viewBackColor, {&pic2.BackColor}};
    dspSetup(startup_, colors);
    pic2.BackColor = startup_.paperColor;
    pic2.Height = pic.Height;
    pic2.FontSize = pic.FontSize;
}

void MathForm::setNoProb(const QString& id)
{
    // The id table has slots 1..100; a further id is refused rather than written past the end.
    if (probCount_ + 1 > 100) return;
    ++probCount_;
    probIds_[size_t(probCount_)] = id;
    items_.append(listEntry(id));
}

void MathForm::select(int index)
{
    if (index < 0 || index >= items_.size() || index == listIndex_) return;
    listIndex_ = index;
    if (onSelect) onSelect(index);
    boxClick();
}

void MathForm::boxClick()
{
    if (clickBusy_ || listIndex_ < 0) return;
    clickBusy_ = true;
    if (listIndex_ == items_.size() - 1) {
        printBranch();
    } else {
        curProb_ = listIndex_ + 1;
        pic_g();
    }
    clickBusy_ = false;
}

bool MathForm::formKeyDown(Qt::Key key)
{
    const int count = int(items_.size());
    switch (key) {
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Home:
        select(0);
        break;
    case Qt::Key_End:
        select(count - 2);
        break;
    case Qt::Key_Up:
    case Qt::Key_Backspace:
        if (listIndex_ >= 1 && listIndex_ <= count - 1) select(listIndex_ - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (listIndex_ >= 0 && listIndex_ <= count - 3) select(listIndex_ + 1);
        break;
    default:
        break;
    }
    return false;
}

void MathForm::printBranch()
{
    // The page the screen shows, from what it was drawn from: the sheet matches the screen.
    drawOn(pic2, currentId(), true, shownFrom_);
    if (onPrint) onPrint(pic2);
}

QString MathForm::currentId() const { return curProb_ >= 1 && curProb_ <= 100 ? probIds_[size_t(curProb_)] : QString(); }

long MathForm::leftMargin(bool printView) const { return printView ? roundHalfEven(2.0 * startup_.chW) : 0; }

void MathForm::pic_g()
{
    shownFrom_ = carried_;
    carried_ = drawOn(pic, currentId(), false, shownFrom_);
}

CarriedState MathForm::drawOn(Surface& target, const QString& id, bool printView, const CarriedState& from) const
{
    const PageEntry* page = findPage(id);
    if (!page) {
        // An id no page has (an empty slot): the surface is cleared and nothing else is drawn.
        target.Cls();
        return from;
    }
    return drawPage(*page, target, startup_, {leftMargin(printView), listEntry(id)}, from);
}

MathForm::Drawn MathForm::drawn(const QString& id, bool printView, const CarriedState& from) const
{
    const Surface& view = printView ? pic2 : pic;
    Drawn page{Surface(int(view.Width), pageHeight), {}};
    page.surface.Height = view.Height;
    page.surface.BackColor = view.BackColor;
    page.leaves = drawOn(page.surface, id, printView, from);
    return page;
}

void MathForm::showPage(const QString& id, bool printView) { drawOn(printView ? pic2 : pic, id, printView, freshStart_); }
