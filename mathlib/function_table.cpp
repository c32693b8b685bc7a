// The built-in functions in the order the standard table adds them: one row each,
// naming the function's text name, its fast routine (Fast, which gives the arity)
// and its exact path on MPFR (Exact). Compiled once for each build of the kernels
// (elementary_functions_fma.cpp includes it again).
#include <array>

#include "mathlib/elementary_functions.h"
#include "mathlib/formula_adapters.h"
#include "mathlib/function_variants.h"

namespace {

template <TUnaryRoutine Routine, Exact::TBounds Bounds>
constexpr TStandardFunction Unary(std::string_view name) {
    return {name, 1, &UnaryAdapter<Routine, Bounds>, nullptr, &ExactValue<Bounds>};
}

template <TBinaryRoutine Routine, Exact::TBounds Bounds>
constexpr TStandardFunction Binary(std::string_view name) {
    return {name, 2, nullptr, &BinaryAdapter<Routine, Bounds>, &ExactValue<Bounds>};
}

// A function the double arithmetic rounds correctly by itself.
template <TUnaryAdapter Adapter, Exact::TBounds Bounds>
constexpr TStandardFunction Plain(std::string_view name) {
    return {name, 1, Adapter, nullptr, &ExactValue<Bounds>};
}

using namespace Exact;

constexpr auto Functions = std::to_array<TStandardFunction>({
    Unary<&Fast::Sin, &Direct<mpfr_sin>>("sin"),
    Unary<&Fast::Cos, &Direct<mpfr_cos>>("cos"),
    Unary<&Fast::Exp, &Direct<mpfr_exp>>("exp"),
    Unary<&Fast::Ln, &Direct<mpfr_log>>("ln"),
    Plain<&SquareAdapter, &Direct<mpfr_sqr>>("square"),
    Plain<&SqrtAdapter, &Direct<mpfr_sqrt>>("sqrt"),
    Plain<&AbsAdapter, &Direct<mpfr_abs>>("abs"),
    Unary<&Fast::Tan, &Direct<mpfr_tan>>("tan"),
    Unary<&Fast::ArcTan, &Direct<mpfr_atan>>("arctan"),
    Unary<&Fast::LogBase10, &Direct<mpfr_log10>>("logbase10"),
    Unary<&Fast::LogBase2, &Direct<mpfr_log2>>("logbase2"),
    Unary<&Fast::Cot, &Direct<mpfr_cot>>("cot"),
    Unary<&Fast::Sec, &Direct<mpfr_sec>>("sec"),
    Unary<&Fast::Csc, &Direct<mpfr_csc>>("csc"),
    Unary<&Fast::ArcSin, &Direct<mpfr_asin>>("arcsin"),
    Unary<&Fast::ArcCos, &Direct<mpfr_acos>>("arccos"),
    Unary<&Fast::ArcCot, &ArcCot>("arccot"),
    Unary<&Fast::ArcSec, &OfReciprocal<mpfr_acos, false>>("arcsec"),
    Unary<&Fast::ArcCsc, &OfReciprocal<mpfr_asin, true>>("arccsc"),
    Unary<&Fast::CosH, &Direct<mpfr_cosh>>("cosh"),
    Unary<&Fast::CotH, &Direct<mpfr_coth>>("coth"),
    Unary<&Fast::CscH, &Direct<mpfr_csch>>("csch"),
    Unary<&Fast::SecH, &Direct<mpfr_sech>>("sech"),
    Unary<&Fast::SinH, &Direct<mpfr_sinh>>("sinh"),
    Unary<&Fast::TanH, &Direct<mpfr_tanh>>("tanh"),
    Unary<&Fast::ArcCosH, &Direct<mpfr_acosh>>("arccosh"),
    Unary<&Fast::ArcCotH, &OfReciprocal<mpfr_atanh, true>>("arccoth"),
    Unary<&Fast::ArcCscH, &OfReciprocal<mpfr_asinh, true>>("arccsch"),
    Unary<&Fast::ArcSecH, &OfReciprocal<mpfr_acosh, true>>("arcsech"),
    Unary<&Fast::ArcSinH, &Direct<mpfr_asinh>>("arcsinh"),
    Unary<&Fast::ArcTanH, &Direct<mpfr_atanh>>("arctanh"),
    Unary<&Fast::Coversine, &Coversine>("coversine"),
    Unary<&Fast::Exsecans, &Exsecans>("exsecans"),
    Unary<&Fast::Haversine, &Haversine>("haversine"),
    Unary<&Fast::Versine, &Versine>("versine"),
    Binary<&Fast::Power, &Direct2<mpfr_pow>>("power"),
    Binary<&Fast::Pythag, &Direct2<mpfr_hypot>>("pythag"),
    Binary<&Fast::LogBaseN, &LogBaseN>("logbasen"),
    Binary<&Fast::ArcTan2, &Direct2<mpfr_atan2>>("arctan2"),
});

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
