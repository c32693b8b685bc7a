// The predefined formulas: loan payments and balances, future values, a unit
// conversion, isothermal compression of an ideal gas, self-diffusion in a metal.
#include "session/predefined_formulas.h"

#include "platform/regional_settings.h"

namespace {

// A number text with the regional separator between its whole and decimal parts.
std::string Decimal(const std::string& whole, const std::string& decimals) {
    return whole + DecimalSeparator() + decimals;
}

} // namespace

std::vector<TPredefinedFormula> PredefinedFormulas() {
    return {
        {"Mortgage/Fixed monthly payment P",
         "L*(((c/100)/12)*power((1+((c/100)/12));n))/(power((1+((c/100)/12));n)-1)",
         "L;c;n",
         {"L", "c", "n"},
         {"16000", "6", "24"}},
        {"Mortgage/Remaining loan balance B",
         "L*(power((1+((c/100)/12));n) - power((1+((c/100)/12));p))/"
         "(power((1+((c/100)/12));n)-1)",
         "L;c;n;p",
         {"L", "c", "n", "p"},
         {"16000", "6", "24", "15"}},
        {"Future value/Single sum today FVn",
         "S*power((1+((c/100)/12));n)",
         "S;c;n",
         {"S", "c", "n"},
         {"1000", "6", "48"}},
        {"Future value/Payments of equal size FVn",
         "P*(power((1+((c/100)/12));n)-1)/((c/100)/12)",
         "P;c;n",
         {"P", "c", "n"},
         {"200", "6", "72"}},
        {"Unit conversion",
         "baseunit * multiplyingfactor",
         "BaseUnit;MultiplyingFactor",
         {"BaseUnit", "MultiplyingFactor"},
         {"100", Decimal("0", "62137")}},
        {"Isothermal compression of ideal gas P",
         "m*gas*t/v",
         "m;T;V",
         {"m", "T", "V"},
         {Decimal("1", "0087"), "273", "100"}},
        {"Self-diffusion coefficient of metal D",
         "A*exp(-Q/(Gas*T))",
         "A;Q;T",
         {"A", "Q", "T"},
         {Decimal("3", "726E-8"), "185999", "1141"}},
    };
}

std::string DefaultFormula() {
    return Decimal("5", "22") + " - " + Decimal("5", "44E-4 * (x - 817)");
}
