// The saved-formula store: the store that reads the file only when it changed and
// changes it under the writers' lock, and a saved formula as the window loads it.
#include "session/formula_store.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/replaced_file.h"
#include "platform/utf8_text.h"
#include "session/formula_store_json.h"
#include "session/grid_cell_store.h"
#include "session/predefined_formulas.h"
#include "session/variable_list.h"

namespace {

constexpr const char* FileName = "formulas.json";

// Sorts by folded name, each key folded once; a name that occurs twice (letter case
// aside) is returned, or nullptr. A list read from the file is in order already.
const TSavedFormula* SortByName(std::vector<TSavedFormula>& formulas) {
    std::vector<std::u32string> keys;
    keys.reserve(formulas.size());
    for (const TSavedFormula& formula : formulas)
        keys.push_back(FormulaNameKey(formula.Name));
    const auto before = [&](std::size_t a, std::size_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : formulas[a].Name < formulas[b].Name;
    };
    std::vector<std::size_t> order(formulas.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (!std::is_sorted(order.begin(), order.end(), before)) {
        std::sort(order.begin(), order.end(), before);
        std::vector<TSavedFormula> sorted;
        sorted.reserve(formulas.size());
        std::vector<std::u32string> sortedKeys;
        sortedKeys.reserve(keys.size());
        for (std::size_t i : order) {
            sorted.push_back(std::move(formulas[i]));
            sortedKeys.push_back(std::move(keys[i]));
        }
        formulas = std::move(sorted);
        keys = std::move(sortedKeys);
    }
    for (std::size_t i = 1; i < keys.size(); ++i)
        if (keys[i] == keys[i - 1]) return &formulas[i];
    return nullptr;
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

// ---- Messages --------------------------------------------------------------------

[[noreturn]] void Unreadable(const std::string& path, std::string_view reason) {
    throw EFormulaStoreError(FormatMessage(FormulaStoreMessages::Unreadable, path) +
                             std::string(reason) + std::string(FormulaStoreMessages::MoveAway));
}

[[noreturn]] void Unwritable(const std::string& path, int error) {
    throw EFormulaStoreError(FormatMessage(FormulaStoreMessages::Unwritable, path) +
                             std::strerror(error) + std::string(FormulaStoreMessages::Unchanged));
}

// The formulas of the file's text in name order, or EFormulaStoreError with why not.
std::vector<TSavedFormula> ParseStore(const std::string& path, const std::string& content) {
    if (const std::size_t bad = FirstBadUtf8(content); bad != std::string_view::npos)
        Unreadable(path, "it is not valid UTF-8 (byte " + std::to_string(bad + 1) + ")");
    std::string problem;
    std::vector<TSavedFormula> formulas = ReadStoreText(content, problem);
    if (!problem.empty()) Unreadable(path, problem);
    for (std::size_t i = 0; i < formulas.size(); ++i) {
        const std::string& name = formulas[i].Name;
        bool allowed = true;
        try {
            allowed = CheckedFormulaName(name) == name;
        } catch (const EFormulaStoreError&) {
            allowed = false;
        }
        if (!allowed)
            Unreadable(path, "it is not a list of saved formulas: formula " +
                                 std::to_string(i + 1) + " has a name that is not allowed");
    }
    if (const TSavedFormula* repeated = SortByName(formulas))
        Unreadable(path, "it is not a list of saved formulas: two formulas are named '" +
                             repeated->Name + "'");
    return formulas;
}

std::string DefaultStorePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is invalid and ignored, as desktops do.
    if (data && data[0] == '/') return std::string(data) + "/zentavo/" + FileName;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || !home[0]) return {};
    return std::string(home) + "/.local/share/zentavo/" + FileName;
}

} // namespace

// ---- Names -------------------------------------------------------------------------

const TSavedFormula* FindSavedFormula(const std::vector<TSavedFormula>& formulas,
                                      std::string_view name) {
    const std::u32string key = FormulaNameKey(name);
    for (const TSavedFormula& formula : formulas)
        if (FormulaNameKey(formula.Name) == key) return &formula;
    return nullptr;
}

TPredefinedFormula AsPredefinedEntry(const TSavedFormula& formula) {
    TPredefinedFormula entry{
        formula.Name, formula.Formula, formula.Variables, ParseVariableList(formula.Variables), {}};
    entry.SampleValues = formula.ValueTexts;
    entry.SampleValues.resize(entry.Names.size());
    return entry;
}

void BindSavedFormula(const TSavedFormula& formula, std::vector<std::string>& names,
                      std::vector<std::string>& valueTexts) {
    TPredefinedFormula entry = AsPredefinedEntry(formula);
    for (std::string& text : entry.SampleValues)
        if (text.empty()) text.append(EmptyCellValue);
    names = std::move(entry.Names);
    valueTexts = std::move(entry.SampleValues);
}

// ---- The store ---------------------------------------------------------------------

struct TFormulaStore::TCache {
    std::uint64_t Generation = 0;          // the lock file's count when it was read
    std::optional<TFileIdentity> Identity; // none: a missing file
    std::vector<TSavedFormula> Formulas;
    // The same list as the file's JSON, made at the first change and then edited in
    // step with it.
    std::optional<TStoreDocument> Document;
};

