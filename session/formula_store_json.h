// The saved-formula file's JSON form, with the JSON library behind it: reading a
// file's text into formulas event by event (no document is built, so thousands load
// quickly), and the document a change is written from, edited in step with the list
// so that a save need not build it again.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/formula_store.h"

// The formulas of a store's text in file order, or none and the reason it is no
// store: not JSON, a newer format version, a structure that differs. The names are
// checked by the store.
std::vector<TSavedFormula> ReadStoreText(const std::string& text, std::string& problem);

class TStoreDocument {
public:
    explicit TStoreDocument(const std::vector<TSavedFormula>& formulas);
    TStoreDocument(TStoreDocument&&) noexcept;
    TStoreDocument& operator=(TStoreDocument&&) noexcept;
    ~TStoreDocument();

    void Insert(std::size_t index, const TSavedFormula& formula);
    void Replace(std::size_t index, const TSavedFormula& formula);
    void Erase(std::size_t index);
    // The file's text; nothing when one of the texts is not valid UTF-8.
    std::optional<std::string> Text() const;

private:
    struct TJsonDocument;
    std::unique_ptr<TJsonDocument> FJson;
};
