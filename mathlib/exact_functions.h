// The exact path: each built-in function's exact mathematical value rounded once
// to double, computed with MPFR at a precision raised until the rounding is
// certain. Slow (microseconds), and taken only for the rare arguments whose fast
// double-double result lies too near a rounding boundary to decide. Arguments are
// those the routine accepted; a value beyond the double range is an infinity.
#pragma once

#include <cstdint>

using TExactUnary = double (*)(double);
using TExactBinary = double (*)(double, double);

namespace Exact {
double Sin(double x);
double Cos(double x);
double Tan(double x);
double Cot(double x);
double Sec(double x);
double Csc(double x);
double Versine(double x);
double Coversine(double x);
double Haversine(double x);
double Exsecans(double x);
double Exp(double x);
double Ln(double x);
double LogBase10(double x);
double LogBase2(double x);
double LogBaseN(double base, double x);
double ArcSin(double x);
double ArcCos(double x);
double ArcTan(double x);
double ArcCot(double x);
double ArcSec(double x);
double ArcCsc(double x);
double ArcTan2(double y, double x);
double SinH(double x);
double CosH(double x);
double TanH(double x);
double CotH(double x);
double SecH(double x);
double CscH(double x);
double ArcSinH(double x);
double ArcCosH(double x);
double ArcTanH(double x);
double ArcCotH(double x);
double ArcSecH(double x);
double ArcCscH(double x);
double Power(double base, double exponent);
double Pythag(double x, double y);
} // namespace Exact

// How many times the exact path ran in this process (all functions together).
std::uint64_t ExactPathCount() noexcept;
