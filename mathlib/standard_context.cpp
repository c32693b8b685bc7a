// Building the standard symbol table from the built-in constants and functions.
#include "mathlib/standard_context.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "engine/symbols.h"
#include "mathlib/standard_table.h"

static_assert(std::is_same_v<TUnaryAdapter, TUnaryFunc>);
static_assert(std::is_same_v<TBinaryAdapter, TBinaryFunc>);

namespace {

constexpr std::uint32_t StandardBucketCount = 100;

std::unique_ptr<TExprHashContext> BuildStandardContext() {
    auto table = std::make_unique<TExprHashContext>(false, StandardBucketCount);
    for (const TStandardConstant& constant : StandardConstants())
        table->Add(std::make_unique<TExprConstSym>(std::string(constant.Name),
                                                   static_cast<double>(constant.Value)));
    for (const TStandardFunction& function : StandardFunctions()) {
        if (function.Arity == 1)
            table->Add(
                std::make_unique<TExprUnaryFuncSym>(std::string(function.Name), function.Unary));
        else
            table->Add(
                std::make_unique<TExprBinaryFuncSym>(std::string(function.Name), function.Binary));
    }
    return table;
}

} // namespace

TExprHashContext& StandardContext() {
    // Built once, on first use; the static frees it at process exit.
    static const std::unique_ptr<TExprHashContext> table = BuildStandardContext();
    return *table;
}
