#pragma once
// Ctrl+C: the page on the clipboard, as an image at the window's device pixel ratio
// and as its text in reading order, so it pastes into a drawing or into notes alike.
class QMimeData;
class PageView;

namespace PageClipboard {
// The page as the clipboard gets it.
QMimeData* mimeDataOf(const PageView& view, double devicePixelRatio);
void copy(const PageView& view, double devicePixelRatio);
}  // namespace PageClipboard