struct TFormulaStore::TEdit {
    enum class TKind { Insert, Replace, Erase } Kind;
    std::size_t Index;
    TSavedFormula Formula; // Insert, Replace
};

TFormulaStore::TFormulaStore() : FPath(DefaultStorePath()) {}
TFormulaStore::TFormulaStore(std::string path) : FPath(std::move(path)) {}
TFormulaStore::TFormulaStore(TFormulaStore&&) noexcept = default;
TFormulaStore& TFormulaStore::operator=(TFormulaStore&&) noexcept = default;
TFormulaStore::~TFormulaStore() = default;

std::vector<TSavedFormula> TFormulaStore::Load() const {
    return Current().Formulas;
}

// The count is read first: a change that lands after it makes the count differ at
// the next look, so a cached list is never taken for a newer file.
const TFormulaStore::TCache& TFormulaStore::Current() const {
    if (FPath.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    const std::uint64_t generation = TFileLock::ReadGeneration(FPath);
    if (FCache && FCache->Generation == generation && FCache->Identity == FileIdentity(FPath))
        return *FCache;
    FCache.reset();
    auto cache = std::make_unique<TCache>();
    cache->Generation = generation;
    std::string content;
    TFileIdentity identity;
    if (const int error = ReadWholeFile(FPath, content, identity); error == 0) {
        cache->Formulas = ParseStore(FPath, content);
        cache->Identity = identity;
    } else if (error != ENOENT) {
        Unreadable(FPath, std::strerror(error));
    }
    FCache = std::move(cache);
    return *FCache;
}

void TFormulaStore::Change(
    const std::function<std::optional<TEdit>(const std::vector<TSavedFormula>&)>& decide) const {
    if (FPath.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    if (const int error = MakeFolders(FolderOf(FPath))) Unwritable(FPath, error);
    TFileLock lock(FPath);
    if (lock.Error()) Unwritable(FPath, lock.Error());

    std::optional<TEdit> edit = decide(Current().Formulas);
    if (!edit) return;
    // From here the cache is edited; it is kept only when the file is written.
    std::unique_ptr<TCache> cache = std::move(FCache);
    if (!cache->Document) cache->Document.emplace(cache->Formulas);
    auto& list = cache->Formulas;
    const auto at = list.begin() + static_cast<std::ptrdiff_t>(edit->Index);
    switch (edit->Kind) {
    case TEdit::TKind::Insert:
        cache->Document->Insert(edit->Index, edit->Formula);
        list.insert(at, std::move(edit->Formula));
        break;
    case TEdit::TKind::Replace:
        cache->Document->Replace(edit->Index, edit->Formula);
        *at = std::move(edit->Formula);
        break;
    case TEdit::TKind::Erase:
        cache->Document->Erase(edit->Index);
        list.erase(at);
        break;
    }
    const std::optional<std::string> content = cache->Document->Text();
    if (!content) throw EFormulaStoreError(std::string(FormulaStoreMessages::TextNotUtf8));
    if (const int error = ReplaceFile(FPath, *content)) Unwritable(FPath, error);
    // What was written is what the next read would give: no other writer runs while
    // the lock is held.
    const std::optional<TFileIdentity> written = FileIdentity(FPath);
    if (lock.CountReplacement() && written) {
        cache->Generation = lock.Generation();
        cache->Identity = written;
        FCache = std::move(cache);
    }
}

namespace {

// The index of the formula of that name (letter case aside) in the list in name
// order, or of the place it would take; found says which.
std::size_t PlaceOf(const std::vector<TSavedFormula>& formulas, std::string_view name,
                    bool& found) {
    const std::u32string key = FormulaNameKey(name);
    const auto at = std::lower_bound(
        formulas.begin(), formulas.end(), key,
        [](const TSavedFormula& f, const std::u32string& k) { return FormulaNameKey(f.Name) < k; });
    found = at != formulas.end() && FormulaNameKey(at->Name) == key;
    return static_cast<std::size_t>(at - formulas.begin());
}

} // namespace

TFormulaStore::TSaveResult TFormulaStore::Save(TSavedFormula formula, bool replace) const {
    formula.Name = CheckedFormulaName(formula.Name);
    formula.SavedAt = NowUtc();
    TSaveResult result = TSaveResult::Saved;
    Change([&](const std::vector<TSavedFormula>& formulas) -> std::optional<TEdit> {
        bool found = false;
        const std::size_t index = PlaceOf(formulas, formula.Name, found);
        if (found && !replace) {
            result = TSaveResult::NameTaken;
            return std::nullopt;
        }
        return TEdit{found ? TEdit::TKind::Replace : TEdit::TKind::Insert, index,
                     std::move(formula)};
    });
    return result;
}

bool TFormulaStore::Remove(std::string_view name) const {
    bool found = false;
    Change([&](const std::vector<TSavedFormula>& formulas) -> std::optional<TEdit> {
        const std::size_t index = PlaceOf(formulas, name, found);
        if (!found) return std::nullopt;
        return TEdit{TEdit::TKind::Erase, index, {}};
    });
    return found;
}
