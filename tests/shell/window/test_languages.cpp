// One language per window. Under Japanese every text the window and its dialogs show is
// Japanese, Qt's own dialogs included; under English none is. The window is run in-process
// under each, with the translations installed as main() installs them, every dialog and
// message a test can reach is opened, and every text of every widget on screen is read.
// What stays the same in both: the caption, the list entries, the page and its heading.
#include "offscreen_screens.h"
#include "shown_window.h"
#include "shell/language/language.h"
#include "shell/reading/find_bar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

enum class Language { Japanese, English };

// Latin words a Japanese text writes as they are, compared without case.
const QStringList latinInJapanese = {
    // Names: the program, the file formats and the formula languages it copies.
    u"Velkora"_s, u"PDF"_s, u"PNG"_s, u"LaTeX"_s, u"MathML"_s,
    // Key names, as the key list and the context menu name the keys.
    u"Ctrl"_s, u"Shift"_s, u"Alt"_s, u"Enter"_s, u"Esc"_s, u"Home"_s, u"End"_s, u"Up"_s, u"Down"_s, u"Left"_s,
    u"Right"_s, u"Space"_s, u"Backspace"_s, u"PgUp"_s, u"PgDown"_s, u"Wheel"_s,
    // Qt's own Japanese writes the button so, as Japanese programs do.
    u"OK"_s,
    // The page set-up's paper sizes and units: the standards' names and the units' symbols.
    u"ANSI"_s, u"JIS"_s, u"ARCH"_s, u"PRC"_s, u"US"_s, u"DL"_s, u"mm"_s, u"in"_s, u"pt"_s, u"pc"_s, u"DD"_s, u"CC"_s,
};

// Texts Qt's own Japanese translation (qtbase_ja.qm, Qt 6.4) lacks: the page set-up's paper
// sizes that are a size and an English word, which it leaves as Qt names them.
const QStringList untranslatedByQt = {
    u"A3 Extra"_s, u"A4 Extra"_s, u"A4 Plus"_s, u"A4 Small"_s, u"A5 Extra"_s, u"B5 Extra"_s,
    u"リーガル Extra"_s, u"レター Extra"_s, u"レター Plus"_s, u"レター Small"_s, u"Super A"_s, u"Super B"_s,
};

// What the command line writes as it is in every language (besides its name and its
// options): the placeholders of the usage lines and the name of a file format.
const QStringList latinOnTheCommandLine = {u"DIR"_s, u"ID"_s, u"FILE"_s, u"JSON"_s, u"Lines"_s};

// Hiragana, katakana, the CJK punctuation, ideographs and full-width forms.
const QRegularExpression japanese(u"[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"_s);
// A Latin word of two letters or more: a page id's "a", a key's "F1" or a paper's "A4" is none.
const QRegularExpression latinWord(u"[A-Za-z]{2,}"_s);

struct Shown {
    QString where;  // the widget or dialog that shows it, for the failure message
    QString text;
};

QString plain(QString text)
{
    if (Qt::mightBeRichText(text)) text = QTextDocumentFragment::fromHtml(text).toPlainText();
    return text.remove(u'&');  // a mnemonic's marker, never shown
}

void add(QList<Shown>& into, const QObject* from, const QString& text)
{
    const QString where = from->objectName() + u" ("_s + QLatin1String(from->metaObject()->className()) + u")"_s;
    if (!text.trimmed().isEmpty()) into.append({where, plain(text)});
}

void addActions(QList<Shown>& into, const QWidget* widget)
{
    for (const QAction* action : widget->actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        add(into, action, action->text());
        add(into, action, action->toolTip());
    }
}

// A view's headers; the items of a file dialog's views are file names, not its texts.
void addHeaders(QList<Shown>& into, const QHeaderView* header)
{
    for (int section = 0; header->model() && section < header->count(); ++section)
        add(into, header, header->model()->headerData(section, header->orientation()).toString());
}

// Qt's dialogs' widgets that show the machine's data, not texts: the folders of a file
// dialog, and the print dialog's queues with their location and model, as CUPS names them.
bool showsData(const QWidget* widget)
{
    static const QStringList named = {u"lookInCombo"_s, u"printers"_s, u"location"_s, u"type"_s};
    return named.contains(widget->objectName());
}

