// What the parser needs of names: a symbol (TExprSym) that compiles itself into
// nodes, and a context (TExprContext) that finds a symbol by name. Both are
// abstract; the concrete symbols and name tables stand above the parser.
#pragma once

#include <string>
#include <string_view>

class TExprCompileParser;
class TExprLexer;
class TExprNode;
class TExprNodeFactory;

// The references a symbol compiles with; set by the parser only while it compiles.
struct TExprSymBinding {
    TExprLexer* Lexer = nullptr;          // not owned
    TExprCompileParser* Parser = nullptr; // not owned
    TExprNodeFactory* Factory = nullptr;  // not owned
};

class TExprSym {
public:
    explicit TExprSym(std::string name) : FName(std::move(name)) {}
    virtual ~TExprSym() = default;
    TExprSym(const TExprSym&) = delete;
    TExprSym& operator=(const TExprSym&) = delete;

    const std::string& Name() const noexcept { return FName; }
    const TExprSymBinding& Binding() const noexcept { return FBinding; }
    void SetBinding(const TExprSymBinding& binding) noexcept { FBinding = binding; }

    // Returns the node for one use of the symbol in a formula.
    virtual TExprNode* Compile() = 0;

protected:
    // The bound references; using one outside a compile fails an assertion.
    TExprLexer& Lexer() const;
    TExprCompileParser& Parser() const;
    TExprNodeFactory& Factory() const;

private:
    std::string FName;
    TExprSymBinding FBinding;
};

class TExprContext {
public:
    virtual ~TExprContext() = default;
    // The symbol of that name, or nullptr.
    virtual TExprSym* Find(std::string_view name) const = 0;
};
