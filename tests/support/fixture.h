#pragma once
// Shared set-up for the tests: a loaded form, a scratch surface for builders,
// and small queries over recorded drawing operations.
#include "canvas/drawing_state.h"
#include "canvas/surface.h"
#include "pages/registry.h"
#include "shell/form/math_form.h"

#include <QString>
#include <vector>

// A form after start-up (first page drawn), shared by the tests of one executable.
MathForm& loadedForm();

// The operations of one page, drawn on screen or in the print view.
std::vector<DrawOp> pageOps(const QString& id, bool printView = false);

// A cleared 682 x 722 surface at the body size, made current, pen at (x, y).
Surface& scratchSurface(float x = 100, float y = 100);

// Index of the first text operation at or after `from` whose text is `text`; -1 if none.
int indexOf(const std::vector<DrawOp>& ops, const QString& text, int from = 0);
// One line per operation, for comparing whole pages.
QString describe(const std::vector<DrawOp>& ops);
