// Contexts: the name tables the parser searches. A hash context owns its symbols;
// a set context searches its members from the last added to the first.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/string_hash_map.h"
#include "engine/symbol_interfaces.h"

class TExprHashContext final : public TExprContext {
public:
    TExprHashContext(bool caseSensitive, std::uint32_t bucketCount);
    ~TExprHashContext() override;

    // Adopts the symbol. A duplicate name raises EStringHashMapError; the symbol
    // then stays the caller's (sym is left untouched), whatever its pointer type.
    template <std::derived_from<TExprSym> TSym> void Add(std::unique_ptr<TSym>&& sym) {
        AddSymbol(sym.get());
        sym.release();
    }
    TExprSym* Find(std::string_view name) const override;

private:
    // Stores the symbol under its name; the context owns it once this returns.
    void AddSymbol(TExprSym* sym);

    std::unique_ptr<TStringHashMap> FHashMap;
};

class TExprSetContext final : public TExprContext {
public:
    explicit TExprSetContext(bool ownsMembers);
    ~TExprSetContext() override;
    TExprSetContext(const TExprSetContext&) = delete;
    TExprSetContext& operator=(const TExprSetContext&) = delete;

    void Add(TExprContext* context);
    int Count() const noexcept { return static_cast<int>(FContexts.size()); }
    // EListError for an index out of range.
    TExprContext* Contexts(int index) const;
    TExprSym* Find(std::string_view name) const override;

private:
    std::vector<TExprContext*> FContexts; // owned only when FOwnsMembers
    bool FOwnsMembers;
};
