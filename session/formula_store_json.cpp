// The saved-formula file's JSON form on the JSON library: the reader of its events
// and the document a change is written from.
#include "session/formula_store_json.h"

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>

namespace {

using TJson = nlohmann::ordered_json;

// The text after the library's "[json.exception.…] " tag.
std::string LibraryReason(const std::exception& error) {
    std::string_view text = error.what();
    if (const auto close = text.find("] "); text.starts_with('[') && close != text.npos)
        text.remove_prefix(close + 2);
    return std::string(text);
}

// Reads the store's JSON event by event into the formulas, without building the
// whole document first: a store of thousands of formulas loads in a few
// milliseconds. The first way the structure differs from a store is kept as the
// reason; the format version is read wherever it stands, so a newer format is
// reported as such whatever its structure.
class TStoreReader : public nlohmann::json_sax<TJson> {
public:
    std::vector<TSavedFormula> Formulas;
    std::optional<long long> Version;
    bool HasList = false;
    std::string Problem;     // the first difference from a store's structure
    std::string SyntaxError; // the library's reason when the text is not JSON

    bool null() override { return Scalar(nullptr); }
    bool boolean(bool) override { return Scalar(nullptr); }
    bool number_integer(number_integer_t value) override { return Integer(value); }
    bool number_unsigned(number_unsigned_t value) override {
        return Integer(value > static_cast<number_unsigned_t>(INT64_MAX)
                           ? INT64_MAX
                           : static_cast<long long>(value));
    }
    bool number_float(number_float_t, const string_t&) override { return Scalar(nullptr); }
    bool string(string_t& value) override { return Scalar(&value); }
    bool binary(binary_t&) override { return Scalar(nullptr); }
    bool key(string_t& value) override {
        FKey = std::move(value);
        return true;
    }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& error) override {
        SyntaxError = LibraryReason(error);
        return false;
    }

private:
    enum class TPlace { Document, List, Formula, Values, Skipped };
    // Which texts of the formula being read were seen: name, variables, formula, saved.
    static constexpr const char* TextKeys[] = {"name", "variables", "formula", "saved"};

    std::string Number() const { return std::to_string(Formulas.size()); }
    void Fail(std::string problem) {
        if (Problem.empty()) Problem = std::move(problem);
    }
    int TextKey() const {
        for (int k = 0; k < 4; ++k)
            if (FKey == TextKeys[k]) return k;
        return -1;
    }

    bool Integer(long long value) {
        if (!FPlaces.empty() && FPlaces.back() == TPlace::Document && FKey == "version") {
            Version = value;
            return true;
        }
        return Scalar(nullptr);
    }

    // A value that is no container; text is set for a string.
    bool Scalar(string_t* text) {
        if (FPlaces.empty()) {
            Fail("it is not a JSON object");
            return true;
        }
        switch (FPlaces.back()) {
        case TPlace::Document:
            if (FKey == "version") Fail("it has no format version");
            if (FKey == "formulas") Fail("it has no list 'formulas'");
            break;
        case TPlace::List:
            Formulas.emplace_back();
            Fail("formula " + Number() + " is not an object");
            break;
        case TPlace::Formula:
            Member(text);
            break;
        case TPlace::Values:
            if (text)
                Formulas.back().ValueTexts.push_back(std::move(*text));
            else
                Fail("a value of formula " + Number() + " is not a text");
            break;
        case TPlace::Skipped:
            break;
        }
        return true;
    }

    void Member(string_t* text) {
        const int k = TextKey();
        if (FKey == "values") Fail("formula " + Number() + " has no list 'values'");
        if (k < 0) return;
        if (!text) {
            Fail("formula " + Number() + " has no text '" + TextKeys[k] + "'");
            return;
        }
        TSavedFormula& formula = Formulas.back();
        std::string* fields[] = {&formula.Name, &formula.Variables, &formula.Formula,
                                 &formula.SavedAt};
        *fields[k] = std::move(*text);
        FSeen[k] = true;
    }

