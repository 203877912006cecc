// The formula language: its linear reading against readings worked out by hand, its MathML
// against the elements and leaves KaTeX writes for the same LaTeX, and input outside the subset.
#include "formula/formula.h"

#include <QXmlStreamReader>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString withoutWhiteSpace(QString text) { return text.remove(QRegularExpression(u"\\s"_s)); }

// A MathML element and what is inside, as name[child,child] with leaves as name:text, from the
// reader's position at the element's start.
QString outline(QXmlStreamReader& xml)
{
    const QString name = xml.name().toString();
    if (QStringList{u"mi"_s, u"mn"_s, u"mo"_s, u"mtext"_s}.contains(name))
        return name + u':' + xml.readElementText();
    QStringList children;
    while (xml.readNextStartElement()) children << outline(xml);
    return children.isEmpty() ? name : name + u'[' + children.join(u',') + u']';
}

// The formula's outline under <semantics>; "!" and why for a document that is not well formed
// or not shaped as <math><semantics>formula<annotation>LaTeX</annotation></semantics></math>.
QString mathmlOutline(const QString& latex, bool display = true)
{
    QXmlStreamReader xml(formula::mathml(latex, display));
    if (!xml.readNextStartElement() || xml.name() != u"math") return u"! no <math>"_s;
    if (xml.namespaceUri() != u"http://www.w3.org/1998/Math/MathML") return u"! wrong namespace"_s;
    if (xml.attributes().value(u"display"_s) != (display ? u"block" : u"inline")) return u"! wrong display"_s;
    if (!xml.readNextStartElement() || xml.name() != u"semantics" || !xml.readNextStartElement()) return u"! no <semantics>"_s;
    const QString body = outline(xml);
    if (!xml.readNextStartElement() || xml.name() != u"annotation" || xml.readElementText() != latex)
        return u"! no LaTeX annotation"_s;
    while (!xml.atEnd()) xml.readNext();
    return xml.hasError() ? u"! "_s + xml.errorString() : body;
}

}  // namespace

class FormulaTest : public QObject {
    Q_OBJECT

private slots:
    // The formulas the pages are checked against, LaTeX as an author writes it.
    void workedExamplesReadLinearly_data()
    {
        QTest::addColumn<QString>("latex");
        QTest::addColumn<QString>("linear");
        QTest::newRow("5.5 (5.38)")
            << u"g(t, x) \\equiv \\frac{1}{\\sqrt{1 - 2tx + t^2}} = \\sum_{n=0}^{\\infty} P_n(x) t^n"_s
            << u"g(t, x) ≡ 1/√(1 − 2tx + t²) = ∑_(n=0)^∞ Pₙ(x) tⁿ"_s;
        QTest::newRow("1.16 Jacobian")
            << u"\\frac{\\partial(x, y, z)}{\\partial(r, \\theta, \\phi)} = \\begin{vmatrix}"
               "\\frac{\\partial x}{\\partial r} & \\frac{\\partial x}{\\partial \\theta} & \\frac{\\partial x}{\\partial \\phi} \\\\"
               "\\frac{\\partial y}{\\partial r} & \\frac{\\partial y}{\\partial \\theta} & \\frac{\\partial y}{\\partial \\phi} \\\\"
               "\\frac{\\partial z}{\\partial r} & \\frac{\\partial z}{\\partial \\theta} & \\frac{\\partial z}{\\partial \\phi}"
               "\\end{vmatrix}"_s
            << u"∂(x, y, z)/∂(r, θ, ϕ) = |∂x/∂r, ∂x/∂θ, ∂x/∂ϕ; ∂y/∂r, ∂y/∂θ, ∂y/∂ϕ; ∂z/∂r, ∂z/∂θ, ∂z/∂ϕ|"_s;
        QTest::newRow("7.11 Beta row")
            << u"= (b - a)^{p+q+1} B(p + 1, q + 1)"_s << u"= (b − a)^(p+q+1) B(p + 1, q + 1)"_s;
        QTest::newRow("3.2 double integral")
            << u"f(x) = \\frac{1}{2\\pi} \\int_{-\\infty}^{\\infty} e^{ikx} \\int_{-\\infty}^{\\infty} e^{-iky} f(y)\\,dy\\,dk"_s
            << u"f(x) = 1/(2π) ∫_(−∞)^∞ e^(ikx) ∫_(−∞)^∞ e^(−iky) f(y) dy dk"_s;
        QTest::newRow("1.8a (1.38b)")
            << u"\\begin{vmatrix} u_f & u_g \\\\ v_f & v_g \\end{vmatrix} \\cdot \\begin{vmatrix} f_x & f_y \\\\ g_x & g_y \\end{vmatrix}"
               " = \\begin{vmatrix} u_x & u_y \\\\ v_x & v_y \\end{vmatrix}"_s
            << u"|u_f, u_g; v_f, v_g| ⋅ |f_x, f_y; g_x, g_y| = |u_x, u_y; v_x, v_y|"_s;
    }