void addOwnTexts(QList<Shown>& into, const QWidget* widget)
{
    if (showsData(widget)) return;
    if (widget->isWindow()) add(into, widget, widget->windowTitle());
    add(into, widget, widget->toolTip());
    add(into, widget, widget->accessibleName());
    add(into, widget, widget->accessibleDescription());
    addActions(into, widget);
    if (auto* label = qobject_cast<const QLabel*>(widget)) add(into, widget, label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) add(into, widget, button->text());
    if (auto* field = qobject_cast<const QLineEdit*>(widget)) add(into, widget, field->placeholderText());
    if (auto* header = qobject_cast<const QHeaderView*>(widget)) addHeaders(into, header);
    if (auto* box = qobject_cast<const QComboBox*>(widget))
        for (int i = 0; i < box->count(); ++i) add(into, widget, box->itemText(i));
    if (auto* list = qobject_cast<const QListWidget*>(widget))
        for (int i = 0; i < list->count(); ++i) {
            add(into, widget, list->item(i)->text());
            add(into, widget, list->item(i)->data(Qt::AccessibleDescriptionRole).toString());
        }
}

// Every text a window shows: its own and its shown children's.
QList<Shown> textsOf(const QWidget* window)
{
    QList<Shown> texts;
    addOwnTexts(texts, window);
    for (const QWidget* child : window->findChildren<QWidget*>())
        if (child->isVisibleTo(window) && !child->isWindow()) addOwnTexts(texts, child);
    return texts;
}

// With a print queue, the page set-up offers the queue's own paper sizes, named by its
// driver (CUPS-PDF's "US Letter", "Envelope DL"), which neither our translation nor Qt's
// covers; Qt's own sizes, offered without one, are read.
QList<Shown> withoutQueuesPaperSizes(QList<Shown> texts, QDialog* dialog)
{
    auto* setUp = qobject_cast<QPageSetupDialog*>(dialog);
    if (!setUp || setUp->printer()->printerName().isEmpty()) return texts;
    texts.removeIf([](const Shown& shown) { return shown.where.startsWith(u"pageSizeCombo "_s); });
    return texts;
}

QList<Shown> textsOfMenu(const QMenu& menu)
{
    QList<Shown> texts;
    addActions(texts, &menu);
    return texts;
}

// The text with the book's own texts taken out: the list entries and the page's lines,
// the longest first, so that a line is taken out whole before an entry it begins with.
QString withoutTheBooksTexts(QString text, QStringList booksTexts)
{
    std::sort(booksTexts.begin(), booksTexts.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& own : booksTexts) text.remove(own.trimmed());
    return text;
}

// What of a text is in the other language: the Latin words a Japanese text should not
// hold, or the Japanese characters of an English one.
QStringList foreignIn(const QString& text, Language language, const QStringList& allowed)
{
    QStringList foreign;
    if (language == Language::English) {
        for (auto m = japanese.globalMatch(text); m.hasNext();) foreign << m.next().captured();
        return foreign;
    }
    for (auto m = latinWord.globalMatch(text); m.hasNext();) {
        const QString word = m.next().captured();
        const bool listed = std::any_of(allowed.begin(), allowed.end(),
                                        [&](const QString& a) { return a.compare(word, Qt::CaseInsensitive) == 0; });
        if (!listed) foreign << word;
    }
    return foreign;
}

// One line per text with something of the other language in it; empty when none has.
QStringList mixedTexts(const QList<Shown>& texts, Language language, const QStringList& booksTexts)
{
    QStringList mixed;
    for (const Shown& shown : texts) {
        if (language == Language::Japanese && untranslatedByQt.contains(shown.text)) continue;
        const QStringList foreign = foreignIn(withoutTheBooksTexts(shown.text, booksTexts), language, latinInJapanese);
        if (!foreign.isEmpty()) mixed << shown.where + u": \""_s + shown.text + u"\" has "_s + foreign.join(u", "_s);
    }
    return mixed;
}

