// Each double-double kernel against MPFR on its range: ordinary arguments, the ends
// of the range and arguments known to be hard (next to the table points, where a
// reduction cancels). A kernel fails when its measured error comes within one bit of
// the bound it states, which the routines round with.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "mathlib/pair_kernels.h"

namespace {

using DoubleDouble::TPair;

#ifndef ZENTAVO_KERNEL_SWEEP_SCALE
#define ZENTAVO_KERNEL_SWEEP_SCALE 1
#endif
constexpr int RandomArguments = 200000 / ZENTAVO_KERNEL_SWEEP_SCALE;

// log2 of the relative error of the pair against the exact value MPFR computes.
class TErrorMeter {
public:
    TErrorMeter() {
        mpfr_init2(FExact, 256);
        mpfr_init2(FPair, 256);
    }
    ~TErrorMeter() {
        mpfr_clear(FExact);
        mpfr_clear(FPair);
    }
    mpfr_ptr Exact() { return FExact; }
    double Log2Error(TPair v) {
        mpfr_set_d(FPair, v.Hi, MPFR_RNDN);
        mpfr_add_d(FPair, FPair, v.Lo, MPFR_RNDN); // exact at 256 bits
        mpfr_sub(FPair, FPair, FExact, MPFR_RNDN);
        mpfr_div(FPair, FPair, FExact, MPFR_RNDN);
        const double e = std::fabs(mpfr_get_d(FPair, MPFR_RNDN));
        return e == 0 ? -300 : std::log2(e);
    }

private:
    mpfr_t FExact, FPair;
};

struct TKernelCase {
    const char* Name;
    double Bound; // the relative bound the kernel states
    std::function<double(std::mt19937_64&)> Argument;
    std::function<TPair(double)> Kernel;
    std::function<void(mpfr_ptr, double)> Exact;
    std::vector<double> Hard; // arguments at the ends and known to be hard
};

double Uniform(std::mt19937_64& r, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(r);
}

// m 2^e, m in [1, 2), e in [lo, hi], either sign.
double Binades(std::mt19937_64& r, int lo, int hi) {
    const double m = Uniform(r, 1, 2);
    return (r() & 1 ? -1 : 1) * std::ldexp(m, std::uniform_int_distribution<int>(lo, hi)(r));
}

const std::vector<TKernelCase>& Cases() {
    static const std::vector<TKernelCase> cases = {
        {"Exp",
         PairKernel::ExpBound,
         [](auto& r) { return Uniform(r, -693, 709); },
         [](double x) { return PairKernel::Exp(x); },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_exp(y, y, MPFR_RNDN);
         },
         {-693.1, 709.7, 0x1p-60, -0x1p-60, 0.0054152123481245725}},
        {"Expm1 |x|<=1",
         PairKernel::Expm1BoundToOne,
         [](auto& r) { return Binades(r, -60, -1); },
         [](double x) { return PairKernel::Expm1(x); },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_expm1(y, y, MPFR_RNDN);
         },
         {1e-300, -1e-300, 1, -1, 0.0027076061740622863}},
        {"Expm1 |x|<=40",
         PairKernel::Expm1BoundTo40,
         [](auto& r) { return Uniform(r, -40, 40); },
         [](double x) { return PairKernel::Expm1(x); },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_expm1(y, y, MPFR_RNDN);
         },
         {40, -40}},
        {"Expm1 to 709",
         PairKernel::Expm1BoundTo709,
         [](auto& r) { return Uniform(r, 40, 709); },
         [](double x) { return PairKernel::Expm1(x); },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_expm1(y, y, MPFR_RNDN);
         },
         {709}},
        {"Ln",
         PairKernel::LnBound,
         [](auto& r) {
             return r() & 1 ? Uniform(r, 0.9, 1.1) : std::fabs(Binades(r, -1074, 1023));
         },
         [](double x) { return PairKernel::Ln(x); },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_log(y, y, MPFR_RNDN);
         },
         {0x1p-1074, 0x1.fffffffffffffp1023, 1 + 0x1p-52, 1 - 0x1p-53, 2, 0.5, 1.0039273835826594}},
        {"Log1p",
         PairKernel::Log1pBound,
         [](auto& r) { return Binades(r, -60, -1); },
         [](double x) {
             return PairKernel::Log1p({x, 0});
         },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_log1p(y, y, MPFR_RNDN);
         },
         {0x1p-21, -0x1p-21, 0x1p-20, 0x1.0000000000001p-20, -0.5}},
        {"SinAndCos.Sin",
         PairKernel::SinCosBound,
         [](auto& r) { return Binades(r, -20, 27); },
         [](double x) {
             const auto sc = PairKernel::SinAndCos(x);
             return sc.Decided ? sc.Sin : TPair{NAN, 0};
         },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_sin(y, y, MPFR_RNDN);
         },
         {0x1p-30, 1.5707963267948966 + 1e-9, 0x1.fffffffp27, 3.0 / 256, -0.0020035326578516578}},
        {"SinAndCos.Cos",
         PairKernel::SinCosBound,
         [](auto& r) { return Binades(r, -20, 27); },
         [](double x) {
             const auto sc = PairKernel::SinAndCos(x);
             return sc.Decided ? sc.Cos : TPair{NAN, 0};
         },
         [](mpfr_ptr y, double x) {
             mpfr_set_d(y, x, MPFR_RNDN);
             mpfr_cos(y, y, MPFR_RNDN);
         },
         {0x1p-30, 3.1415926535897931, 0x1.fffffffp27, 3.0 / 256}},
        {"AtanOfRatio",
         PairKernel::AtanOfRatioBound,
         [](auto& r) { return std::fabs(Binades(r, -40, -1)) * 2; },
         [](double t) {
             return PairKernel::AtanOfRatio({t < 1 ? t : 1, 0}, {1, 0});
         },
         [](mpfr_ptr y, double t) {
             mpfr_set_d(y, t < 1 ? t : 1, MPFR_RNDN);
             mpfr_atan(y, y, MPFR_RNDN);
         },
         {1, 1.0 / 512, 3.0 / 512, 0x1.0000000000001p-9, 0x1.fffffffffffffp-10, 0x1p-1000,
          0.9999999999999999}},
        // y/x for y <= x, both doubles: the ratio's rounding is the kernel's to carry
        {"AtanOfRatio y/x",
         PairKernel::AtanOfRatioBound,
         [](auto& r) { return Uniform(r, 0, 1); },
         [](double t) {
             return PairKernel::AtanOfRatio({t * 0.7853981633974483, 0}, {0.7853981633974483, 0});
         },
         [](mpfr_ptr y, double t) {
             mpfr_set_d(y, t * 0.7853981633974483, MPFR_RNDN);
             mpfr_div_d(y, y, 0.7853981633974483, MPFR_RNDN);
             mpfr_atan(y, y, MPFR_RNDN);
         },
         {1.0 / 512, 3.0 / 512}},
    };
    return cases;
}

TEST(KernelBounds, EveryKernelStaysAtLeastOneBitInsideItsBound) {
    TErrorMeter meter;
    std::mt19937_64 random(20261209);
    for (const TKernelCase& c : Cases()) {
        double worst = -300, worstAt = 0;
        const auto measure = [&](double x) {
            const TPair v = c.Kernel(x);
            if (std::isnan(v.Hi)) return; // undecided: the routine takes the exact path
            c.Exact(meter.Exact(), x);
            if (mpfr_zero_p(meter.Exact())) return;
            const double e = meter.Log2Error(v);
            if (e > worst) worst = e, worstAt = x;
        };
        for (double x : c.Hard)
            measure(x);
        for (int i = 0; i < RandomArguments; ++i)
            measure(c.Argument(random));
        const double bound = std::log2(c.Bound);
        std::printf("%-14s worst 2^%.1f at %.17g (bound 2^%g)\n", c.Name, worst, worstAt, bound);
        EXPECT_LT(worst, bound - 1) << c.Name << " at " << worstAt;
    }
}

} // namespace