    void workedExamplesReadLinearly()
    {
        QFETCH(QString, latex);
        QFETCH(QString, linear);
        QVERIFY2(formula::parses(latex), qPrintable(latex));
        QCOMPARE(withoutWhiteSpace(formula::linearText(latex)), withoutWhiteSpace(linear));
    }

    // Spaced as one would type it: around relations and binary signs, after commas and the
    // limits of an integral, one space for \, and none for \!.
    void workedExamplesReadWell()
    {
        QCOMPARE(formula::linearText(u"= (b-a)^{p+q+1}B(p+1,q+1)"_s), u"= (b − a)^(p+q+1) B(p + 1, q + 1)"_s);
        QCOMPARE(formula::linearText(u"\\int_0^1 f(x)\\,dx \\approx -1"_s), u"∫_0^1 f(x) dx ≈ −1"_s);
        QCOMPARE(formula::linearText(u"a\\!b\\quad c ~ d"_s), u"ab c d"_s);
    }

    void rulesReadLinearly_data()
    {
        QTest::addColumn<QString>("latex");
        QTest::addColumn<QString>("linear");
        const std::pair<const char16_t*, const char16_t*> cases[] = {
            // Scripts of digits, signs and n in script characters; others marked.
            {u"x^2", u"x²"}, {u"t^n", u"tⁿ"}, {u"P_n", u"Pₙ"}, {u"I_3", u"I₃"}, {u"t^{-1}", u"t⁻¹"},
            {u"P_{n-1}", u"Pₙ₋₁"}, {u"x^{2n}", u"x²ⁿ"}, {u"x^{(n)}", u"x⁽ⁿ⁾"}, {u"u_f", u"u_f"},
            {u"e^{ikx}", u"e^(ikx)"}, {u"x_{ij}^{k}", u"x_(ij)^k"}, {u"x^{1/2}", u"x^(1/2)"}, {u"x^\\alpha", u"x^α"},
            {u"{ab}^2", u"(ab)²"}, {u"x^12", u"x¹2"},
            // Primes.
            {u"x'", u"x′"}, {u"f''(x)", u"f′′(x)"}, {u"x'^2", u"x′²"}, {u"y'_1", u"y′₁"},
            // Limits always marked.
            {u"\\sum_n a_n", u"∑_n aₙ"}, {u"\\int_0^1", u"∫_0^1"}, {u"\\prod_{k=1}^{n} k", u"∏_(k=1)^n k"},
            {u"\\sum^{N}", u"∑^N"},
            // Fractions: a lone number, letter, group or call as it is, anything else in parentheses.
            {u"\\frac{a}{b}", u"a/b"}, {u"\\frac{x - t}{1 - 2tx}", u"(x − t)/(1 − 2tx)"}, {u"\\frac{ab}{c}", u"(ab)/c"},
            {u"\\frac{P_n(x)}{2}", u"Pₙ(x)/2"}, {u"\\frac{(a+b)}{[c]}", u"(a + b)/[c]"}, {u"\\frac{-1}{2}", u"(−1)/2"},
            {u"\\frac{\\frac{a}{b}}{c}", u"(a/b)/c"}, {u"\\frac{1}{\\sqrt{x}}", u"1/√x"}, {u"\\frac{\\sin x}{x}", u"(sin x)/x"},
            {u"\\frac{12.5}{\\Gamma(p)\\Gamma(q)}", u"12.5/(Γ(p) Γ(q))"},
            {u"\\frac{1}{\\begin{vmatrix} a & b \\\\ c & d \\end{vmatrix}}", u"1/|a, b; c, d|"},
            {u"\\frac{d^2 f}{dx^2}", u"d²f/dx²"}, {u"\\frac{\\partial^2 f}{\\partial x \\partial y}", u"∂²f/∂x∂y"},
            {u"\\frac{\\mathrm{d} y}{\\mathrm{d} x}", u"dy/dx"}, {u"\\frac{\\partial x}{r \\partial}", u"∂x/(r∂)"},
            // Roots, binomials, brackets, determinants.
            {u"\\sqrt{x}", u"√x"}, {u"\\sqrt{2\\pi}", u"√(2π)"}, {u"\\sqrt{x^2}", u"√(x²)"}, {u"\\sqrt{(a+b)}", u"√(a + b)"},
            {u"\\binom{n}{k}", u"binom(n, k)"}, {u"\\left( \\frac{a}{b} \\right)^2", u"(a/b)²"},
            {u"\\left. f \\right|_0", u"f|₀"}, {u"\\left\\{ x \\right.", u"{x"}, {u"\\{a\\}", u"{a}"}, {u"|x|", u"|x|"},
            {u"\\begin{pmatrix} 1 & 0 \\\\ 0 & 1 \\\\ \\end{pmatrix}", u"(1, 0; 0, 1)"},
            {u"\\begin{bmatrix} a \\end{bmatrix}", u"[a]"},
            // Symbols as their own characters; \phi is ϕ, \varphi φ.
            {u"\\phi \\varphi \\epsilon \\varepsilon \\vartheta \\Omega", u"ϕφϵεϑΩ"},
            {u"\\partial \\infty \\cdots \\ldots \\prime", u"∂∞⋯…′"},
            {u"a \\cdot b \\times c \\pm d \\mp e", u"a ⋅ b × c ± d ∓ e"},
            {u"a \\equiv b \\neq c \\leq d \\le e \\geq f \\ge g", u"a ≡ b ≠ c ≤ d ≤ e ≥ f ≥ g"},
            {u"a \\to b \\rightarrow c \\approx d \\sim e \\propto f < g > h", u"a → b → c ≈ d ∼ e ∝ f < g > h"},
            {u"\\lim_{x \\to 0} \\exp x + \\log(y) + \\ln z + \\max_n + \\min + \\cos + \\tan",
             u"lim_(x→0) exp x + log(y) + ln z + maxₙ + min + cos + tan"},
            {u"-x + (-1) = \\pm 2", u"−x + (−1) = ±2"}, {u"n! : 3", u"n! : 3"},
            // Text, other characters, and white space that means nothing.
            {u"x \\text{ が正, {a} \\{b\\} のとき}", u"x が正, a {b} のとき"}, {u"x ＝ ｙ", u"x＝ｙ"},
            {u"\\mathrm{B}( p ,q )", u"B(p, q)"},
            // An accent combines with one character and names itself over more.
            {u"r\\sin\\theta\\cos\\varphi", u"r sin θ cos φ"},
            {u"\\tilde{S} \\Rightarrow \\tilde{ab}", u"S\u0303 ⇒ tilde(ab)"},
        };
        for (const auto& [latex, linear] : cases)
            QTest::newRow(qPrintable(QString::fromUtf16(latex))) << QString::fromUtf16(latex) << QString::fromUtf16(linear);
    }

