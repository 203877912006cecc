#include "shell/window/key_guide.h"

const std::vector<KeyHelp>& keyGuide()
{
    static const std::vector<KeyHelp> guide = {
        {QStringLiteral("Up, Backspace"), QStringLiteral("前の問題"), "previous problem"},
        {QStringLiteral("Down, Enter"), QStringLiteral("次の問題（印刷の項目には進みません）"),
         "next problem (never onto the print item)"},
        {QStringLiteral("Home, End"), QStringLiteral("最初の問題、最後の問題"), "first problem, last problem"},
        {QStringLiteral("Ctrl++, Ctrl+-"), QStringLiteral("拡大、縮小（50 % から 400 %）"), "zoom in, zoom out (50 % to 400 %)"},
        {QStringLiteral("Ctrl+="), QStringLiteral("拡大（+ が Shift+= のキーボードで）"), "zoom in (where + is Shift+=)"},
        {QStringLiteral("Ctrl+0"), QStringLiteral("ウィンドウに合わせた大きさ（100 %）"), "page fitted to the window (100 %)"},
        {QStringLiteral("Ctrl+Wheel"), QStringLiteral("拡大、縮小"), "zoom in, zoom out"},
        {QStringLiteral("Ctrl+C"), QStringLiteral("ページを画像と文字でコピー"), "copy the page, as an image and as text"},
        {QStringLiteral("Ctrl+S"), QStringLiteral("このページ、または全ページを PDF か PNG で保存"),
         "save this page or every page, as PDF or PNG"},
        {QStringLiteral("Ctrl+P"), QStringLiteral("プレビューを見て印刷（プリンターと用紙を選べます）"),
         "print with a preview, any printer and page set-up"},
        {QStringLiteral("Ctrl+F"), QStringLiteral("全ページから検索"), "find across pages"},
        {QStringLiteral("F3, Shift+F3"), QStringLiteral("検索語のある次のページ、前のページ（検索欄では Enter、Shift+Enter も）"),
         "next, previous page holding the term (Enter, Shift+Enter in the find bar)"},
        {QStringLiteral("F1"), QStringLiteral("このキーの一覧"), "this list of keys"},
        {QStringLiteral("Esc"), QStringLiteral("検索欄を閉じる。検索欄がなければ終了"),
         "close the find bar; without it, quit"},
    };
    return guide;
}

QByteArray keyGuideForTerminal()
{
    QByteArray text;
    for (const KeyHelp& key : keyGuide()) {
        text += "  " + key.keys.toUtf8().leftJustified(36) + key.english + '\n';
    }
    return text;
}
