#pragma once
// Byte codes of the Symbol face (the Adobe Symbol encoding) that the program draws by
// number: signs no Latin letter stands for, and the pieces tall signs are built from.
// Letters and signs that have a Latin stand-in ("q" for θ) are written as that letter.
namespace symbol_code {

// The first code the encoding draws (the space); below it there are no glyphs.
constexpr unsigned char first = 0x20;

constexpr unsigned char prime = 0xA2;     // ′
constexpr unsigned char partial = 0xB6;   // ∂
constexpr unsigned char radical = 0xD6;   // √, the sign alone, without its bar
constexpr unsigned char summation = 0xE5; // ∑, the n-ary sum

// Tall parentheses and brackets, two pieces each: the top piece and the bottom piece.
// Between them the encoding has an extender, which the pages never need.
constexpr unsigned char parenLeftTop = 0xE6;      // ⎛
constexpr unsigned char parenLeftBottom = 0xE8;   // ⎝
constexpr unsigned char bracketLeftTop = 0xE9;    // ⎡
constexpr unsigned char bracketLeftBottom = 0xEB; // ⎣
constexpr unsigned char parenRightTop = 0xF6;     // ⎞
constexpr unsigned char parenRightBottom = 0xF8;  // ⎠
constexpr unsigned char bracketRightTop = 0xF9;   // ⎤
constexpr unsigned char bracketRightBottom = 0xFB; // ⎦

// The tall integral: its upper and lower halves (⌠ ⌡).
constexpr unsigned char integralTop = 0xF3;
constexpr unsigned char integralBottom = 0xF5;

}  // namespace symbol_code
