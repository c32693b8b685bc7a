// Accuracy sweep: every built-in function, called through its formula adapter on
// thousands of arguments across its domain, against the correctly rounded value
// from MPFR. Fails when a result is not the exact value correctly rounded, when a
// refused argument is not refused with the documented fault, or when an accepted
// one fails. Besides ordinary, tiny and huge arguments every function meets hard
// ones: arguments whose exact result lies next to a rounding midpoint (picked with
// MPFR), exact midpoints, and trigonometric arguments next to multiples of pi/2.
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "mathlib/exact_path.h"
#include "mathlib/math_errors.h"
#include "mathlib/standard_table.h"
#include "mathlib/tests/standard_table_lookup.h"

#ifndef ZENTAVO_ACCURACY_SWEEP_SCALE
#define ZENTAVO_ACCURACY_SWEEP_SCALE 1
#endif

namespace {

constexpr int SweepCount = 4000 / ZENTAVO_ACCURACY_SWEEP_SCALE; // arguments per function
constexpr mpfr_prec_t Precision = 192;                          // bits of the reference values
constexpr double TwoTo63 = 0x1p63;

// ---- multiple-precision numbers ---------------------------------------------------

class TBig {
public:
    TBig() { mpfr_init2(FValue, Precision); }
    explicit TBig(double x) : TBig() { mpfr_set_d(FValue, x, MPFR_RNDN); }
    ~TBig() { mpfr_clear(FValue); }
    TBig(const TBig&) = delete;
    TBig& operator=(const TBig&) = delete;
    mpfr_ptr operator*() { return FValue; }

private:
    mpfr_t FValue;
};

// The reference value of f at (x, y), at Precision bits.
using TReference = std::function<void(mpfr_ptr result, double x, double y)>;

// Wraps an MPFR function of one argument.
TReference Mp(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
    return [f](mpfr_ptr r, double x, double) {
        TBig a(x);
        f(r, *a, MPFR_RNDN);
    };
}

// f(1/x) for the reciprocal inverse functions.
TReference OfReciprocal(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
    return [f](mpfr_ptr r, double x, double) {
        TBig a(x);
        mpfr_ui_div(*a, 1, *a, MPFR_RNDN);
        f(r, *a, MPFR_RNDN);
    };
}

// sin^2(x/2) times a factor, divided by cos x when asked: the versed functions.
TReference HalfAngle(long factor, bool overCos) {
    return [factor, overCos](mpfr_ptr r, double x, double) {
        TBig h(x), c(x);
        mpfr_div_2ui(*h, *h, 1, MPFR_RNDN);
        mpfr_sin(*h, *h, MPFR_RNDN);
        mpfr_sqr(r, *h, MPFR_RNDN);
        mpfr_mul_si(r, r, factor, MPFR_RNDN);
        if (overCos) {
            mpfr_cos(*c, *c, MPFR_RNDN);
            mpfr_div(r, r, *c, MPFR_RNDN);
        }
    };
}

void Coversine(mpfr_ptr r, double x, double) {
    // 1 - sin x cancels near its zeros; the extra precision covers it.
    mpfr_t s;
    mpfr_init2(s, 2 * Precision);
    mpfr_set_d(s, x, MPFR_RNDN);
    mpfr_sin(s, s, MPFR_RNDN);
    mpfr_ui_sub(r, 1, s, MPFR_RNDN);
    mpfr_clear(s);
}

TReference Mp2(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t)) {
    return [f](mpfr_ptr r, double x, double y) {
        TBig a(x), b(y);
        f(r, *a, *b, MPFR_RNDN);
    };
}

void LogBaseN(mpfr_ptr r, double base, double x) {
    TBig b(base), a(x);
    mpfr_log(*a, *a, MPFR_RNDN);
    mpfr_log(*b, *b, MPFR_RNDN);
    mpfr_div(r, *a, *b, MPFR_RNDN);
}

int Abs(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) {
    return mpfr_abs(r, x, rnd);
}

// The double nearest k 2^shift pi/2 (the product of pi with enough bits for 2^1024).
double HalfPiMultiple(std::uint64_t k, int shift) {
    mpfr_t p;
    mpfr_init2(p, 1200);
    mpfr_const_pi(p, MPFR_RNDN);
    mpfr_mul_ui(p, p, static_cast<unsigned long>(k), MPFR_RNDN);
    mpfr_mul_2si(p, p, shift - 1, MPFR_RNDN);
    const double x = mpfr_get_d(p, MPFR_RNDN);
    mpfr_clear(p);
    return x;
}

