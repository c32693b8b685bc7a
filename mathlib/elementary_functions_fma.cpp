// The elementary functions and their table built again for processors with fused
// multiply-add: the same source, with each exact product a single fused operation,
// in the namespace Fma. Everything shared with the portable build is included
// first, so it stays code for any x86-64; only what follows the target pragma may
// use FMA instructions, and all of that is in the namespace Fma, called only after
// the processor was found to have them.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "mathlib/exact_path.h"
#include "mathlib/kernel_constants.h"
#include "mathlib/kernel_tables.h"
#include "mathlib/math_errors.h"
#include "mathlib/rounded_result.h"
#include "mathlib/standard_table.h"
#include "platform/floating_point.h"

#define ZENTAVO_MATH_VARIANT Fma
#define ZENTAVO_MATH_FMA
#pragma GCC target("fma")

#include "mathlib/elementary_functions.cpp"
#include "mathlib/function_table.cpp"
#include "mathlib/trigonometric_functions.cpp"
