#include "symbol_encoding.h"

#include "symbol_codes.h"

namespace {

// The Adobe Symbol encoding from its first code to the last a byte holds, sixteen codes a
// row; 0 stands for nothing.
// Where Adobe names a compatibility character, the one a reader expects is used
// instead: Δ and Ω the Greek capitals, the angle brackets the mathematical ones.
constexpr char16_t symbolTable[0x100 - symbol_code::first] = {
    // 0x20
    u' ', u'!', u'∀', u'#', u'∃', u'%', u'&', u'∋', u'(', u')', u'∗', u'+', u',', u'−', u'.', u'/',
    // 0x30
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u':', u';', u'<', u'=', u'>', u'?',
    // 0x40
    u'≅', u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι', u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο',
    // 0x50
    u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ', u'[', u'∴', u']', u'⊥', u'_',
    // 0x60: the radical's extender, then the small letters
    0, u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ', u'λ', u'μ', u'ν', u'ο',
    // 0x70
    u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ', u'{', u'|', u'}', u'∼', 0,
    // 0x80, 0x90: free
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    u'€', u'ϒ', u'′', u'≤', u'⁄', u'∞', u'ƒ', u'♣', u'♦', u'♥', u'♠', u'↔', u'←', u'↑', u'→', u'↓',
    // 0xB0: the arrows' extenders (0xBD, 0xBE) stand for nothing
    u'°', u'±', u'″', u'≥', u'×', u'∝', u'∂', u'•', u'÷', u'≠', u'≡', u'≈', u'…', 0, 0, u'↵',
    // 0xC0
    u'ℵ', u'ℑ', u'ℜ', u'℘', u'⊗', u'⊕', u'∅', u'∩', u'∪', u'⊃', u'⊇', u'⊄', u'⊂', u'⊆', u'∈', u'∉',
    // 0xD0
    u'∠', u'∇', u'®', u'©', u'™', u'∏', u'√', u'⋅', u'¬', u'∧', u'∨', u'⇔', u'⇐', u'⇑', u'⇒', u'⇓',
    // 0xE0: the summation sign (not the Greek capital), then the left pieces of tall
    // parentheses, brackets and braces, top piece first
    u'◊', u'⟨', u'®', u'©', u'™', u'∑', u'(', 0, 0, u'[', 0, 0, u'{', 0, 0, 0,
    // 0xF0: the tall integral's pieces, then the right pieces of the tall delimiters
    0, u'⟩', u'∫', u'∫', 0, 0, u')', 0, 0, u']', 0, 0, u'}', 0, 0, 0,
};

// The codes drawn by number mean what their names say.
constexpr char16_t meaningOfCode(unsigned char code) { return symbolTable[code - symbol_code::first]; }
static_assert(meaningOfCode(symbol_code::prime) == u'′');
static_assert(meaningOfCode(symbol_code::partial) == u'∂');
static_assert(meaningOfCode(symbol_code::radical) == u'√');
static_assert(meaningOfCode(symbol_code::summation) == u'∑');
static_assert(meaningOfCode(symbol_code::parenLeftTop) == u'(' && meaningOfCode(symbol_code::parenRightTop) == u')');
static_assert(meaningOfCode(symbol_code::bracketLeftTop) == u'[' && meaningOfCode(symbol_code::bracketRightTop) == u']');
static_assert(meaningOfCode(symbol_code::integralTop) == u'∫');

}  // namespace

bool isSymbolFace(const QString& face) { return face == QLatin1String("Symbol"); }

QString symbolMeaning(QChar code)
{
    const char16_t u = code.unicode();
    if (u < symbol_code::first || u > 0xFF) return QString();
    const char16_t meaning = meaningOfCode(static_cast<unsigned char>(u));
    return meaning == 0 ? QString() : QString(QChar(meaning));
}

QString meaningOf(const QString& face, const QString& text)
{
    if (!isSymbolFace(face)) return text;
    QString meaning;
    for (QChar c : text) meaning += symbolMeaning(c);
    return meaning;
}

QString meaningOf(const DrawOp& op) { return meaningOf(op.face, op.text); }
