// Checks every formula a page marks against KaTeX, a LaTeX reader we did not write:
//  - KaTeX parses its LaTeX in strict mode;
//  - the glyphs drawn inside it are the leaves (mi, mn, mo, mtext) of KaTeX's MathML for that
//    LaTeX, as multisets, up to the short table of legitimate differences below;
//  - the operations drawn in a math face (the Symbol face, italics, "─" bars) lie inside some
//    formula, at least COVERAGE of them on every page, and no two formulas overlap;
//  - with --mathml TOOL, our own MathML for each formula has the same leaves as KaTeX's.
//
//   node check_spans.mjs VELKORA [--mathml TOOL] ID...
// Prints one line a fault and exits 1 when there is any.
import { execFileSync } from 'node:child_process';
import katex from 'katex';

const coverageGoal = 0.99;

// The Adobe Symbol encoding, written out here from Adobe's table rather than taken from the
// program, so that a slip in the program's table shows as a disagreement.
const symbolLetters = {
    A: 'Α', B: 'Β', C: 'Χ', D: 'Δ', E: 'Ε', F: 'Φ', G: 'Γ', H: 'Η', I: 'Ι', J: 'ϑ', K: 'Κ', L: 'Λ',
    M: 'Μ', N: 'Ν', O: 'Ο', P: 'Π', Q: 'Θ', R: 'Ρ', S: 'Σ', T: 'Τ', U: 'Υ', V: 'ς', W: 'Ω', X: 'Ξ',
    Y: 'Ψ', Z: 'Ζ', a: 'α', b: 'β', c: 'χ', d: 'δ', e: 'ε', f: 'φ', g: 'γ', h: 'η', i: 'ι', j: 'ϕ',
    k: 'κ', l: 'λ', m: 'μ', n: 'ν', o: 'ο', p: 'π', q: 'θ', r: 'ρ', s: 'σ', t: 'τ', u: 'υ', v: 'ϖ',
    w: 'ω', x: 'ξ', y: 'ψ', z: 'ζ',
};
const symbolCodes = {
    0x22: '∀', 0x24: '∃', 0x27: '∍', 0x2A: '∗', 0x2D: '−', 0x40: '≅', 0x5C: '∴', 0x5E: '⊥',
    0x60: '', // the radical's extender: part of the root, no character of its own
    0x7E: '∼', 0xA1: 'ϒ', 0xA2: '′', 0xA3: '≤', 0xA4: '⁄', 0xA5: '∞', 0xB0: '°', 0xB1: '±',
    0xB2: '″', 0xB3: '≥', 0xB4: '×', 0xB5: '∝', 0xB6: '∂', 0xB7: '•', 0xB8: '÷', 0xB9: '≠',
    0xBA: '≡', 0xBB: '≈', 0xBC: '…', 0xD5: '∏', 0xD6: '√', 0xD7: '⋅', 0xE5: '∑', 0xF2: '∫',
    // Pieces of tall delimiters and of the tall integral: the top piece stands for the sign,
    // the other pieces for nothing more.
    0xE6: '(', 0xE7: '', 0xE8: '', 0xE9: '[', 0xEA: '', 0xEB: '', 0xEC: '{', 0xED: '', 0xEE: '',
    0xEF: '', 0xF3: '∫', 0xF4: '', 0xF5: '', 0xF6: ')', 0xF7: '', 0xF8: '', 0xF9: ']', 0xFA: '',
    0xFB: '', 0xFC: '}', 0xFD: '', 0xFE: '',
};

function symbolMeaning(ch) {
    if (ch in symbolLetters) return symbolLetters[ch];
    const code = ch.codePointAt(0);
    if (code in symbolCodes) return symbolCodes[code];
    if (code >= 0x20 && code < 0x7F) return ch;
    return `\u{FFFD}`;
}

// Forms that read alike: full-width forms and the hyphen-minus as the minus sign; the
// katakana middle dot the pages draw as a product dot; the divides sign KaTeX draws a
// determinant's bars with as the bar. Bars drawn as text (box drawing, the horizontal bar)
// are a fraction's, which MathML writes as structure rather than as a leaf.
function folded(ch) {
    let c = ch.normalize('NFKC');
    if (c === '-') c = '−';
    if (c === '・' || c === '·') c = '⋅';
    if (c === '∣') c = '|';
    // The Beta function's B is the Symbol face's capital Beta, the same letter to a reader.
    if (c === 'Β') c = 'B';
    // Primes drawn as apostrophes, and the long-vowel mark 5.17 draws as a minus sign.
    if (c === "'" || c === '’') c = '′';
    if (c === 'ー') c = '−';
    if (c === '─' || c === '―') c = '';
    return c;
}

// Three product dots in a row are the pages' way of drawing \cdots.
function withEllipses(chars) {
    return [...chars.join('').replaceAll('⋅⋅⋅', '⋯')];
}

// KaTeX's invisible operators (function application, invisible times) are not drawn.
const invisible = /[\u2061-\u2064\u200B\s]/u;

function multiset(chars) {
    const m = new Map();
    for (const c of chars) if (c && !invisible.test(c)) m.set(c, (m.get(c) || 0) + 1);
    return m;
}

function difference(a, b) {
    const out = [];
    for (const [c, n] of a) {
        const k = n - (b.get(c) || 0);
        if (k > 0) out.push(k > 1 ? `${c}×${k}` : c);
    }
    return out;
}

