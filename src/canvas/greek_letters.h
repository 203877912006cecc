#pragma once
// The Greek letters the pages spell out ("theta", "fi", ...) and the letter of the Symbol
// face that draws each (the Adobe Symbol encoding puts θ on "q"). How a name is drawn
// (reduced, raised, φ from the surface's own face) is each builder's choice; which
// Symbol letter stands for it is said only here.
#include <QString>

#include <array>
#include <string_view>

struct GreekLetter {
    std::u16string_view name;
    char16_t symbolLetter;
};

inline constexpr auto greekLetters = std::to_array<GreekLetter>({
    {u"alpha", u'a'},
    {u"beta", u'b'},
    {u"delta", u'd'},
    {u"epsilon", u'e'},
    {u"theta", u'q'},
    {u"kappa", u'k'},
    {u"lambda", u'l'},
    {u"pi", u'p'},
    {u"phi", u'j'},
    {u"fi", u'j'},  // the pages' other spelling of phi
    {u"omega", u'w'},
    {u"Beta", u'B'},
    {u"Gamma", u'G'},
});

// The Symbol letter of a Greek name; a name outside the table does not compile.
consteval char16_t greek(std::u16string_view name)
{
    for (const GreekLetter& letter : greekLetters)
        if (letter.name == name) return letter.symbolLetter;
    throw "a Greek name outside the table";
}

// One Symbol letter as the string the text primitives take.
inline QString symbolText(char16_t letter) { return QString(QChar(letter)); }
