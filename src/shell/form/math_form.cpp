#include "shell/form/math_form.h"

#include "canvas/drawing_state.h"
#include "shell/form/dispatch.h"

const QString MathForm::printItem = QStringLiteral(" [印刷する]");

const QStringList& MathForm::problemIds()
{
    static const QStringList ids = {"1.8a", "1.8",  "1.11", "1.12", "1.13", "1.14", "1.15", "1.16", "1.17",
                                    "3.2",  "3.3",  "5.5",  "5.9",  "5.12", "5.13", "5.14", "5.15", "5.16",
                                    "6.1",  "6.4",  "7.9",  "7.10", "7.11", "7.12", "7.13", "7.14"};
    return ids;
}

QString MathForm::listEntry(const QString& id) { return QStringLiteral("[問題 ") + id + QStringLiteral("]"); }

MathForm::MathForm() = default;

void MathForm::formLoad()
{
    backColor = 0xF0F0F0;
    FormColors colors{backColor, {&boxBackColor, &pic.BackColor}};
    dspSetup(colors);
    backColor = colors.BackColor;
    ds().curPic = &pic;
    ds().leftMargin = 0;
    measureMetrics(pic, 12.75f);
    pic.BorderStyle = 0;
    for (const QString& id : problemIds()) setNoProb(id);
    select(0);
    items_.append(printItem);
    loadPrintView();
}

void MathForm::loadPrintView()
{
    FormColors colors{frm2BackColor, {&pic2.BackColor}};
    dspSetup(colors);
    frm2BackColor = ds().paperColor;
    pic2.BackColor = ds().paperColor;
    pic2.Height = pic.Height;
    pic2.FontSize = pic.FontSize;
    pic2.BorderStyle = 0;
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
        ds().curPic = &pic;
        curProb_ = listIndex_ + 1;
        ds().leftMargin = 0;
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
    ds().curPic = &pic2;
    ds().leftMargin = roundHalfEven(2.0 * ds().chW);
    pic_g();
    if (onPrint) onPrint(pic2);
}

QString MathForm::currentId() const { return curProb_ >= 1 && curProb_ <= 100 ? probIds_[size_t(curProb_)] : QString(); }

void MathForm::pic_g() { drawPage(currentId(), items_.value(int(curProb_) - 1)); }

void MathForm::drawPage(const QString& id, const QString& entry)
{
    ds().penX = float(ds().leftMargin);
    ds().penY = float(0.5 * ds().lineH);
    ds().curPic->Cls();
    if (PageScript script = findPage(id)) {
        page.entry = entry;
        script(page);
    }
}

void MathForm::showPage(const QString& id, bool printView)
{
    ds().curPic = printView ? &pic2 : &pic;
    ds().leftMargin = printView ? roundHalfEven(2.0 * ds().chW) : 0;
    drawPage(id, listEntry(id));
}