    void rulesReadLinearly()
    {
        QFETCH(QString, latex);
        QFETCH(QString, linear);
        QString error;
        QVERIFY2(formula::parses(latex, &error), qPrintable(error));
        QCOMPARE(withoutWhiteSpace(formula::linearText(latex)), withoutWhiteSpace(linear));
        const QString outline = mathmlOutline(latex);
        QVERIFY2(!outline.startsWith(u'!'), qPrintable(outline));
    }

    // Elements and leaves as KaTeX writes them: ∂, ∞ and Γ upright identifiers, − for -,
    // ∣ for |, a prime an mo in msup, a name followed by the function application.
    void mathmlHasKatexShape_data()
    {
        QTest::addColumn<QString>("latex");
        QTest::addColumn<bool>("display");
        QTest::addColumn<QString>("outline");
        QTest::newRow("scripts") << u"x_1^2 - y'"_s << true
                                 << u"mrow[msubsup[mi:x,mn:1,mn:2],mo:−,msup[mi:y,mo:′]]"_s;
        QTest::newRow("sum in display") << u"\\sum_{n=0}^\\infty"_s << true
                                        << u"mrow[munderover[mo:∑,mrow[mi:n,mo:=,mn:0],mi:∞]]"_s;
        QTest::newRow("sum inline") << u"\\sum_{n=0}^\\infty"_s << false
                                    << u"mrow[msubsup[mo:∑,mrow[mi:n,mo:=,mn:0],mi:∞]]"_s;
        QTest::newRow("integral in display") << u"\\int_0^1"_s << true << u"mrow[msubsup[mo:∫,mn:0,mn:1]]"_s;
        QTest::newRow("fraction and root") << u"\\frac{\\partial f}{\\sqrt{2.5\\Gamma}}"_s << true
                                           << u"mrow[mfrac[mrow[mi:∂,mi:f],msqrt[mrow[mn:2.5,mi:Γ]]]]"_s;
        QTest::newRow("binom") << u"\\binom{n}{k}"_s << true << u"mrow[mrow[mo:(,mfrac[mi:n,mi:k],mo:)]]"_s;
        QTest::newRow("vmatrix") << u"\\begin{vmatrix} a & b \\\\ c & d \\end{vmatrix}"_s << true
                                 << u"mrow[mrow[mo:∣,mtable[mtr[mtd[mstyle[mi:a]],mtd[mstyle[mi:b]]],"
                                    "mtr[mtd[mstyle[mi:c]],mtd[mstyle[mi:d]]]],mo:∣]]"_s;
        QTest::newRow("left right") << u"\\left\\{ x \\right."_s << true << u"mrow[mrow[mo:{,mi:x]]"_s;
        QTest::newRow("accent") << u"\\tilde{S}"_s << true << u"mrow[mover[mi:S,mo:~]]"_s;
        QTest::newRow("name") << u"\\sin x"_s << true << u"mrow[mi:sin,mo:\u2061,mi:x]"_s;
        QTest::newRow("text and escapes") << u"a<b \\text{x & y}"_s << true
                                          << u"mrow[mi:a,mo:<,mi:b,mtext:x\u00a0&\u00a0y]"_s;
        QTest::newRow("spaces") << u"a\\,b\\quad c"_s << true << u"mrow[mi:a,mtext:\u2009,mi:b,mspace,mi:c]"_s;
    }