// How far the exact value lies from the nearest midpoint between two doubles, in
// ulps of the double (0 on a midpoint, 0.5 on a double).
double MidpointDistance(mpfr_ptr exact) {
    if (mpfr_zero_p(exact) || !mpfr_number_p(exact)) return 0.5;
    const long ulpExponent = std::max<long>(mpfr_get_exp(exact) - 53, -1074);
    TBig scaled, fraction;
    mpfr_mul_2si(*scaled, exact, -ulpExponent, MPFR_RNDN);
    mpfr_frac(*fraction, *scaled, MPFR_RNDN);
    mpfr_abs(*fraction, *fraction, MPFR_RNDN);
    return std::fabs(mpfr_get_d(*fraction, MPFR_RNDN) - 0.5);
}

// ---- arguments ------------------------------------------------------------------

enum class TSign { Positive, Negative, Both };

class TDraw {
public:
    std::uint64_t Bits() { return FEngine(); }
    double Unit() { return static_cast<double>(Bits() >> 11) * 0x1p-53; } // [0, 1)
    long Integer(long lo, long hi) {
        return lo + static_cast<long>(Bits() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    double Uniform(double a, double b) { return a + (b - a) * Unit(); }
    double Signed(double x, TSign sign) {
        if (sign == TSign::Negative || (sign == TSign::Both && (Bits() & 1))) return -x;
        return x;
    }
    // A random significand scaled by 2^e with e uniform in [lo, hi] (subnormal
    // numbers included when lo < -1022).
    double LogUniform(int lo, int hi, TSign sign) {
        const double significand = 1 + static_cast<double>(Bits() >> 12) * 0x1p-52;
        return Signed(std::ldexp(significand, static_cast<int>(Integer(lo, hi))), sign);
    }
    // A point next to p: a few ulps away, or p(1 +- 2^-j).
    double Near(double p) {
        if (Bits() & 1) {
            double x = p;
            const double toward = (Bits() & 1) ? INFINITY : -INFINITY;
            for (long steps = Integer(1, 8); steps > 0; --steps)
                x = std::nextafter(x, toward);
            return x;
        }
        const double offset = std::ldexp(1.0, -static_cast<int>(Integer(1, 60)));
        return p * ((Bits() & 1) ? 1 + offset : 1 - offset);
    }
    // A point next to a multiple of pi/2 up to 2^maxExponent.
    double NearHalfPiMultiple(int maxExponent) {
        const int e = static_cast<int>(Integer(0, maxExponent));
        double x = HalfPiMultiple(1 + (Bits() >> 1 >> (63 - std::min(e, 62))), e - std::min(e, 62));
        for (long steps = Integer(-2, 2); steps != 0; steps += steps > 0 ? -1 : 1)
            x = std::nextafter(x, steps > 0 ? INFINITY : -INFINITY);
        return (Bits() & 1) ? -x : x;
    }

private:
    std::mt19937_64 FEngine{20240611};
};

struct TArguments {
    double X = 0, Y = 0;
};
using TGenerator = std::function<TArguments(TDraw&)>;

TGenerator One(std::function<double(TDraw&)> draw) {
    return [draw](TDraw& d) { return TArguments{draw(d), 0}; };
}

TGenerator LogUniform(int lo, int hi, TSign sign) {
    return One([=](TDraw& d) { return d.LogUniform(lo, hi, sign); });
}
TGenerator Uniform(double a, double b) {
    return One([=](TDraw& d) { return d.Uniform(a, b); });
}
TGenerator Near(double p) {
    return One([=](TDraw& d) { return d.Near(p); });
}
TGenerator NearHalfPi(int maxExponent) {
    return One([=](TDraw& d) { return d.NearHalfPiMultiple(maxExponent); });
}

// ---- expected outcome -------------------------------------------------------------

enum class TOutcome { Value, Domain, InvalidOp, ZeroDivide, Overflow, Unexpected };

using TRefusal = std::function<TOutcome(double x, double y)>;

TOutcome Accepts(double, double) {
    return TOutcome::Value;
}
TOutcome TrigRange(double x, double) {
    return std::fabs(x) > TwoTo63 ? TOutcome::Domain : TOutcome::Value;
}
TOutcome ReciprocalRoot(double x, double) { // arcsec, arccsc
    return std::fabs(x) < 1 ? TOutcome::InvalidOp : TOutcome::Value;
}
TOutcome UnitInterval(double x, double) {
    return std::fabs(x) > 1 ? TOutcome::Domain : TOutcome::Value;
}
TOutcome PositiveLog(double x, double) {
    return x <= 0 ? TOutcome::Domain : TOutcome::Value;
}

struct TFunctionSweep {
    const char* Name;
    TReference Reference;
    TRefusal Refusal;
    std::vector<TGenerator> Generators; // drawn from in turn
};

std::vector<TFunctionSweep> Sweeps() {
    using enum TSign;
    const auto all = LogUniform(-1074, 1023, Both);
    const auto positive = LogUniform(-1074, 1023, Positive);
    const auto trigAll = std::vector<TGenerator>{all, LogUniform(-1074, 64, Both), NearHalfPi(61),
                                                 Uniform(-10, 10), NearHalfPi(1000)};
    const auto trig = std::vector<TGenerator>{LogUniform(-1074, 64, Both), NearHalfPi(61),
                                              Uniform(-10, 10), LogUniform(-30, 63, Both)};
    const auto unit = std::vector<TGenerator>{Uniform(-1, 1), LogUniform(-1074, -1, Both), Near(1),
                                              Near(-1), Near(0.5)};
    const auto outsideUnit =
        std::vector<TGenerator>{LogUniform(0, 1023, Both), Near(1), Near(-1), Uniform(-4, 4)};
    const auto hyperbolic = std::vector<TGenerator>{LogUniform(-1074, 11, Both), Uniform(-720, 720),
                                                    Uniform(-5, 5), LogUniform(-30, 4, Both)};
    return {
        {"sin", Mp(mpfr_sin), Accepts, trigAll},
        {"cos", Mp(mpfr_cos), Accepts, trigAll},
        {"exp",
         Mp(mpfr_exp),
         Accepts,
         {Uniform(-746, 710), LogUniform(-1074, 10, Both), Uniform(-1, 1), Uniform(700, 712),
          Near(709.782712893384), Near(-745.13321910194122)}},
        {"ln",
         Mp(mpfr_log),
         [](double x, double) {
             return x == 0 ? TOutcome::ZeroDivide : x < 0 ? TOutcome::InvalidOp : TOutcome::Value;
         },
         {positive, Near(1), Uniform(0, 3), LogUniform(-10, 10, Negative)}},
        {"square", Mp(mpfr_sqr), Accepts, {all, LogUniform(-600, 600, Both)}},
        {"sqrt",
         Mp(mpfr_sqrt),
         [](double x, double) { return x < 0 ? TOutcome::InvalidOp : TOutcome::Value; },
         {positive, Uniform(0, 100), LogUniform(-10, 10, Negative)}},
        {"abs", Mp(Abs), Accepts, {all}},
        {"tan", Mp(mpfr_tan), TrigRange, trig},
        {"arctan", Mp(mpfr_atan), Accepts, {all, Uniform(-4, 4), Near(1), Near(-1)}},
        {"logbase10", Mp(mpfr_log10), PositiveLog, {positive, Near(1), Near(10), Uniform(-1, 3)}},
        {"logbase2", Mp(mpfr_log2), PositiveLog, {positive, Near(1), Near(2), Uniform(-1, 3)}},
        {"cot", Mp(mpfr_cot),
         [](double x, double y) { return x == 0 ? TOutcome::ZeroDivide : TrigRange(x, y); }, trig},
        {"sec", Mp(mpfr_sec), TrigRange, trig},
        {"csc", Mp(mpfr_csc),
         [](double x, double y) { return x == 0 ? TOutcome::Domain : TrigRange(x, y); }, trig},
        {"arcsin", Mp(mpfr_asin), UnitInterval, unit},
        {"arccos", Mp(mpfr_acos), UnitInterval, unit},
        {"arccot",
         OfReciprocal(mpfr_atan),
         [](double x, double) { return x == 0 ? TOutcome::Domain : TOutcome::Value; },
         {all, Uniform(-4, 4)}},
        {"arcsec", OfReciprocal(mpfr_acos), ReciprocalRoot, outsideUnit},
        {"arccsc", OfReciprocal(mpfr_asin), ReciprocalRoot, outsideUnit},
        {"cosh", Mp(mpfr_cosh), Accepts, hyperbolic},
        {"coth", Mp(mpfr_coth),
         [](double x, double) { return x == 0 ? TOutcome::ZeroDivide : TOutcome::Value; },
         hyperbolic},
        {"csch",
         Mp(mpfr_csch),
         [](double x, double) { return x == 0 ? TOutcome::Domain : TOutcome::Value; },
         {LogUniform(-1074, 11, Both), Uniform(-720, 720), Uniform(-5, 5), all}},
        {"sech",
         Mp(mpfr_sech),
         Accepts,
         {LogUniform(-1074, 11, Both), Uniform(-720, 720), Uniform(-5, 5), all}},
        {"sinh", Mp(mpfr_sinh), Accepts, hyperbolic},
        {"tanh", Mp(mpfr_tanh), Accepts, {all, Uniform(-20, 20), LogUniform(-30, 4, Both)}},
        {"arccosh",
         Mp(mpfr_acosh),
         [](double x, double) { return x < 1 ? TOutcome::Domain : TOutcome::Value; },
         {LogUniform(0, 1023, Positive), Near(1), Uniform(0.5, 4)}},
        {"arccoth", OfReciprocal(mpfr_atanh),
         [](double x, double) {
             const double a = std::fabs(x);
             return a == 1 ? TOutcome::Domain : a < 1 ? TOutcome::InvalidOp : TOutcome::Value;
         },
         outsideUnit},
        {"arccsch",
         OfReciprocal(mpfr_asinh),
         [](double x, double) { return x == 0 ? TOutcome::Domain : TOutcome::Value; },
         {all, Uniform(-4, 4)}},
        {"arcsech",
         OfReciprocal(mpfr_acosh),
         [](double x, double y) {
             return x == 0  ? TOutcome::ZeroDivide
                    : x > 1 ? TOutcome::Domain
                    : x < 0 ? (UnitInterval(x, y) == TOutcome::Domain ? TOutcome::Domain
                                                                      : TOutcome::InvalidOp)
                            : TOutcome::Value;
         },
         {Uniform(0, 1), LogUniform(-1074, -1, Positive), Near(1), Near(0.5), Uniform(-2, 2)}},
        {"arcsinh", Mp(mpfr_asinh), Accepts, {all, Uniform(-4, 4), LogUniform(-30, 40, Both)}},
        {"arctanh", Mp(mpfr_atanh),
         [](double x, double) { return std::fabs(x) >= 1 ? TOutcome::Domain : TOutcome::Value; },
         unit},
        {"coversine", Coversine, TrigRange, trig},
        {"exsecans", HalfAngle(2, true), TrigRange, trig},
        {"haversine", HalfAngle(1, false), TrigRange, trig},
        {"versine", HalfAngle(2, false), TrigRange, trig},
        {"power",
         Mp2(mpfr_pow),
         [](double base, double exponent) {
             if (exponent == 0 || base == 1) return TOutcome::Value;
             if (base == 0) return exponent > 0 ? TOutcome::Value : TOutcome::Domain;
             return base < 0 && exponent != std::trunc(exponent) ? TOutcome::Domain
                                                                 : TOutcome::Value;
         },
         {
             // results across the whole range, overflow and underflow included
             TGenerator([](TDraw& d) {
                 const double b = d.LogUniform(-1074, 1023, Positive);
                 return TArguments{b, d.Uniform(-1100, 1100) / std::log2(b)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(0, 4), d.Uniform(-30, 30)};
             }),
             // negative bases with integer exponents, both parities
             TGenerator([](TDraw& d) {
                 const double b = d.LogUniform(-1074, 1023, Negative);
                 return TArguments{b, std::round(d.Uniform(-1100, 1100) / std::log2(-b))};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(-10, 0), static_cast<double>(d.Integer(-40, 40))};
             }),
             // bases next to 1 with huge exponents
             TGenerator([](TDraw& d) {
                 return TArguments{d.Near(1), d.LogUniform(0, 62, Both)};
             }),
             // exact midpoints between two doubles: odd 27-bit numbers squared, odd
             // 18-bit numbers cubed (ties go to even)
             TGenerator([](TDraw& d) {
                 const bool square = d.Bits() & 1;
                 const int bits = square ? 27 : 18;
                 const auto odd =
                     static_cast<double>((d.Bits() >> (64 - bits)) | 1 | (1ull << (bits - 1)));
                 return TArguments{std::ldexp(odd, static_cast<int>(d.Integer(-300, 300))),
                                   square ? 2.0 : 3.0};
             }),
             // refused: negative base, fractional exponent
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(-10, 0), d.Uniform(-5, 5)};
             }),
         }},
        {"pythag",
         Mp2(mpfr_hypot),
         Accepts,
         {
             TGenerator([](TDraw& d) {
                 return TArguments{d.LogUniform(-1074, 1023, Both),
                                   d.LogUniform(-1074, 1023, Both)};
             }),
             TGenerator([](TDraw& d) {
                 const double x = d.LogUniform(-1074, 1023, Both);
                 return TArguments{x, d.Signed(std::fabs(x) * d.Uniform(0.25, 2), Both)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(-10, 10), d.Uniform(-10, 10)};
             }),
         }},
        {"logbasen",
         LogBaseN,
         [](double base, double x) {
             return x <= 0 || base <= 0 || base == 1 ? TOutcome::Domain : TOutcome::Value;
         },
         {
             TGenerator([](TDraw& d) {
                 return TArguments{d.LogUniform(-1074, 1023, Positive),
                                   d.LogUniform(-1074, 1023, Positive)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Near(1), d.LogUniform(-1074, 1023, Positive)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.LogUniform(-1074, 1023, Positive), d.Near(1)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Near(1), d.Near(1)};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(-1, 10), d.Uniform(-1, 100)};
             }),
             // exact results: powers of 2 against powers of 2
             TGenerator([](TDraw& d) {
                 return TArguments{std::ldexp(1.0, static_cast<int>(d.Integer(-60, 60))),
                                   std::ldexp(1.0, static_cast<int>(d.Integer(-1074, 1023)))};
             }),
         }},
        {"arctan2",
         Mp2(mpfr_atan2),
         Accepts,
         {
             TGenerator([](TDraw& d) {
                 return TArguments{d.LogUniform(-1074, 1023, Both),
                                   d.LogUniform(-1074, 1023, Both)};
             }),
             TGenerator([](TDraw& d) {
                 const double x = d.LogUniform(-1074, 1023, Both);
                 return TArguments{d.Signed(std::fabs(x) * d.Uniform(0.5, 2), Both), x};
             }),
             TGenerator([](TDraw& d) {
                 return TArguments{d.Uniform(-1, 1), d.Uniform(-1, 1)};
             }),
         }},
    };
}

