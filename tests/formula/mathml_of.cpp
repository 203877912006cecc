// Reads one LaTeX formula a line on standard input and writes our MathML for each, one a
// line, for the KaTeX comparison in check_spans.mjs.
#include "formula/formula.h"

#include <QTextStream>

int main()
{
    QTextStream in(stdin);
    QTextStream out(stdout);
    for (QString line = in.readLine(); !line.isNull(); line = in.readLine())
        out << formula::mathml(line, true).replace(u'\n', u' ') << '\n';
    return 0;
}
