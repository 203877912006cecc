#pragma once
// A formula's meaning, written by the page authors in a small LaTeX subset, read out three
// ways: as people type mathematics in plain text, and as presentation MathML.
#include <QString>

namespace formula {

// Whether the LaTeX is in the subset; on failure, why (for tests and a qFatal in debug use).
bool parses(const QString& latex, QString* error = nullptr);

// The formula as people type mathematics in plain text: x², ∑_(n=0)^∞, 1/(2π), √(1 − x).
// LaTeX outside the subset comes back as it is.
QString linearText(const QString& latex);

// Presentation MathML: <math xmlns="http://www.w3.org/1998/Math/MathML" display="block|inline">…</math>,
// its leaves the characters KaTeX gives for the same LaTeX. LaTeX outside the subset comes
// back as it is.
QString mathml(const QString& latex, bool display);

}  // namespace formula
