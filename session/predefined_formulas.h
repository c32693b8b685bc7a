// The seven ready-made formulas of the drop-down list, with their variables and
// sample values, and the formula the window starts with.
#pragma once

#include <string>
#include <vector>

struct TPredefinedFormula {
    std::string ItemText;  // shown in the drop-down list
    std::string Formula;   // put into the formula box
    std::string Variables; // put into the variable list box
    std::vector<std::string> Names;
    std::vector<std::string> SampleValues; // one per name, same order
};

// The entries in list order; sample values with a decimal part use the current
// regional decimal separator.
std::vector<TPredefinedFormula> PredefinedFormulas();

// "5.22 - 5.44E-4 * (x - 817)" with the current regional decimal separator.
std::string DefaultFormula();
