#pragma once
// Notation builders: composite mathematics drawn at the shared pen on the
// current surface, each leaving penX after what it drew.
#include <QString>

// Variables, signs and scripts at the pen.
void putVars(const QString& s);
void putMinus();
void putPlus();
void putColored(const QString& s);
void putSub(const QString& s);
void putSup(const QString& s);
void putSquared(const QString& s);
void putXSquared();
void putDiff(const QString& s);
void putCourier(const QString& s);
void putCos();
void putSin();
void putPartialSign();
void putTilde(const QString& s);
void putDelta();
void putEpsilon();
void putKappa();
void putTheta();
void putLambda();
void putPhi();

// Partial derivatives, Jacobians and tall delimiters.
class Surface;
void dspVarList(Surface& s, float& x, float y, const QString& list);
void putPartial(const QString& num, const QString& den);
void putJacobian(const QString& a, const QString& b);
void putPartialParen(const QString& num, const QString& den, const QString& held);
void putBigDelim(float& x, float y, int kind);
void putBigLParen(float& x, float y);
void putBigRParen(float& x, float y);
void putBigLBracket(float& x, float y);
void putBigRBracket(float& x, float y);

// Two-by-two determinants of derivative shorthand.
void ShowUx(const QString& code);
void det2(const QString& a11, const QString& a12, const QString& a21, const QString& a22);
void det2a();
void det2b(const QString& a11, const QString& a12, const QString& a21, const QString& a22);

// Marked-up fractions.
long markupWidth(const QString& text);
void putFracScaled(float scale, const QString& num, const QString& den);
void putFrac(const QString& num, const QString& den);
void putFracSmall(const QString& num, const QString& den);
void putFracMid(const QString& num, const QString& den);

// Sums with limits, binomials and function arguments.
void putSumLimits(const QString& upper, const QString& lower);
void putBinomial(const QString& top, const QString& bottom);
void putFuncOf(const QString& f, const QString& arg);

// Ordinary derivatives and tagged equation lines.
void putDeriv(const QString& f, const QString& v);
void putDeriv2(const QString& f, const QString& v);
void putDerivN();
void putKummerEq(const QString& y);
void putLaguerreEq(const QString& y);

// Exponentials, 2π factors and the series sum.
void putExpIK(int sign, const QString& v);
void putExpMinusX2();
void putExpMinusX4();
void dspTwoPi(float& x, float y);
void putOneOver2Pi();
void putOneOverSqrt2Pi();
void putSumN0Inf();

// Special-function symbols, primes and the Legendre-equation fractions.
void putPOfX(const QString& n);
void putHOfX(const QString& n);
void putAssocP(const QString& l, const QString& m);
void putDAssocP(const QString& l, const QString& m);
void putOverOneMinusX2(const QString& m);
void dspPrime();
void dspDPrime();
void primeLn();
void dprimeLn();
void beta();
void Gamma();
