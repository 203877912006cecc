#pragma once
// Shared set-up for the tests: a loaded form, a scratch surface for builders,
// and small queries over recorded drawing operations.
#include "canvas/drawing_state.h"
#include "canvas/surface.h"
#include "pages/registry.h"
#include "shell/form/math_form.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// A form after start-up (first page drawn), shared by the tests of one executable.
MathForm& loadedForm();

// The operations of one page, drawn on screen or in the print view.
std::vector<DrawOp> pageOps(const QString& id, bool printView = false);
// The page drawn as a fresh start draws it, with its formulas and rows.
Surface pageSurface(const QString& id, bool printView = false);

// A cleared 682 x 722 surface at the body size, made current, pen at (x, y).
Surface& scratchSurface(float x = 100, float y = 100);

// Index of the first text operation at or after `from` whose text is `text`; -1 if none.
int indexOf(const std::vector<DrawOp>& ops, const QString& text, int from = 0);
// One line per operation, for comparing whole pages.
QString describe(const std::vector<DrawOp>& ops);

// What a file holds; empty when it cannot be read.
QByteArray contentsOf(const QString& path);
// A PDF's sheets as Poppler renders them at `dpi`: the bytes differ from one writing to
// the next (the time, the order of the fonts), what they show does not.
QList<QImage> sheetsOf(const QString& pdf, int dpi = 30);
// The program run headless with some arguments: its exit status (-1 when it did not end
// in time) and what it wrote on standard output.
struct HeadlessRun {
    int status;
    QByteArray out;
};
HeadlessRun runHeadless(const QStringList& args);
