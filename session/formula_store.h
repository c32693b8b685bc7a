// The user's own saved formulas: each with its name, variable list, value texts and
// formula as typed, kept in one JSON file that is only ever replaced whole (written
// beside it, flushed to disk, renamed over it) and changed under a lock, so that no
// crash, full disk or second writer loses a formula, and a file that cannot be read
// is never overwritten.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"
#include "session/formula_name.h"

struct TPredefinedFormula;

struct TSavedFormula {
    std::string Name;                    // 1 to 100 characters, no control characters
    std::string Variables;               // the variable list as typed
    std::vector<std::string> ValueTexts; // one per declared variable, as typed
    std::string Formula;                 // as typed
    std::string SavedAt;                 // UTC, such as "2026-12-09T05:00:10Z"; set by Save
};

namespace FormulaStoreMessages {
inline constexpr std::string_view TextNotUtf8 = "A text of the formula is not valid UTF-8";
// The file and the reason follow.
inline constexpr std::string_view Unreadable = "The saved formulas in '%s' cannot be read: ";
inline constexpr std::string_view MoveAway =
    ". Nothing is saved there until the file is moved away or mended";
inline constexpr std::string_view Unwritable = "The saved formulas in '%s' could not be written: ";
inline constexpr std::string_view Unchanged = ". They are as they were";
inline constexpr std::string_view NoFolder =
    "No folder for saved formulas: neither XDG_DATA_HOME nor HOME is set";
} // namespace FormulaStoreMessages

inline constexpr int FormulaStoreVersion = 1;

// The formula of that name in the list, or nullptr.
const TSavedFormula* FindSavedFormula(const std::vector<TSavedFormula>& formulas,
                                      std::string_view name);
// The saved formula as a drop-down entry: its names parsed from the variable list,
// one value text per name (a missing one empty, which the grid shows as "2").
TPredefinedFormula AsPredefinedEntry(const TSavedFormula& formula);
// The names and value texts a computation of the loaded formula binds: an empty or
// missing value counts as the grid's "2".
void BindSavedFormula(const TSavedFormula& formula, std::vector<std::string>& names,
                      std::vector<std::string>& valueTexts);

class TFormulaStore {
public:
    // The store in formulas.json of the folder $XDG_DATA_HOME/zentavo, or
    // ~/.local/share/zentavo when XDG_DATA_HOME is unset or empty.
    TFormulaStore();
    explicit TFormulaStore(std::string path);
    TFormulaStore(TFormulaStore&&) noexcept;
    TFormulaStore& operator=(TFormulaStore&&) noexcept;
    ~TFormulaStore();

    const std::string& Path() const noexcept { return FPath; }

    // The saved formulas sorted by name; a missing file is an empty store. Raises
    // EFormulaStoreError naming the file and the reason when it cannot be read.
    // The file is read again only when it has changed since the last read or write.
    std::vector<TSavedFormula> Load() const;

    enum class TSaveResult { Saved, NameTaken };
    // Saves the formula (its name checked first, its time set now). Under the lock,
    // the file is read again and the one change applied: a formula of the same name
    // is replaced only when replace is true, else nothing is written and NameTaken
    // returned. Raises EFormulaStoreError when the file cannot be read (it is left
    // alone) or the new one cannot be written (the old one stays).
    TSaveResult Save(TSavedFormula formula, bool replace) const;
    // Removes the formula of that name; false when there was none.
    bool Remove(std::string_view name) const;

private:
    struct TCache; // the formulas last read or written, with the file they match
    struct TEdit;  // one change of the list
    const TCache& Current() const;
    // Applies the edit that decide returns (nothing: no change) to the formulas read
    // under the lock and puts the result in place of the file.
    void Change(
        const std::function<std::optional<TEdit>(const std::vector<TSavedFormula>&)>& decide) const;

    std::string FPath;
    mutable std::unique_ptr<TCache> FCache;
};