// ---- one sweep ------------------------------------------------------------------

TOutcome Call(const TStandardFunction& function, TArguments args, double& result) {
    try {
        result = function.Arity == 1 ? function.Unary(args.X) : function.Binary(args.X, args.Y);
        return TOutcome::Value;
    } catch (const EMathLibError&) {
        return TOutcome::Domain;
    } catch (const EInvalidOp&) {
        return TOutcome::InvalidOp;
    } catch (const EZeroDivide&) {
        return TOutcome::ZeroDivide;
    } catch (const EOverflow&) {
        return TOutcome::Overflow;
    } catch (...) {
        return TOutcome::Unexpected;
    }
}

const char* OutcomeName(TOutcome outcome) {
    switch (outcome) {
    case TOutcome::Value:
        return "a value";
    case TOutcome::Domain:
        return "the domain error";
    case TOutcome::InvalidOp:
        return "invalid operation";
    case TOutcome::ZeroDivide:
        return "division by zero";
    case TOutcome::Overflow:
        return "overflow";
    case TOutcome::Unexpected:
        break;
    }
    return "an unexpected exception";
}

// The distance of the double r from the exact value v, in ulps of the double
// format at v (subnormal spacing below the normal range).
double UlpError(mpfr_ptr exact, double r) {
    if (mpfr_zero_p(exact)) return r == 0 ? 0 : INFINITY;
    const long ulpExponent = std::max<long>(mpfr_get_exp(exact) - 53, -1074);
    TBig difference;
    mpfr_sub_d(*difference, exact, r, MPFR_RNDN);
    mpfr_abs(*difference, *difference, MPFR_RNDN);
    mpfr_mul_2si(*difference, *difference, -ulpExponent, MPFR_RNDN);
    return mpfr_get_d(*difference, MPFR_RNDN);
}

