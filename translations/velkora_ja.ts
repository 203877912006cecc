<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Cli</name>
    <message>
        <source>Usage: velkora [COMMAND]
Worked solutions to problems of a textbook of mathematical physics.
With no command, opens the window.

Headless commands (no display needed):
  --list                              print the list entries, one a line
  --export-png DIR [ID...] [--scale K] [--print-view]
                                      draw pages as on screen (or as printed) into DIR/ID.png;
                                      DIR is made if missing; K from 0.25 to 16 (default 1)
  --export-pdf FILE [ID...]           draw pages as printed, one a sheet, into FILE
  --trace ID [FILE] [--print-view]    write a page&apos;s drawing operations as JSON Lines
  --text [ID...]                      print pages&apos; text, formulas in linear form, a form feed after each
  --latex [ID...]                     the same with formulas in LaTeX
  --time-startup                      open the window, report the time to its first page, quit
  --help                              show this help
  --version                           show the version

FILE may be - for standard output. Without IDs, the export and text commands take
every listed page, in list order.

Keys in the window (a right click on the page or the list shows the same commands):
</source>
        <translation>使い方: velkora [コマンド]
物理数学の教科書の問題の解答例。
コマンドなしでウィンドウを開きます。

ヘッドレスのコマンド（ディスプレイは不要）:
  --list                              一覧の項目を 1 行に 1 つ表示
  --export-png DIR [ID...] [--scale K] [--print-view]
                                      ページを画面どおり（または印刷どおり）に DIR/ID.png に描く。
                                      DIR がなければ作る。K は 0.25 から 16（既定は 1）
  --export-pdf FILE [ID...]           ページを印刷どおりに 1 ページ 1 枚で FILE に描く
  --trace ID [FILE] [--print-view]    ページの描画操作を JSON Lines で書き出す
  --text [ID...]                      ページの文字を表示（数式は 1 行の形、ページごとに改ページ）
  --latex [ID...]                     同じく、数式は LaTeX で
  --time-startup                      ウィンドウを開き、最初のページまでの時間を表示して終了
  --help                              このヘルプを表示
  --version                           バージョンを表示

FILE に - を指定すると標準出力。ID を指定しなければ、書き出しと文字のコマンドは
一覧のすべてのページを一覧の順に扱います。

