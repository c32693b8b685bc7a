// The built-in functions in the order the standard table adds them, each bound to
// its own formula adapter: its routine and its exact path. Compiled once for each
// build of the kernels (elementary_functions_fma.cpp includes it again).
#include <array>

#include "mathlib/elementary_functions.h"
#include "mathlib/function_variants.h"

namespace {

constexpr std::array<TStandardFunction, 39> Functions{{
    {"sin", 1, &UnaryAdapter<&Sin, &Exact::Sin>},
    {"cos", 1, &UnaryAdapter<&Cos, &Exact::Cos>},
    {"exp", 1, &UnaryAdapter<&Exp, &Exact::Exp>},
    {"ln", 1, &UnaryAdapter<&Ln, &Exact::Ln>},
    {"square", 1, &SquareAdapter},
    {"sqrt", 1, &SqrtAdapter},
    {"abs", 1, &AbsAdapter},
    {"tan", 1, &UnaryAdapter<&Tan, &Exact::Tan>},
    {"arctan", 1, &UnaryAdapter<&ArcTan, &Exact::ArcTan>},
    {"logbase10", 1, &UnaryAdapter<&LogBase10, &Exact::LogBase10>},
    {"logbase2", 1, &UnaryAdapter<&LogBase2, &Exact::LogBase2>},
    {"cot", 1, &UnaryAdapter<&Cot, &Exact::Cot>},
    {"sec", 1, &UnaryAdapter<&Sec, &Exact::Sec>},
    {"csc", 1, &UnaryAdapter<&Csc, &Exact::Csc>},
    {"arcsin", 1, &UnaryAdapter<&ArcSin, &Exact::ArcSin>},
    {"arccos", 1, &UnaryAdapter<&ArcCos, &Exact::ArcCos>},
    {"arccot", 1, &UnaryAdapter<&ArcCot, &Exact::ArcCot>},
    {"arcsec", 1, &UnaryAdapter<&ArcSec, &Exact::ArcSec>},
    {"arccsc", 1, &UnaryAdapter<&ArcCsc, &Exact::ArcCsc>},
    {"cosh", 1, &UnaryAdapter<&CosH, &Exact::CosH>},
    {"coth", 1, &UnaryAdapter<&CotH, &Exact::CotH>},
    {"csch", 1, &UnaryAdapter<&CscH, &Exact::CscH>},
    {"sech", 1, &UnaryAdapter<&SecH, &Exact::SecH>},
    {"sinh", 1, &UnaryAdapter<&SinH, &Exact::SinH>},
    {"tanh", 1, &UnaryAdapter<&TanH, &Exact::TanH>},
    {"arccosh", 1, &UnaryAdapter<&ArcCosH, &Exact::ArcCosH>},
    {"arccoth", 1, &UnaryAdapter<&ArcCotH, &Exact::ArcCotH>},
    {"arccsch", 1, &UnaryAdapter<&ArcCscH, &Exact::ArcCscH>},
    {"arcsech", 1, &UnaryAdapter<&ArcSecH, &Exact::ArcSecH>},
    {"arcsinh", 1, &UnaryAdapter<&ArcSinH, &Exact::ArcSinH>},
    {"arctanh", 1, &UnaryAdapter<&ArcTanH, &Exact::ArcTanH>},
    {"coversine", 1, &UnaryAdapter<&Coversine, &Exact::Coversine>},
    {"exsecans", 1, &UnaryAdapter<&Exsecans, &Exact::Exsecans>},
    {"haversine", 1, &UnaryAdapter<&Haversine, &Exact::Haversine>},
    {"versine", 1, &UnaryAdapter<&Versine, &Exact::Versine>},
    {"power", 2, nullptr, &BinaryAdapter<&Power, &Exact::Power>},
    {"pythag", 2, nullptr, &BinaryAdapter<&Pythag, &Exact::Pythag>},
    {"logbasen", 2, nullptr, &BinaryAdapter<&LogBaseN, &Exact::LogBaseN>},
    {"arctan2", 2, nullptr, &BinaryAdapter<&ArcTan2, &Exact::ArcTan2>},
}};

} // namespace

#ifdef ZENTAVO_MATH_FMA
std::span<const TStandardFunction> FmaFunctions() noexcept {
    return Functions;
}
#else
std::span<const TStandardFunction> PortableFunctions() noexcept {
    return Functions;
}
#endif