std::string Digits(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

struct TSweepResult {
    int Compared = 0, Refused = 0, CorrectlyRounded = 0, Failures = 0;
    double WorstUlps = 0;
    TArguments WorstAt;
    std::uint64_t ExactPathCalls = 0;
};

void ReportFailure(TSweepResult& sweep, const char* name, TArguments a, const std::string& what) {
    if (++sweep.Failures <= 5)
        std::printf("FAIL %s(%.17g; %.17g): %s\n", name, a.X, a.Y, what.c_str());
}

// Of a few accepted candidates, the one whose exact result lies nearest a rounding
// midpoint: the arguments a fast path is most likely to round the wrong way.
TArguments DrawHard(const TFunctionSweep& plan, TDraw& draw, int i) {
    TArguments best = plan.Generators[static_cast<std::size_t>(i) % plan.Generators.size()](draw);
    double bestDistance = 1;
    TBig exact;
    for (int candidate = 0; candidate < 12; ++candidate) {
        const TArguments args =
            plan.Generators[static_cast<std::size_t>(i + candidate) % plan.Generators.size()](draw);
        if (plan.Refusal(args.X, args.Y) != TOutcome::Value) continue;
        plan.Reference(*exact, args.X, args.Y);
        const double distance = MidpointDistance(*exact);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = args;
        }
    }
    return best;
}

