// Hash contexts (symbols owned, stored in a string hash map) and set contexts
// (members searched from the last added to the first).
#include "engine/contexts.h"

#include <memory>

#include "platform/exceptions.h"

TExprHashContext::TExprHashContext(bool caseSensitive, std::uint32_t bucketCount) {
    const TStringHashMapTraits* traits =
        caseSensitive ? static_cast<const TStringHashMapTraits*>(&TCaseSensitiveTraits::Instance())
                      : &TCaseInsensitiveTraits::Instance();
    FHashMap = std::make_unique<TStringHashMap>(traits, bucketCount);
}

// Every symbol is freed once, then the map releases its nodes and keys.
// The symbols are released as the map frees its nodes: nothing is allocated, so the
// table goes quietly even when memory has run out (also at exit, for the standard table).
TExprHashContext::~TExprHashContext() {
    FHashMap->Clear([](void* data) noexcept {
        const std::unique_ptr<TExprSym> owned(static_cast<TExprSym*>(data));
    });
    FHashMap.reset();
}

// The symbol changes hands only once the map has accepted it.
void TExprHashContext::AddSymbol(TExprSym* sym) {
    Assert(sym != nullptr);
    FHashMap->Add(sym->Name(), sym);
}

TExprSym* TExprHashContext::Find(std::string_view name) const {
    void* data = nullptr;
    return FHashMap->Find(name, data) ? static_cast<TExprSym*>(data) : nullptr;
}

TExprSetContext::TExprSetContext(bool ownsMembers) : FOwnsMembers(ownsMembers) {}

TExprSetContext::~TExprSetContext() {
    if (!FOwnsMembers) return;
    for (TExprContext*& member : FContexts) {
        std::unique_ptr<TExprContext> owned(member);
        member = nullptr;
    }
}

void TExprSetContext::Add(TExprContext* context) {
    Assert(context != nullptr);
    FContexts.push_back(context);
}

TExprContext* TExprSetContext::Contexts(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return FContexts[static_cast<std::size_t>(index)];
}

// The member added last is searched first, so it shadows the earlier ones.
TExprSym* TExprSetContext::Find(std::string_view name) const {
    for (auto it = FContexts.rbegin(); it != FContexts.rend(); ++it)
        if (TExprSym* sym = (*it)->Find(name)) return sym;
    return nullptr;
}
