#include "markup.h"

#include "drawing_state.h"
#include "greek_letters.h"
#include "text.h"

#include <cstring>
#include <iconv.h>

using namespace Qt::StringLiterals;

namespace {

bool isLower(QChar c) { return c >= u'a' && c <= u'z'; }
bool isUpper(QChar c) { return c >= u'A' && c <= u'Z'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Draws the Greek token at the start of `rest` that both script kinds share.
bool drawSharedGreek(Surface& s, float& x, float y, QString& rest)
{
    if (rest.startsWith(u"fi"_s)) {
        dspGreek(s, x, y, symbolText(greek(u"fi")));
        rest.remove(0, 2);
    } else if (rest.startsWith(u"theta"_s)) {
        dspGreek(s, x, y + 1, symbolText(greek(u"theta")));
        rest.remove(0, 5);
    } else {
        return false;
    }
    return true;
}

bool drawAlphaBeta(Surface& s, float& x, float y, QString& rest)
{
    if (rest.startsWith(u"alpha"_s)) {
        dspGreek(s, x, y, symbolText(greek(u"alpha")));
        rest.remove(0, 5);
    } else if (rest.startsWith(u"beta"_s)) {
        dspGreek(s, x, y, symbolText(greek(u"beta")));
        rest.remove(0, 4);
    } else {
        return false;
    }
    return true;
}

// π at the full size, two pixels up, a pixel of air on each side.
void drawScriptPi(Surface& s, float& x, float y, float fullSize)
{
    StyleScope keep(s);
    s.FontSize = fullSize;
    x += 1;
    dspSymbol(s, x, y - 2, symbolText(greek(u"pi")));
    x += 1;
}

// Opening a converter costs far more than converting one character, and a page asks
// many times: each thread opens one and keeps it.
class Cp932Encoder {
public:
    Cp932Encoder() : cd_(iconv_open("CP932", "UTF-8")) {}
    ~Cp932Encoder()
    {
        if (cd_ != iconv_t(-1)) iconv_close(cd_);
    }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;
    iconv_t handle() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

bool isWide(const QString& text)
{
    if (text.isEmpty()) return false;
    const QByteArray utf8 = QString(text.left(text.at(0).isHighSurrogate() ? 2 : 1)).toUtf8();
    thread_local const Cp932Encoder encoder;
    const iconv_t cd = encoder.handle();
    if (cd == iconv_t(-1)) return false;
    char in[8] = {};
    char out[8] = {};
    std::memcpy(in, utf8.constData(), size_t(qMin<qsizetype>(utf8.size(), 4)));
    char* inp = in;
    char* outp = out;
    size_t inLeft = size_t(utf8.size()), outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a failed conversion leaves no state behind
    const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    return r != size_t(-1) && sizeof out - outLeft == 2;
}

void dspSup(Surface& s, float& x, float y, const QString& text)
{
    const double TW = s.TextWidth(u"A"_s);
    const double TH = s.TextHeight(u"A"_s);
    StyleScope keep(s);
    const float S = s.FontSize;
    const float small = float(ds().supScale * double(S));
    s.FontSize = small;
    const float ys = float(y - ds().supRaise * TH);
    float xs = x;
    QString rest = text;
    while (!rest.isEmpty()) {
        const QChar c = rest.at(0);
        if (rest.contains(u"Time:"_s)) {
            dspText(s, xs, ys, rest);
            rest.clear();
        } else if (rest.startsWith(u"phi"_s)) {
            xs = float(xs + 0.1 * TW);
            dspPhi(s, xs, ys, keep);
            rest.remove(0, 3);
        } else if (drawSharedGreek(s, xs, ys, rest)) {
        } else if (rest.startsWith(u"pi"_s)) {
            drawScriptPi(s, xs, ys, S);
            rest.remove(0, 2);
        } else if (drawAlphaBeta(s, xs, ys, rest)) {
        } else if (rest.startsWith(u"omega"_s)) {
            dspOmega(s, xs, ys + 1);
            xs += 2;
            rest.remove(0, 5);
        } else {
            if (isLower(c) || isUpper(c)) {
                dspVar(s, xs, ys, QString(c));
                xs += 2;
            } else if (c == u'-') {
                dspCourier(s, xs, ys, QString(c));
            } else {
                dspText(s, xs, ys, QString(c));
            }
            rest.remove(0, 1);
        }
    }
    x = xs;
}

void dspSub(Surface& s, float& x, float y, const QString& text)
{
    const double TW = s.TextWidth(u"A"_s);
    const double TH = s.TextHeight(u"A"_s);
    StyleScope keep(s);
    const float S = s.FontSize;
    s.FontSize = float(ds().subScale * double(S));
    if (isWide(text)) s.FontSize = float(s.FontSize * 0.85);
    float yb = float(y + ds().subDrop * TH);
    float xb = x;
    QString rest = text;
    while (!rest.isEmpty()) {
        const QChar c = rest.at(0);
        if (rest == u"min"_s || rest == u"max"_s || rest.contains(u"Time:"_s)) {
            dspText(s, xb, yb, rest);
            rest.clear();
        } else if (rest.startsWith(u"phi"_s)) {
            dspPhi(s, xb, yb, keep);
            rest.remove(0, 3);
        } else if (drawSharedGreek(s, xb, yb, rest)) {
        } else if (rest.startsWith(u"pi"_s)) {
            drawScriptPi(s, xb, yb, S);
            rest.remove(0, 2);
        } else if (drawAlphaBeta(s, xb, yb, rest)) {
        } else {
            if (c == u'j') {
                xb += 1;
                dspVar(s, xb, yb, QString(c));
                xb = float(xb + 0.2 * TW);
            } else if (isLower(c) || c == u',') {
                dspVar(s, xb, yb, QString(c));
                xb = float(xb + 0.2 * TW);
            } else if (isUpper(c)) {
                // A capital index is set smaller and lower, and so is all that follows it.
                s.FontSize = float(ds().subScale * double(S) * 0.9);
                yb = float(y + (ds().subDrop + 0.1) * TH);
                dspVar(s, xb, yb, QString(c));
            } else if (isDigit(c)) {
                dspText(s, xb, yb, QString(c));
            } else if (c == u'+' || c == u'-') {
                dspCourier(s, xb, yb, QString(c));
            } else {
                dspText(s, xb, yb, QString(c));
            }
            rest.remove(0, 1);
        }
    }
    x = xb;
}
