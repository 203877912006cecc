#pragma once
// Ctrl+C: the page on the clipboard, as an image at the window's device pixel ratio
// and as its text in reading order, so it pastes into a drawing or into notes alike.
class QMimeData;
class PageView;

namespace PageClipboard {
// The page as the clipboard gets it; the text alone when there is no memory for the image.
QMimeData* mimeDataOf(const PageView& view, double devicePixelRatio);
// False when the image could not be made and only the text was copied.
bool copy(const PageView& view, double devicePixelRatio);
}  // namespace PageClipboard
