#pragma once
// Copying from the page. Ctrl+C gives the selected prose and formulas, or the whole page,
// in every form a paste may want: linear text, HTML with MathML, LaTeX, and for the whole
// page its image at the window's device pixel ratio. The other copies give one text form,
// as plain text, for editors that take nothing else.
class QMimeData;
class PageView;

namespace PageClipboard {
// The selection or the page; the page's image only when there is memory for it.
QMimeData* mimeDataOf(const PageView& view, double devicePixelRatio);
// As LaTeX: prose as it reads, formulas between $…$ or \[…\].
QMimeData* latexDataOf(const PageView& view);
// As linear text.
QMimeData* textDataOf(const PageView& view);
// Puts data on the clipboard, which takes it over.
void put(QMimeData* data);
}  // namespace PageClipboard