ウィンドウのキー（ページや一覧の右クリックのメニューにも同じ操作があります）:
</translation>
    </message>
    <message>
        <source>%1 (see velkora --help)</source>
        <translation>%1（velkora --help を参照）</translation>
    </message>
    <message>
        <source>no display to open the window on; set DISPLAY, or use the headless commands (velkora --help)</source>
        <translation>ウィンドウを開くディスプレイがありません。DISPLAY を設定するか、ヘッドレスのコマンドを使ってください（velkora --help）</translation>
    </message>
    <message>
        <source>cannot reach the display %1; the headless commands work without one (velkora --help)</source>
        <translation>ディスプレイ %1 に接続できません。ヘッドレスのコマンドはディスプレイなしで使えます（velkora --help）</translation>
    </message>
    <message>
        <source>unknown problem id &quot;%1&quot; (see velkora --help)</source>
        <translation>不明な問題番号 &quot;%1&quot;（velkora --help を参照）</translation>
    </message>
    <message>
        <source>cannot write standard output: %1</source>
        <translation>標準出力に書き込めません: %1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot make folder %1: %2</source>
        <translation>フォルダー %1 を作れません: %2</translation>
    </message>
    <message>
        <source>not enough memory for %1 at scale %2</source>
        <translation>メモリが足りないため、%1 を倍率 %2 で描けません</translation>
    </message>
    <message>
        <source>--scale may be given only once</source>
        <translation>--scale は 1 回だけ指定できます</translation>
    </message>
    <message>
        <source>--scale needs a number</source>
        <translation>--scale には数値が必要です</translation>
    </message>
    <message>
        <source>--scale must be from 0.25 to 16</source>
        <translation>--scale は 0.25 から 16 までです</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>不明なオプション &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 takes no --scale</source>
        <translation>%1 には --scale を指定できません</translation>
    </message>
    <message>
        <source>%1 takes no --print-view</source>
        <translation>%1 には --print-view を指定できません</translation>
    </message>
    <message>
        <source>--trace takes a problem id and, if you like, a file</source>
        <translation>--trace には問題番号と、必要ならファイルを指定します</translation>
    </message>
    <message>
        <source>--trace takes one problem id (to write into a file named like one, write ./ before it)</source>
        <translation>--trace に指定できる問題番号は 1 つです（問題番号と同じ名前のファイルに書くには、前に ./ をつけてください）</translation>
    </message>
    <message>
        <source>--export-png needs a folder</source>
        <translation>--export-png にはフォルダーが必要です</translation>
    </message>
    <message>
        <source>--export-pdf needs a file</source>
        <translation>--export-pdf にはファイルが必要です</translation>
    </message>
    <message>
        <source>first page drawn %1 ms after start</source>
        <translation>開始から %1 ms で最初のページを描きました</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>不明なコマンド &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <translation>%1 には引数を指定できません</translation>
    </message>
    <message>
        <source>standard output is closed</source>
        <translation>標準出力が閉じています</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>previous problem</source>
        <translation>前の問題</translation>
    </message>
    <message>
        <source>next problem (never onto the print item)</source>
        <translation>次の問題（印刷の項目には進みません）</translation>
    </message>
    <message>
        <source>first problem, last problem</source>
        <translation>最初の問題、最後の問題</translation>
    </message>
    <message>
        <source>zoom in, zoom out (50 % to 400 %)</source>
        <translation>拡大、縮小（50 % から 400 %）</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>zoom in (where + is Shift+=)</source>
        <translation>拡大（+ が Shift+= のキーボードで）</translation>
    </message>
    <message>
        <source>page fitted to the window (100 %)</source>
        <translation>ウィンドウに合わせた大きさ（100 %）</translation>
    </message>
    <message>
        <source>Fit to the window (100 %)</source>
        <translation>ウィンドウに合わせる (100 %)</translation>
    </message>
    <message>
        <source>zoom in, zoom out</source>
        <translation>拡大、縮小</translation>
    </message>
    <message>
        <source>scroll the page down, up</source>
        <translation>ページを下、上へスクロール</translation>
    </message>
    <message>
        <source>scroll the page right, left</source>
        <translation>ページを右、左へスクロール</translation>
    </message>
    <message>
        <source>study mode on or off: the solution a step at a time</source>
        <translation>学習モード（解答を１ステップずつ表示）の切り替え</translation>
    </message>
    <message>
        <source>Study mode</source>
        <translation>学習モード</translation>
    </message>
    <message>
        <source>reveal the next step (study mode)</source>
        <translation>次のステップを表示（学習モード）</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>次のステップ</translation>
    </message>
    <message>
        <source>hide the last step (study mode)</source>
        <translation>最後のステップを隠す（学習モード）</translation>
    </message>
    <message>
        <source>Previous step</source>
        <translation>前のステップ</translation>
    </message>
    <message>
        <source>reveal every step (study mode)</source>
        <translation>すべてのステップを表示（学習モード）</translation>
    </message>
    <message>
        <source>Every step</source>
        <translation>すべてのステップ</translation>
    </message>
    <message>
        <source>mark this problem understood, or take it back (study mode)</source>
        <translation>この問題に「理解した」の印をつける、外す（学習モード）</translation>
    </message>
    <message>
        <source>Understood</source>
        <translation>理解した</translation>
    </message>
    <message>
        <source>copy the selection (or the page) as text, as MathML and LaTeX, and as an image</source>
        <translation>選択した部分（なければページ）を文字、数式（MathML、LaTeX）、画像でコピー</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy as text</source>
        <translation>テキストとしてコピー</translation>
    </message>
    <message>
        <source>copy the selection (or the page) as LaTeX, in plain text</source>
        <translation>選択した部分（なければページ）を LaTeX の文字でコピー</translation>
    </message>
    <message>
        <source>Copy as LaTeX</source>
        <translation>LaTeX としてコピー</translation>
    </message>
    <message>
        <source>save this page or every page, as PDF or PNG</source>
        <translation>このページ、または全ページを PDF か PNG で保存</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>保存...</translation>
    </message>
    <message>
        <source>print with a preview, any printer and page set-up</source>
        <translation>プレビューを見て印刷（プリンターと用紙を選べます）</translation>
    </message>
    <message>
        <source>Print with a preview...</source>
        <translation>プレビューを見て印刷...</translation>
    </message>
    <message>
        <source>find across pages</source>
        <translation>全ページから検索</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>検索...</translation>
    </message>
    <message>
        <source>next, previous page holding the term (Enter, Shift+Enter in the find bar)</source>
        <translation>検索語のある次のページ、前のページ（検索欄では Enter、Shift+Enter も）</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>this list of keys</source>
        <translation>このキーの一覧</translation>
    </message>
    <message>
        <source>List of keys</source>
        <translation>キーの一覧</translation>
    </message>
    <message>
        <source>close the find bar; without it, quit</source>
        <translation>検索欄を閉じる。検索欄がなければ終了</translation>
    </message>
    <message>
        <source>page colours: light, dark, sepia, as the system</source>
        <translation>ページの配色：ライト、ダーク、セピア、システムの設定に合わせる</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>ダーク</translation>
    </message>
    <message>
        <source>Sepia</source>
        <translation>セピア</translation>
    </message>
    <message>
        <source>As the system</source>
        <translation>システムの設定に合わせる</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find:</source>
        <translation>検索:</translation>
    </message>
    <message>
        <source>Term to find</source>
        <translation>検索する語</translation>
    </message>
    <message>
        <source>on no page</source>
        <translation>どのページにもありません</translation>
    </message>
    <message>
        <source>on 1 page (Enter, F3: the next)</source>
        <translation>1 ページにあります（Enter、F3 で次へ）</translation>
    </message>
    <message>
        <source>on %1 pages (Enter, F3: the next)</source>
        <translation>%1 ページにあります（Enter、F3 で次へ）</translation>
    </message>