    void mathmlHasKatexShape()
    {
        QFETCH(QString, latex);
        QFETCH(bool, display);
        QFETCH(QString, outline);
        QCOMPARE(mathmlOutline(latex, display), outline);
    }

    // Each symbol as the one leaf KaTeX makes of it: which element, and which character.
    void symbolsBecomeKatexLeaves_data()
    {
        QTest::addColumn<QString>("latex");
        QTest::addColumn<QString>("leaf");
        const std::pair<const char16_t*, const char16_t*> cases[] = {
            {u"\\alpha", u"mi:α"}, {u"\\omega", u"mi:ω"}, {u"\\varsigma", u"mi:ς"}, {u"\\Gamma", u"mi:Γ"},
            {u"\\Upsilon", u"mi:Υ"}, {u"\\partial", u"mi:∂"}, {u"\\infty", u"mi:∞"}, {u"|", u"mi:∣"}, {u"/", u"mi:/"},
            {u".", u"mi:."}, {u"B", u"mi:B"}, {u"42", u"mn:42"}, {u".5", u"mn:.5"}, {u"\\prime", u"mo:′"},
            {u"\\cdots", u"mo:⋯"}, {u"\\ldots", u"mo:…"}, {u"-", u"mo:−"}, {u"\\cdot", u"mo:⋅"}, {u"\\times", u"mo:×"},
            {u"\\mp", u"mo:∓"}, {u"\\sim", u"mo:∼"}, {u"\\propto", u"mo:∝"}, {u"\\neq", u"mo:≠"}, {u"\\prod", u"mo:∏"},
            {u"\\{", u"mo:{"}, {u"!", u"mo:!"}, {u":", u"mo::"}, {u"[", u"mo:["}, {u"≤", u"mo:≤"}, {u"α", u"mi:α"},
            {u"~", u"mtext:\u00a0"}, {u"の", u"mtext:の"},
        };
        for (const auto& [latex, leaf] : cases)
            QTest::newRow(qPrintable(QString::fromUtf16(latex))) << QString::fromUtf16(latex) << QString::fromUtf16(leaf);
    }

