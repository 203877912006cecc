// The text layer of the PDFs the program writes, exported or printed: pdftotext gives
// back the text each page draws, with the Symbol face's meanings, and nothing else.
#include "canvas/symbol_encoding.h"
#include "fixture.h"
#include "pages/registry.h"
#include "shell/files/print_view.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList allPages()
{
    QStringList ids;
    for (const PageEntry& e : pageRegistry()) ids << QLatin1String(e.id);
    return ids;
}

using Characters = QHash<QChar, int>;

Characters charactersOf(const QString& text)
{
    Characters counts;
    for (QChar c : text)
        if (!c.isSpace()) ++counts[c];
    return counts;
}

// What the page draws, as a reader takes it.
Characters drawnCharacters(const std::vector<DrawOp>& ops)
{
    QString text;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text) text += meaningOf(op);
    return charactersOf(text);
}

int total(const Characters& counts)
{
    int sum = 0;
    for (int n : counts) sum += n;
    return sum;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What pdftotext gave back of a page: the share of its characters, and what is
// missing or should not be there.
struct Recovery {
    double share = 0;
    QStringList missing, extra;
};

QString counted(QChar c, int times)
{
    return QStringLiteral("%1 U+%2 ×%3").arg(c).arg(c.unicode(), 4, 16, QChar(u'0')).arg(times);
}

Recovery recovery(const Characters& drawn, const Characters& found)
{
    Recovery r;
    int recovered = 0;
    for (auto it = drawn.cbegin(); it != drawn.cend(); ++it) {
        recovered += std::min(it.value(), found.value(it.key()));
        if (found.value(it.key()) < it.value()) r.missing << counted(it.key(), it.value() - found.value(it.key()));
    }
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        if (it.value() > drawn.value(it.key())) r.extra << counted(it.key(), it.value() - drawn.value(it.key()));
    r.share = double(recovered) / total(drawn);
    return r;
}

// Why the text is not the page's: fewer than 98 % of the characters came back, or
// characters the page does not draw as often did (a Kangxi radical for a kanji, "q" for
// a Symbol θ). Empty when it is.
QString problems(const Recovery& r)
{
    QStringList found;
    if (!r.extra.isEmpty()) found << QStringLiteral("not drawn: ") + r.extra.join(u", ");
    if (r.share < 0.98) found << QStringLiteral("missing: ") + r.missing.join(u", ");
    return found.join(u'\n');
}

}  // namespace

class PdfTextTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString exported;
    QStringList sheets;  // pdftotext's text of each sheet of the export

    QString textOf(const QString& pdf)
    {
        return run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        loadedForm();
        exported = dir.filePath(QStringLiteral("all.pdf"));
        run(qEnvironmentVariable("VELKORA_BIN"), QStringList{QStringLiteral("--export-pdf"), exported} + allPages());
        sheets = textOf(exported).split(u'\f');
        QVERIFY(sheets.size() >= allPages().size());
    }

    void everyExportedSheetCarriesItsPagesText_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("sheet");
        int sheet = 0;
        for (const QString& id : allPages()) QTest::newRow(qPrintable(id)) << id << sheet++;
    }

    void everyExportedSheetCarriesItsPagesText()
    {
        QFETCH(QString, page);
        QFETCH(int, sheet);
        const Recovery r = recovery(drawnCharacters(pageOps(page, true)), charactersOf(sheets.at(sheet)));
        qInfo("%s: %.2f %% of the characters", qPrintable(page), 100 * r.share);
        QVERIFY2(problems(r).isEmpty(), qPrintable(problems(r)));
    }

    // The meanings of outlined glyphs are laid over them: they read in their place.
    void theTextReadsInTheOrderOfTheGlyphs_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("5.9") << QStringLiteral("5.9") << QStringLiteral("球面調和関数Ylm(θ,φ)の具体形を示せ。");
        QTest::newRow("1.16") << QStringLiteral("1.16") << QStringLiteral("x=rsinθcosφ，y=rsinθsinφ，z=rcosθ");
    }

    void theTextReadsInTheOrderOfTheGlyphs()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QString sheet = sheets.at(allPages().indexOf(page));
        sheet.removeIf([](QChar c) { return c.isSpace(); });
        QVERIFY2(sheet.contains(text), qPrintable(sheet));
    }

    // The text layer is hidden without transparency: a print spooler that goes through
    // PostScript prints a page with any transparency as one bitmap.
    void nothingIsTransparent()
    {
        QFile pdf(exported);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(pdf.readAll());
        const QRegularExpression alpha(QStringLiteral("/(ca|CA)\\s+([0-9.]+)"));
        for (const QRegularExpressionMatch& m : alpha.globalMatch(content))
            QVERIFY2(m.captured(2).toDouble() == 1, qPrintable(m.captured()));
    }

    // A print job is a PDF too, written by the printer's engine.
    void aPrintedSheetCarriesItsPagesText()
    {
        MathForm& form = loadedForm();
        form.showPage(QStringLiteral("1.16"), true);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        configureSheet(printer);
        QVERIFY(paintSheets({form.pic2}, printer));
        const Recovery r = recovery(drawnCharacters(form.pic2.ops()), charactersOf(textOf(printer.outputFileName())));
        QVERIFY2(problems(r).isEmpty(), qPrintable(problems(r)));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PdfTextTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_pdf_text.moc"
