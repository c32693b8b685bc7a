// Compiles the formula in a file (its first line) with the calculator's evaluation
// sequence and runs it once: bench/compile_memory.sh measures this program's peak
// memory for long formulas.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "session/bound_formula.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: compile_memory FILE\n";
        return 2;
    }
    std::ifstream file(argv[1]);
    std::string formula;
    std::getline(file, formula);
    std::vector<double> none;
    TBoundFormula bound(formula, {}, none);
    std::cout << bound.Evaluate() << '\n';
    return 0;
}