QLocale localeOf(Language language)
{
    return QLocale(language == Language::Japanese ? QLocale::Japanese : QLocale::English);
}

QFileDialog* shownFileDialog(const MainWindow& window, const char* name)
{
    auto* dialog = window.findChild<QFileDialog*>(QLatin1String(name));
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// A printer source that finds none: the print item then says so in a message.
std::unique_ptr<QPrinter> noPrinter() { return nullptr; }

struct Run {
    QByteArray out, err;
};

// The program run with only LANG naming the locale, as a user's session names it.
Run velkoraUnder(const QString& lang, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* overriding : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) env.remove(QLatin1String(overriding));
    env.insert(u"LANG"_s, lang);
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VELKORA_BIN"), args);
    p.waitForFinished(30000);
    return {p.readAllStandardOutput(), p.readAllStandardError()};
}

// What a command line prints, less the option names, which are the same in every language.
QString withoutOptions(const QByteArray& printed)
{
    return QString::fromUtf8(printed).remove(QRegularExpression(u"--[a-z-]+"_s));
}

}  // namespace

class LanguagesTest : public QObject {
    Q_OBJECT

    // The window, its context menu and its list's progress marks in study mode.
    static void readWindow(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.press(Qt::Key_F2);
        texts += textsOf(&shown.window);
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(shown.window.pageView());
        add(texts, shown.window.pageView(), page->text(QAccessible::Name));
        add(texts, shown.window.pageView(), page->text(QAccessible::Description));
    }

    static void readHelp(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.press(Qt::Key_F1);
        auto* help = shown.window.findChild<QDialog*>(u"help"_s);
        QVERIFY(help && help->isVisible());
        texts += textsOf(help);
        help->close();
    }

    // With a term that is on some pages and one on none, and the field's own menu.
    static void readFindBar(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.press(Qt::Key_F, Qt::ControlModifier);
        auto* field = shown.window.findBar()->findChild<QLineEdit*>(u"findTerm"_s);
        QTest::keyClicks(field, u"p.10"_s);
        texts += textsOf(shown.window.findBar());
        QTest::keyClicks(field, u"zzz"_s);
        texts += textsOf(shown.window.findBar());
        const std::unique_ptr<QMenu> fieldMenu(field->createStandardContextMenu());
        texts += textsOfMenu(*fieldMenu);
        QTest::keyClick(field, Qt::Key_Escape);
    }

    // The Save dialog Qt draws itself (no platform dialog offscreen), then the folder
    // dialog that every page as PNG asks with.
    static void readSaveDialogs(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.press(Qt::Key_S, Qt::ControlModifier);
        QFileDialog* save = shownFileDialog(shown.window, "saveDialog");
        QVERIFY(save);
        auto* types = save->findChild<QComboBox*>(u"fileTypeCombo"_s);
        QVERIFY2(types, "not the dialog Qt draws");
        texts += textsOf(save);
        const int everyPng = types->count() - 1;
        types->setCurrentIndex(everyPng);
        emit types->textActivated(types->itemText(everyPng));
        QFileDialog* folder = shownFileDialog(shown.window, "saveFolderDialog");
        QVERIFY(folder);
        texts += textsOf(folder);
        folder->reject();
    }