    bool Open(bool object) {
        TPlace place = TPlace::Skipped;
        if (FPlaces.empty()) {
            if (object)
                place = TPlace::Document;
            else
                Fail("it is not a JSON object");
        } else {
            switch (FPlaces.back()) {
            case TPlace::Document:
                if (FKey == "version") Fail("it has no format version");
                if (FKey == "formulas" && object) Fail("it has no list 'formulas'");
                if (FKey == "formulas" && !object) {
                    place = TPlace::List;
                    HasList = true;
                }
                break;
            case TPlace::List:
                Formulas.emplace_back();
                if (object) {
                    place = TPlace::Formula;
                    FSeen = {};
                    FHasValues = false;
                } else {
                    Fail("formula " + Number() + " is not an object");
                }
                break;
            case TPlace::Formula:
                if (FKey == "values" && !object) {
                    place = TPlace::Values;
                    FHasValues = true;
                } else {
                    Member(nullptr);
                }
                break;
            case TPlace::Values:
                Fail("a value of formula " + Number() + " is not a text");
                break;
            case TPlace::Skipped:
                break;
            }
        }
        FPlaces.push_back(place);
        return true;
    }

    bool Close() {
        if (FPlaces.back() == TPlace::Formula) {
            for (int k = 0; k < 4; ++k)
                if (!FSeen[k]) Fail("formula " + Number() + " has no text '" + TextKeys[k] + "'");
            if (!FHasValues) Fail("formula " + Number() + " has no list 'values'");
        }
        FPlaces.pop_back();
        return true;
    }

    std::vector<TPlace> FPlaces;
    std::string FKey;
    std::array<bool, 4> FSeen{};
    bool FHasValues = false;
};

// One formula as the file holds it, built member by member (the library's
// initializer lists copy every value twice).
TJson ItemJson(const TSavedFormula& formula) {
    TJson item(TJson::value_t::object);
    item["name"] = formula.Name;
    item["variables"] = formula.Variables;
    TJson& values = item["values"] = TJson::array();
    for (const std::string& value : formula.ValueTexts)
        values.emplace_back(value);
    item["formula"] = formula.Formula;
    item["saved"] = formula.SavedAt;
    return item;
}

TJson DocumentJson(const std::vector<TSavedFormula>& formulas) {
    TJson list = TJson::array();
    list.get_ref<TJson::array_t&>().reserve(formulas.size());
    for (const TSavedFormula& formula : formulas)
        list.push_back(ItemJson(formula));
    TJson document = TJson::object();
    document["version"] = FormulaStoreVersion;
    document["formulas"] = std::move(list);
    return document;
}

} // namespace

std::vector<TSavedFormula> ReadStoreText(const std::string& text, std::string& problem) {
    TStoreReader reader;
    if (!TJson::sax_parse(text, &reader)) {
        problem = "it is not JSON (" + reader.SyntaxError + ")";
        return {};
    }
    if (reader.Version && *reader.Version > FormulaStoreVersion) {
        problem = "it was written by a newer Zentavo (format version " +
                  std::to_string(*reader.Version) + "; this one reads version " +
                  std::to_string(FormulaStoreVersion) + ")";
        return {};
    }
    problem = reader.Problem;
    if (problem.empty() && (!reader.Version || *reader.Version < 1))
        problem = "it has no format version";
    if (problem.empty() && !reader.HasList) problem = "it has no list 'formulas'";
    if (!problem.empty()) problem = "it is not a list of saved formulas: " + problem;
    return std::move(reader.Formulas);
}

struct TStoreDocument::TJsonDocument {
    TJson Document;
    TJson::array_t& Items() { return Document["formulas"].get_ref<TJson::array_t&>(); }
};

TStoreDocument::TStoreDocument(const std::vector<TSavedFormula>& formulas)
    : FJson(std::make_unique<TJsonDocument>(TJsonDocument{DocumentJson(formulas)})) {}
TStoreDocument::TStoreDocument(TStoreDocument&&) noexcept = default;
TStoreDocument& TStoreDocument::operator=(TStoreDocument&&) noexcept = default;
TStoreDocument::~TStoreDocument() = default;

void TStoreDocument::Insert(std::size_t index, const TSavedFormula& formula) {
    auto& items = FJson->Items();
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), ItemJson(formula));
}

void TStoreDocument::Replace(std::size_t index, const TSavedFormula& formula) {
    FJson->Items()[index] = ItemJson(formula);
}

void TStoreDocument::Erase(std::size_t index) {
    auto& items = FJson->Items();
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::string> TStoreDocument::Text() const {
    try {
        return FJson->Document.dump(2, ' ', false, TJson::error_handler_t::strict) + '\n';
    } catch (const TJson::exception&) {
        return std::nullopt;
    }
}