function decode(text) {
    return text.replace(/&(#x[0-9a-f]+|#\d+|amp|lt|gt|quot|apos);/gi, (_, e) => {
        if (e[0] === '#') return String.fromCodePoint(e[1] === 'x' || e[1] === 'X' ? parseInt(e.slice(2), 16) : parseInt(e.slice(1), 10));
        return { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" }[e.toLowerCase()];
    });
}

// The characters of a MathML's leaves, and how many roots it has.
function mathmlLeaves(mathml) {
    const body = mathml.replace(/<annotation[\s\S]*?<\/annotation>/g, '');
    const chars = [];
    for (const m of body.matchAll(/<(mi|mn|mo|mtext)\b[^>]*>([^<]*)<\/\1>/g)) chars.push(...[...decode(m[2])].map(folded));
    return { chars, roots: (body.match(/<msqrt\b/g) || []).length };
}

function drawnChars(op) {
    const chars = [...op.text].map((c) => (op.face === 'Symbol' ? symbolMeaning(c) : c));
    return chars.map(folded);
}

function isMathOp(op) {
    return op.op === 'text' && (op.face === 'Symbol' || op.italic || op.text.includes('─'));
}

function trace(velkora, id) {
    const out = execFileSync(velkora, ['--trace', id], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, maxBuffer: 1 << 26 });
    const lines = out.toString('utf8').trim().split('\n').map((l) => JSON.parse(l));
    const ops = lines.slice(2).filter((l) => l.op !== 'formula');
    const formulas = lines.filter((l) => l.op === 'formula');
    return { ops, formulas };
}

function ourMathml(tool, latexes) {
    if (!tool || latexes.length === 0) return [];
    const out = execFileSync(tool, [], { input: latexes.join('\n') + '\n', maxBuffer: 1 << 26 });
    return out.toString('utf8').split('\n').filter((l) => l.length > 0);
}

function checkFormula(id, f, ops, faults) {
    const where = `${id} ops ${f.first}–${f.last} ${JSON.stringify(f.latex)}`;
    let mathml;
    try {
        mathml = katex.renderToString(f.latex, { output: 'mathml', strict: 'error', throwOnError: true, displayMode: true });
    } catch (e) {
        faults.push(`${where}: KaTeX: ${e.message}`);
        return null;
    }
    const leaves = mathmlLeaves(mathml);
    const inside = ops.slice(f.first, f.last + 1);
    let drawn = withEllipses(inside.filter((op) => op.op === 'text').flatMap(drawnChars));
    // A root is a drawn √ against MathML's msqrt, which has no leaf for it.
    const radicals = drawn.filter((c) => c === '√').length;
    if (radicals !== leaves.roots) faults.push(`${where}: draws ${radicals} radical signs, KaTeX reads ${leaves.roots} roots`);
    drawn = drawn.filter((c) => c !== '√');
    let expected = leaves.chars;
    // Determinant bars and brackets may be drawn as strokes rather than glyphs.
    if (inside.some((op) => op.op === 'line')) {
        const drawnSet = new Set(drawn);
        expected = expected.filter((c) => !'|[]()'.includes(c) || drawnSet.has(c));
    }
    const a = multiset(drawn);
    const b = multiset(expected);
    const extraDrawn = difference(a, b);
    const extraLatex = difference(b, a);
    if (extraDrawn.length || extraLatex.length)
        faults.push(`${where}: drawn but not in the LaTeX [${extraDrawn.join(' ')}], in the LaTeX but not drawn [${extraLatex.join(' ')}]`);
    return mathml;
}

function checkPage(velkora, tool, id, faults) {
    const { ops, formulas } = trace(velkora, id);
    const katexMathml = formulas.map((f) => checkFormula(id, f, ops, faults));
    const covered = new Array(ops.length).fill(false);
    let end = -1;
    for (const f of formulas) {
        if (f.first <= end || f.last < f.first || f.last >= ops.length) faults.push(`${id}: formula at ops ${f.first}–${f.last} overlaps another or lies outside the page`);
        end = Math.max(end, f.last);
        for (let i = f.first; i <= f.last && i < ops.length; ++i) covered[i] = true;
    }
    const math = ops.map((op, i) => [op, i]).filter(([op]) => isMathOp(op));
    const outside = math.filter(([, i]) => !covered[i]);
    if (math.length && 1 - outside.length / math.length < coverageGoal) {
        const sample = outside.slice(0, 8).map(([op, i]) => `${i}:${JSON.stringify(op.text)}`).join(' ');
        faults.push(`${id}: ${outside.length} of ${math.length} operations in a math face lie outside any formula: ${sample}`);
    }
    const ours = ourMathml(tool, formulas.map((f) => f.latex));
    ours.forEach((m, k) => {
        if (!katexMathml[k]) return;
        const a = multiset(mathmlLeaves(m).chars);
        const b = multiset(mathmlLeaves(katexMathml[k]).chars);
        const extra = difference(a, b);
        const missing = difference(b, a);
        if (extra.length || missing.length)
            faults.push(`${id} ${JSON.stringify(formulas[k].latex)}: our MathML has [${extra.join(' ')}] more, [${missing.join(' ')}] less than KaTeX's`);
    });
    return formulas.length;
}

const args = process.argv.slice(2);
const velkora = args.shift();
let tool = null;
const toolAt = args.indexOf('--mathml');
if (toolAt >= 0) tool = args.splice(toolAt, 2)[1];
const faults = [];
let count = 0;
for (const id of args) count += checkPage(velkora, tool, id, faults);
for (const f of faults) console.log(f);
console.log(`${args.length} pages, ${count} formulas, ${faults.length} faults`);
process.exit(faults.length ? 1 : 0);