TSweepResult RunSweep(const TFunctionSweep& plan, const TStandardFunction& function, TDraw& draw) {
    TSweepResult sweep;
    TBig exact;
    const std::uint64_t exactBefore = Exact::CallCount();
    for (int i = 0; i < SweepCount; ++i) {
        const TArguments args =
            i % 5 == 4
                ? DrawHard(plan, draw, i)
                : plan.Generators[static_cast<std::size_t>(i) % plan.Generators.size()](draw);
        double r = 0;
        const TOutcome outcome = Call(function, args, r);
        const TOutcome documented = plan.Refusal(args.X, args.Y);
        if (documented != TOutcome::Value) {
            ++sweep.Refused;
            if (outcome != documented)
                ReportFailure(sweep, plan.Name, args,
                              std::string("expected ") + OutcomeName(documented) + ", got " +
                                  OutcomeName(outcome));
            continue;
        }
        plan.Reference(*exact, args.X, args.Y);
        const double rounded = mpfr_get_d(*exact, MPFR_RNDN);
        if (std::isinf(rounded)) {
            ++sweep.Refused; // beyond the double range: overflow is the answer
            if (outcome != TOutcome::Overflow)
                ReportFailure(sweep, plan.Name, args,
                              std::string("expected overflow, got ") + OutcomeName(outcome));
            continue;
        }
        if (outcome != TOutcome::Value) {
            ReportFailure(sweep, plan.Name, args,
                          std::string("expected a value, got ") + OutcomeName(outcome));
            continue;
        }
        ++sweep.Compared;
        if (r == rounded) ++sweep.CorrectlyRounded;
        const double ulps = UlpError(*exact, r);
        if (ulps > sweep.WorstUlps) {
            sweep.WorstUlps = ulps;
            sweep.WorstAt = args;
        }
        if (r != rounded)
            ReportFailure(sweep, plan.Name, args,
                          "result " + Digits(r) + " is not " + Digits(rounded) + ", the exact " +
                              "value rounded (" + Digits(ulps) + " ulp away)");
    }
    sweep.ExactPathCalls = Exact::CallCount() - exactBefore;
    return sweep;
}

} // namespace