    void symbolsBecomeKatexLeaves()
    {
        QFETCH(QString, latex);
        QFETCH(QString, leaf);
        QCOMPARE(mathmlOutline(latex), u"mrow["_s + leaf + u']');
    }

    void mathmlMarksUprightIdentifiers()
    {
        const QString xml = formula::mathml(u"\\Gamma \\partial \\infty \\mathrm{d} x"_s, false);
        QCOMPARE(xml.count(u"<mi mathvariant=\"normal\">"_s), 4);
        QVERIFY(xml.contains(u"<mi>x</mi>"_s));
    }

    void outsideTheSubsetIsReported_data()
    {
        QTest::addColumn<QString>("latex");
        const char* cases[] = {
            "{a", "a}", "\\foo", "\\right)", "\\left( a", "\\left< a \\right>", "x^", "x^2^3", "x_1_2", "x^2'",
            "a & b", "a \\\\ b", "\\begin{vmatrix} a", "\\begin{foo} a \\end{foo}", "\\begin{vmatrix} a \\end{pmatrix}",
            "\\end{vmatrix}", "\\sqrt[3]{x}", "\\frac{a}", "\\text{\\alpha}", "\\text{a", "50%", "\\", "{x^}",
        };
        for (const char* latex : cases) QTest::newRow(latex) << QString::fromUtf8(latex);
        QTest::newRow("deep groups") << u"{"_s.repeated(100000) + u"x"_s + u"}"_s.repeated(100000);
        QTest::newRow("deep roots") << u"\\sqrt"_s.repeated(100000) + u"x"_s;
        QTest::newRow("deep scripts") << u"x^{"_s.repeated(100000) + u"}"_s.repeated(100000);
    }

    void outsideTheSubsetIsReported()
    {
        QFETCH(QString, latex);
        QString error;
        QVERIFY(!formula::parses(latex, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(formula::linearText(latex), latex);
        QCOMPARE(formula::mathml(latex, true), latex);
    }

    void ordinaryNestingParses()
    {
        const QString nested = u"{"_s.repeated(20) + u"\\frac{\\sqrt{x^{2}}}{2}"_s + u"}"_s.repeated(20);
        QVERIFY(formula::parses(nested));
        QCOMPARE(formula::linearText(nested), u"√(x²)/2"_s);
    }
};

QTEST_GUILESS_MAIN(FormulaTest)

#include "test_formula.moc"