</context>
<context>
    <name>Fonts</name>
    <message>
        <source>no installed font stands in for &quot;%1&quot;; install the Debian package %2</source>
        <translation>&quot;%1&quot; の代わりになるフォントがインストールされていません。Debian のパッケージ %2 をインストールしてください</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Velkora keys</source>
        <translation>Velkora のキー</translation>
    </message>
    <message>
        <source>A right click offers the same commands in a menu.</source>
        <translation>右クリックのメニューにも同じ操作があります。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Problems</source>
        <translation>問題の一覧</translation>
    </message>
    <message>
        <source>Not enough memory to copy the page as an image (its text was copied).</source>
        <translation>メモリが足りないため、ページを画像としてコピーできませんでした（文字はコピーしました）。</translation>
    </message>
</context>
<context>
    <name>Output</name>
    <message>
        <source>not writing through a dangling symbolic link</source>
        <translation>リンク先のないシンボリックリンクには書き込みません</translation>
    </message>
</context>
<context>
    <name>PageAccessible</name>
    <message>
        <source>empty page</source>
        <translation>空のページ</translation>
    </message>
    <message>
        <source>A page of a problem and its solution, %1 lines. The signs of formulas read as characters such as ∂, θ and π.</source>
        <translation>問題と解答のページ、%1 行。数式の記号は ∂、θ、π などの文字で読めます。</translation>
    </message>
</context>
<context>
    <name>PageSaver</name>
    <message>
        <source>PDF — this page (*.pdf)</source>
        <translation>PDF — このページ (*.pdf)</translation>
    </message>
    <message>
        <source>PNG — this page (*.png)</source>
        <translation>PNG — このページ (*.png)</translation>
    </message>
    <message>
        <source>PDF — every page, one a sheet (*.pdf)</source>
        <translation>PDF — 全ページ、1 ページ 1 枚 (*.pdf)</translation>
    </message>
    <message>
        <source>PNG — every page, into a folder as ID.png</source>
        <translation>PNG — 全ページ、フォルダーに 問題番号.png</translation>
    </message>
    <message>
        <source>Not enough memory to make the image of &quot;%1&quot;.</source>
        <translation>メモリが足りないため、「%1」の画像を作れませんでした。</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot; (%2).</source>
        <translation>「%1」に保存できませんでした（%2）。</translation>
    </message>
    <message>
        <source>Could not make the folder &quot;%1&quot;.</source>
        <translation>フォルダー「%1」を作れませんでした。</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>%1 に保存しました</translation>
    </message>
    <message>
        <source>Saved %1 pages to %2 (%3.png to %4.png)</source>
        <translation>%1 ページを %2 に保存しました（%3.png から %4.png）</translation>
    </message>
    <message>
        <source>Folder to save every page in as PNG</source>
        <translation>全ページを PNG で保存するフォルダー</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save the page</source>
        <translation>ページを保存</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>No printer was found. Set one up, then choose &quot;[印刷する]&quot; again.</source>
        <translation>プリンターが見つかりません。プリンターを設定してから、もう一度「印刷する」を選んでください。</translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation>（%1）</translation>
    </message>
    <message>
        <source>The print server %1 did not answer within %2 seconds. Nothing was printed.</source>
        <translation>印刷サーバー %1 が %2 秒待っても応答しません。印刷されませんでした。</translation>
    </message>
    <message>
        <source>The print server %1 did not answer within %2 seconds. Whether the printer &quot;%3&quot; printed is not known.</source>
        <translation>印刷サーバー %1 が %2 秒待っても応答しません。プリンター「%3」で印刷されたかどうかはわかりません。</translation>
    </message>
    <message>
        <source>Preparing to print</source>
        <translation>印刷の準備中</translation>
    </message>
    <message>
        <source>Choose a printer</source>
        <translation>プリンターを選んでください</translation>
    </message>
    <message>
        <source>Saved to &quot;%1&quot;</source>
        <translation>「%1」に保存しました</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot; (%2).</source>
        <translation>「%1」に保存できませんでした（%2）。</translation>
    </message>