int main() {
    TDraw draw;
    int failures = 0, functions = 0;
    std::printf("%-10s %8s %8s %9s %10s  %s\n", "function", "compared", "refused", "worst ulp",
                "exact path", "worst at");
    for (const TFunctionSweep& plan : Sweeps()) {
        const TStandardFunction* function = FindStandardFunction(plan.Name);
        if (function == nullptr) {
            std::printf("FAIL %s is not a built-in function\n", plan.Name);
            ++failures;
            continue;
        }
        ++functions;
        const TSweepResult sweep = RunSweep(plan, *function, draw);
        std::printf("%-10s %8d %8d %9.3f %9.2f%%  (%.17g; %.17g)\n", plan.Name, sweep.Compared,
                    sweep.Refused, sweep.WorstUlps,
                    100.0 * static_cast<double>(sweep.ExactPathCalls) / SweepCount, sweep.WorstAt.X,
                    sweep.WorstAt.Y);
        failures += sweep.Failures;
    }
    if (functions != static_cast<int>(StandardFunctions().size())) {
        std::printf("FAIL %d functions swept, %zu built in\n", functions,
                    StandardFunctions().size());
        ++failures;
    }
    std::printf(failures ? "%d failures\n" : "every result correctly rounded\n", failures);
    return failures ? 1 : 0;
}
