#pragma once
// What the pages' text means to a reader. The pages write Greek letters and signs
// as Latin letters and single byte codes in the "Symbol" face (the Adobe Symbol
// encoding: "q" draws θ, code 182 draws ∂); everything that hands text to a reader
// (clipboard, find, screen reader, the PDF's text layer) reads it through here.
#include "surface.h"

#include <QString>

bool isSymbolFace(const QString& face);

// The Unicode text a byte code of the Symbol face stands for. A tall sign drawn in
// pieces reads as one sign on its top piece: the upper half of a tall integral is ∫,
// the top piece of a tall bracket the bracket; the other pieces, the radical's
// extender and codes the encoding leaves free stand for nothing (empty).
QString symbolMeaning(QChar code);

// The text of a run in `face` as a reader takes it: for the Symbol face the meaning
// of each code, for every other face the characters themselves.
QString meaningOf(const QString& face, const QString& text);
QString meaningOf(const DrawOp& op);