    // Ctrl+P's preview, and the page set-up and print dialogs it opens, which wait in a
    // loop of their own: their texts are read from there.
    void readPreview(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.press(Qt::Key_P, Qt::ControlModifier);
        auto* preview = shown.window.findChild<QPrintPreviewDialog*>(u"printPreview"_s);
        QVERIFY(preview && preview->isVisible());
        texts += textsOf(preview);
        int dialogsRead = 0;
        for (QAction* action : preview->findChildren<QAction*>()) {
            static const QStringList opening = {u"ページ設定"_s, u"Page setup"_s, u"印刷"_s, u"Print"_s};
            if (!opening.contains(action->text())) continue;
            QTimer::singleShot(0, this, [&texts, &dialogsRead] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                texts += withoutQueuesPaperSizes(textsOf(dialog), dialog);
                ++dialogsRead;
                dialog->reject();
            });
            action->trigger();
        }
        QCOMPARE(dialogsRead, 2);
        preview->close();
    }

    // The print item with no printer: a message.
    static void readMessage(ShownWindow& shown, QList<Shown>& texts)
    {
        shown.window.form().select(shown.window.list()->count() - 1);
        auto* message = shown.window.findChild<QMessageBox*>(u"printMessage"_s);
        QVERIFY(message && message->isVisible());
        texts += textsOf(message);
        message->close();
    }

    void everyTextIsIn(Language language)
    {
        QVERIFY(installTranslations(localeOf(language)));
        ShownWindow shown(nullptr, noPrinter);
        QStringList booksTexts = shown.window.form().listItems();
        for (const auto& line : shown.window.pageView()->text().lines()) booksTexts << line.text;
        const std::function<void(ShownWindow&, QList<Shown>&)> steps[] = {
            readWindow, readHelp, readFindBar, readSaveDialogs,
            [this](ShownWindow& s, QList<Shown>& t) { readPreview(s, t); }, readMessage};
        for (const auto& step : steps) {
            QList<Shown> texts;
            step(shown, texts);
            if (QTest::currentTestFailed()) return;
            QVERIFY(!texts.isEmpty());
            const QStringList mixed = mixedTexts(texts, language, booksTexts);
            QVERIFY2(mixed.isEmpty(), qPrintable(mixed.join('\n')));
        }
    }

    void theBooksTextsAreTheSame()
    {
        ShownWindow shown(nullptr);
        QCOMPARE(shown.window.windowTitle(), u" Velkora"_s);
        QCOMPARE(shown.window.list()->count(), 27);
        QCOMPARE(shown.window.list()->item(0)->text(), u"[問題 1.8a]"_s);
        QCOMPARE(shown.window.list()->item(25)->text(), u"[問題 7.14]"_s);
        QCOMPARE(shown.window.list()->item(26)->text(), u" [印刷する]"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(shown.window.pageView())->text(QAccessible::Name),
                 u"[問題 1.8a] (追加問題)"_s);
    }

private slots:
    void cleanup() { QVERIFY(installTranslations(QLocale(QLocale::English))); }

    void japaneseWindowSaysNothingInEnglish() { everyTextIsIn(Language::Japanese); }
    void englishWindowSaysNothingInJapanese() { everyTextIsIn(Language::English); }

    void theBooksTextsAreTheSameInJapanese()
    {
        QVERIFY(installTranslations(localeOf(Language::Japanese)));
        theBooksTextsAreTheSame();
    }
    void theBooksTextsAreTheSameInEnglish() { theBooksTextsAreTheSame(); }

    // The command line follows the locale as command-line tools do.
    void theCommandLineFollowsTheLocale_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("stream");  // 1 standard output, 2 standard error
        QTest::newRow("--help") << QStringList{u"--help"_s} << 1;
        QTest::newRow("an unknown id") << QStringList{u"--trace"_s, u"9.99"_s} << 2;
        QTest::newRow("a stray option") << QStringList{u"--list"_s, u"--scale"_s, u"2"_s} << 2;
    }

    void theCommandLineFollowsTheLocale()
    {
        QFETCH(QStringList, args);
        QFETCH(int, stream);
        const auto printed = [&](const Run& run) { return stream == 1 ? run.out : run.err; };
        const QString ja = withoutOptions(printed(velkoraUnder(u"ja_JP.UTF-8"_s, args)));
        const QString c = withoutOptions(printed(velkoraUnder(u"C.UTF-8"_s, args)));
        QVERIFY(!ja.isEmpty() && !c.isEmpty());
        QVERIFY2(ja.contains(japanese), qPrintable(ja));
        const QStringList english = foreignIn(ja, Language::Japanese, latinInJapanese + latinOnTheCommandLine);
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u", "_s) + u"\n"_s + ja));
        QVERIFY2(!c.contains(japanese), qPrintable(c));
    }
};

int main(int argc, char** argv)
{
    useOffscreenScreens();
    QApplication app(argc, argv);
    // The Save dialog's first folder is the home folder: a fresh one, not the tester's.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    LanguagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_languages.moc"
