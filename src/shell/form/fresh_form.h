#pragma once
// Pages drawn apart from the window (to save them, to search them) are drawn on a form
// of their own, from the fresh drawing state a headless command starts with, so they
// come out as the exports make them. The drawing state is shared by every form, so the
// window's is put back afterwards: its next page draws as if nothing had happened.
#include "canvas/drawing_state.h"
#include "shell/form/math_form.h"

#include <utility>

template <class Work>
auto onFreshForm(Work&& work)
{
    struct KeptDrawingState {
        const DrawingState kept = ds();
        ~KeptDrawingState() { ds() = kept; }
    } keep;
    ds() = DrawingState{};
    MathForm form;
    form.formLoad();
    return std::forward<Work>(work)(form);
}