</context>
<context>
    <name>PrintWorker</name>
    <message>
        <source>Cannot connect to the print server %1. Nothing was printed.</source>
        <translation>印刷サーバー %1 に接続できません。印刷されませんでした。</translation>
    </message>
    <message>
        <source>Cannot get the list of printers from the print server %1 (%2). Nothing was printed.</source>
        <translation>印刷サーバー %1 からプリンターの一覧を得られません（%2）。印刷されませんでした。</translation>
    </message>
    <message>
        <source>Cannot connect to the print server %1. The printer &quot;%2&quot; printed nothing.</source>
        <translation>印刷サーバー %1 に接続できません。プリンター「%2」で印刷されませんでした。</translation>
    </message>
    <message>
        <source>Sending to &quot;%1&quot;</source>
        <translation>「%1」へ送信中</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not accept jobs now%2. Nothing was printed.</source>
        <translation>プリンター「%1」は現在印刷を受け付けていません%2。印刷されませんでした。</translation>
    </message>
    <message>
        <source>Could not send to the printer &quot;%1&quot;%2. Nothing was printed.</source>
        <translation>プリンター「%1」へ送れませんでした%2。印刷されませんでした。</translation>
    </message>
    <message>
        <source>Cannot tell the state of the print job %1%2.</source>
        <translation>印刷ジョブ %1 の状態を確かめられません%2。</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; is stopped%2. The print job %3 waits until the printer is resumed.</source>
        <translation>プリンター「%1」は停止しています%2。印刷ジョブ %3 はプリンターが再開されるまで待機します。</translation>
    </message>
    <message>
        <source>Printed on &quot;%1&quot;</source>
        <translation>「%1」で印刷しました</translation>
    </message>
    <message>
        <source>The print job %1 was canceled on the printer &quot;%2&quot;%3. Nothing was printed.</source>
        <translation>印刷ジョブ %1 はプリンター「%2」で取り消されました%3。印刷されませんでした。</translation>
    </message>
    <message>
        <source>The print job %1 was aborted on the printer &quot;%2&quot;%3. Nothing was printed.</source>
        <translation>印刷ジョブ %1 はプリンター「%2」で中止されました%3。印刷されませんでした。</translation>
    </message>
    <message>
        <source>The print job %1 is held on the printer &quot;%2&quot;. It prints once it is released.</source>
        <translation>印刷ジョブ %1 はプリンター「%2」で保留されています。保留が解かれると印刷されます。</translation>
    </message>
    <message>
        <source>Printing on &quot;%1&quot;</source>
        <translation>「%1」で印刷中</translation>
    </message>
    <message>
        <source>Waiting to print on &quot;%1&quot; (%2)</source>
        <translation>「%1」で印刷待ち（%2）</translation>
    </message>
</context>
<context>
    <name>SettingsMessages</name>
    <message>
        <source>settings file %1 %2; the window starts with its defaults and saves none</source>
        <translation>設定ファイル %1 %2。ウィンドウは既定の設定で開き、設定を保存しません</translation>
    </message>
    <message>
        <source>cannot be looked at: %1</source>
        <translation>を調べられません: %1</translation>
    </message>
    <message>
        <source>is a link to nothing</source>
        <translation>はリンク先のないリンクです</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>は通常のファイルではありません</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>を読めません: %1</translation>
    </message>
    <message>
        <source>holds no settings and cannot be set aside: %1</source>
        <translation>は設定ではなく、別の名前に移すこともできません: %1</translation>
    </message>
    <message>
        <source>settings file %1 held no settings; it is kept as %2 and a fresh one started</source>
        <translation>設定ファイル %1 は設定ではありませんでした。%2 として残し、新しい設定ファイルを始めます</translation>
    </message>
    <message>
        <source>cannot save the settings in %1; the window will not remember its zoom and place</source>
        <translation>設定を %1 に保存できません。拡大率と位置は次回に引き継がれません</translation>
    </message>
</context>
<context>
    <name>StudyController</name>
    <message>
        <source>not opened</source>
        <translation>未読</translation>
    </message>
    <message>
        <source>opened</source>
        <translation>開いた</translation>
    </message>
    <message>
        <source>every step revealed</source>
        <translation>全ステップ表示済み</translation>
    </message>
    <message>
        <source>understood</source>
        <translation>理解した</translation>
    </message>
</context>
</TS>
