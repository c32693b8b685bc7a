// The built-in constants, in the order the standard table adds them, and the
// functions of the build of the kernels chosen for this processor.
#include "mathlib/standard_table.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include "mathlib/function_variants.h"

namespace {

// Each value is written once, as an Extended literal; formulas see it rounded to double.
constexpr auto Constants = std::to_array<TStandardConstant>({
    {"pi", 3.1415926535897932384626433832795L},              // π
    {"bernstein", 0.2801694990238691330364364912307L},       // Bernstein constant
    {"cbrt2", 1.2599210498948731647672106072782L},           // cube root of 2
    {"cbrt3", 1.4422495703074083823216383107801L},           // cube root of 3
    {"cbrt10", 2.1544346900318837217592935665194L},          // cube root of 10
    {"cbrt100", 4.6415888336127788924100763509194L},         // cube root of 100
    {"cbrtPi", 1.4645918875615232630201425272638L},          // cube root of π
    {"catalan", 0.9159655941772190150546035149324L},         // Catalan constant
    {"pion2", 1.5707963267948966192313216916398L},           // π / 2
    {"pion3", 1.0471975511965977461542144610932L},           // π / 3
    {"pion4", 0.78539816339744830961566084581988L},          // π / 4
    {"sqrt2", 1.4142135623730950488016887242097L},           // square root of 2
    {"sqrt3", 1.7320508075688772935274463415059L},           // square root of 3
    {"sqrt5", 2.2360679774997896964091736687313L},           // square root of 5
    {"sqrt10", 3.1622776601683793319988935444327L},          // square root of 10
    {"sqrtpi", 1.7724538509055160272981674833411L},          // square root of π
    {"sqrt2pi", 2.506628274631000502415765284811L},          // square root of 2π
    {"twopi", 6.283185307179586476925286766559L},            // 2π
    {"threepi", 9.4247779607693797153879301498385L},         // 3π
    {"ln2", 0.69314718055994530941723212145818L},            // natural logarithm of 2
    {"ln10", 2.3025850929940456840179914546844L},            // natural logarithm of 10
    {"lnpi", 1.1447298858494001741434273513531L},            // natural logarithm of π
    {"log2", 0.30102999566398119521373889472449L},           // base-10 logarithm of 2
    {"log3", 0.47712125471966243729502790325512L},           // base-10 logarithm of 3
    {"logpi", 0.4971498726941338543512682882909L},           // base-10 logarithm of π
    {"loge", 0.43429448190325182765112891891661L},           // base-10 logarithm of e
    {"Nconst", 2.7182818284590452353602874713527L},          // e, the natural constant
    {"hln2pi", 0.91893853320467274178032973640562L},         // ln(2π) / 2
    {"inv2pi", 0.159154943091895L},                          // 0.5 / π, to 15 digits only
    {"twotopower63", 9223372036854775808.0L},                // 2^63
    {"goldenmean", 1.618033988749894848204586834365638L},    // golden ratio
    {"eulermascheroni", 0.5772156649015328606065120900824L}, // Euler–Mascheroni constant γ
    {"deg", 57.295779513082320876798154814114L},             // 180 / π, degrees per radian
    {"amu", 1.6606E-27L},                                    // atomic mass unit (kg)
    {"avog", 6.0225E23L},                                    // Avogadro constant (mol^-1)
    {"boltz", 1.3805E-23L},                                  // Boltzmann constant (J K^-1)
    {"echarge", 1.602189E-19L},                              // electron charge (C)
    {"emass", 9.11E-31L},                                    // electron mass (kg)
    {"evolt", 1.602E-19L},                                   // electron volt (J)
    {"farad", 96480.56L},                                    // Faraday constant (C mol^-1)
    {"gas", 8.31441L},                                       // gas constant (J mol^-1 K^-1)
    {"neutron", 1.6748E-27L},                                // neutron mass (kg)
    {"planck", 6.626E-34L},                                  // Planck constant (J s)
    {"proton", 1.6725E-27L},                                 // proton mass (kg)
    {"light", 2.9979E8L},                                    // speed of light (m s^-1)
    {"gravity", 9.80665L},                                   // gravitational acceleration (m s^-2)
    {"pressure", 101325L},                                   // normal atmospheric pressure (N m^-2)
    {"stefan", 5.67032E-8L},  // Stefan–Boltzmann constant (W m^-2 K^-4)
    {"bohr", 5.2917706E-11L}, // Bohr radius (m)
});

} // namespace

std::span<const TStandardConstant> StandardConstants() noexcept {
    return Constants;
}

std::span<const TStandardFunction> StandardFunctions() noexcept {
    static const std::span<const TStandardFunction> chosen =
        ChosenMathVariant() == TMathVariant::Fma ? FmaFunctions() : PortableFunctions();
    return chosen;
}

bool ProcessorHasFma() noexcept {
    return __builtin_cpu_supports("fma");
}

TMathVariant ChosenMathVariant() noexcept {
    static const TMathVariant chosen = [] {
        const char* wanted = std::getenv("ZENTAVO_MATH");
        if (wanted && std::strcmp(wanted, "portable") == 0) return TMathVariant::Portable;
        return ProcessorHasFma() ? TMathVariant::Fma : TMathVariant::Portable;
    }();
    return chosen;
}

const char* MathVariantName(TMathVariant variant) noexcept {
    return variant == TMathVariant::Fma ? "fma" : "portable";
}
