// The saved-formula store: reading and checking the JSON file, and changing it by
// whole-file replacement under an exclusive lock.
#include "session/formula_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <ctime>
#include <nlohmann/json.hpp>

#include "session/calculation_session.h"
#include "session/predefined_formulas.h"
#include "session/variable_list.h"

namespace {

constexpr const char* FileName = "formulas.json";
constexpr const char* TemporarySuffix = ".tmp-";

// ---- Text ------------------------------------------------------------------------

// The length of the UTF-8 sequence at text[i] and its code point in code, or 0 when
// it is not one (an overlong form, a surrogate, beyond U+10FFFF, cut short).
int NextCodePoint(std::string_view text, std::size_t i, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const int length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5                               ? 4
                                                                                   : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return 0;
    code = lead & (0x7Fu >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
        return 0;
    return length;
}

// The offset of the first byte that is not UTF-8, or npos.
std::size_t FirstBadUtf8(std::string_view text) {
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int length = NextCodePoint(text, i, code);
        if (length == 0) return i;
        i += static_cast<std::size_t>(length);
    }
    return std::string_view::npos;
}

// The code points of a UTF-8 text, or nothing.
std::optional<std::u32string> DecodeUtf8(std::string_view text) {
    std::u32string result;
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const int length = NextCodePoint(text, i, code);
        if (length == 0) return std::nullopt;
        result.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return result;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Lower case in every alphabet, from the C library's Unicode tables; ASCII only when
// the C.UTF-8 locale is missing.
char32_t Folded(char32_t code) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (unicode) return static_cast<char32_t>(towlower_l(static_cast<wint_t>(code), unicode));
    return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
}

std::u32string FoldKey(std::string_view name) {
    std::u32string key = DecodeUtf8(name).value_or(std::u32string{});
    if (key.empty() && !name.empty()) // not UTF-8: its bytes, unfolded
        for (char c : name) key.push_back(static_cast<unsigned char>(c));
    for (char32_t& code : key) code = Folded(code);
    return key;
}

// Sorts by folded name, each key folded once; a name that occurs twice (letter case
// aside) is returned, or nullptr. A list read from the file is in order already.
const TSavedFormula* SortByName(std::vector<TSavedFormula>& formulas) {
    std::vector<std::u32string> keys;
    keys.reserve(formulas.size());
    for (const TSavedFormula& formula : formulas) keys.push_back(FoldKey(formula.Name));
    const auto before = [&](std::size_t a, std::size_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : formulas[a].Name < formulas[b].Name;
    };
    std::vector<std::size_t> order(formulas.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
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

[[noreturn]] void Unwritable(const std::string& path, std::string_view reason) {
    throw EFormulaStoreError(FormatMessage(FormulaStoreMessages::Unwritable, path) +
                             std::string(reason) + std::string(FormulaStoreMessages::Unchanged));
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

// ---- Files -----------------------------------------------------------------------

// An open file descriptor, closed at the end of its scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) noexcept : FFd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    int Get() const noexcept { return FFd; }
    // Closes now and reports the error of close (a delayed write error shows here).
    int Close() noexcept {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the folder and its missing parents, each with mode 0700; errno on failure.
bool MakeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    if (errno != ENOENT) return false;
    const std::string parent = FolderOf(folder);
    if (parent != folder && !MakeFolders(parent)) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file's bytes and its status; false with errno set when it cannot be read, true
// with missing set when it does not exist.
bool ReadFile(const std::string& path, std::string& content, bool& missing, struct stat& info) {
    missing = false;
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        missing = errno == ENOENT;
        return missing;
    }
    if (::fstat(file.Get(), &info) != 0) return false;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    content.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

// Removes the temporary files that a writer killed before its rename left behind.
// Runs under the lock, so no other writer's file is among them.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir))
        if (std::string_view(entry->d_name).starts_with(prefix))
            ::unlink((folder + '/' + entry->d_name).c_str());
    ::closedir(dir);
}

// ---- The JSON form ---------------------------------------------------------------

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

    bool null() override { return Scalar(nullptr, false); }
    bool boolean(bool) override { return Scalar(nullptr, false); }
    bool number_integer(number_integer_t value) override { return Integer(value); }
    bool number_unsigned(number_unsigned_t value) override {
        return Integer(value > static_cast<number_unsigned_t>(INT64_MAX) ? INT64_MAX
                                                                        : static_cast<long long>(value));
    }
    bool number_float(number_float_t, const string_t&) override { return Scalar(nullptr, false); }
    bool string(string_t& value) override { return Scalar(&value, false); }
    bool binary(binary_t&) override { return Scalar(nullptr, false); }
    bool key(string_t& value) override {
        FKey = std::move(value);
        return true;
    }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
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
        return Scalar(nullptr, false);
    }

    // A value that is no container; text is set for a string.
    bool Scalar(string_t* text, bool) {
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
        std::string* fields[] = {&formula.Name, &formula.Variables, &formula.Formula, &formula.SavedAt};
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
    for (const std::string& value : formula.ValueTexts) values.emplace_back(value);
    item["formula"] = formula.Formula;
    item["saved"] = formula.SavedAt;
    return item;
}

TJson DocumentJson(const std::vector<TSavedFormula>& formulas) {
    TJson list = TJson::array();
    list.get_ref<TJson::array_t&>().reserve(formulas.size());
    for (const TSavedFormula& formula : formulas) list.push_back(ItemJson(formula));
    TJson document = TJson::object();
    document["version"] = FormulaStoreVersion;
    document["formulas"] = std::move(list);
    return document;
}

std::vector<TSavedFormula> ParseStore(const std::string& path, const std::string& content) {
    if (const std::size_t bad = FirstBadUtf8(content); bad != std::string_view::npos)
        Unreadable(path, "it is not valid UTF-8 (byte " + std::to_string(bad + 1) + ")");
    TStoreReader reader;
    if (!TJson::sax_parse(content, &reader))
        Unreadable(path, "it is not JSON (" + reader.SyntaxError + ")");
    if (reader.Version && *reader.Version > FormulaStoreVersion)
        Unreadable(path, "it was written by a newer Zentavo (format version " +
                             std::to_string(*reader.Version) + "; this one reads version " +
                             std::to_string(FormulaStoreVersion) + ")");
    std::string problem = reader.Problem;
    if (problem.empty() && (!reader.Version || *reader.Version < 1)) problem = "it has no format version";
    if (problem.empty() && !reader.HasList) problem = "it has no list 'formulas'";
    for (std::size_t i = 0; problem.empty() && i < reader.Formulas.size(); ++i) {
        const std::string& name = reader.Formulas[i].Name;
        bool allowed = true;
        try {
            allowed = CheckedFormulaName(name) == name;
        } catch (const EFormulaStoreError&) {
            allowed = false;
        }
        if (!allowed) problem = "formula " + std::to_string(i + 1) + " has a name that is not allowed";
    }
    if (problem.empty())
        if (const TSavedFormula* repeated = SortByName(reader.Formulas))
            problem = "two formulas are named '" + repeated->Name + "'";
    if (!problem.empty()) Unreadable(path, "it is not a list of saved formulas: " + problem);
    return std::move(reader.Formulas);
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

std::string CheckedFormulaName(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NameEmpty));
    const auto codes = DecodeUtf8(name);
    if (!codes) throw EFormulaStoreError(std::string(FormulaStoreMessages::NameNotUtf8));
    if (std::any_of(codes->begin(), codes->end(), IsControl))
        throw EFormulaStoreError(std::string(FormulaStoreMessages::NameControl));
    if (codes->size() > MaxFormulaNameLength)
        throw EFormulaStoreError(std::string(FormulaStoreMessages::NameTooLong));
    return std::string(name);
}

bool SameFormulaName(std::string_view a, std::string_view b) {
    return FoldKey(a) == FoldKey(b);
}

const TSavedFormula* FindSavedFormula(const std::vector<TSavedFormula>& formulas,
                                      std::string_view name) {
    const std::u32string key = FoldKey(name);
    for (const TSavedFormula& formula : formulas)
        if (FoldKey(formula.Name) == key) return &formula;
    return nullptr;
}

TPredefinedFormula AsPredefinedEntry(const TSavedFormula& formula) {
    TPredefinedFormula entry{formula.Name, formula.Formula, formula.Variables,
                             ParseVariableList(formula.Variables), {}};
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

namespace {

// Which file was read: every change puts a new file in place, so the same device,
// inode, size and modification time mean the same content.
struct TFileIdentity {
    unsigned long long Device = 0, Inode = 0, Size = 0;
    long long ModifiedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

TFileIdentity IdentityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

} // namespace

// Every change adds one to a count kept in the lock file, after its rename and under
// the lock. A cached list is used under the lock only when the count is still the
// one read before it: the file's identity alone could repeat (an inode number used
// again, a size and a coarse timestamp alike) when others save quickly.
namespace {
std::uint64_t ReadGeneration(int fd) {
    std::uint64_t generation = 0;
    if (::pread(fd, &generation, sizeof generation, 0) != static_cast<ssize_t>(sizeof generation))
        return 0;
    return generation;
}
} // namespace

struct TFormulaStore::TCache {
    std::uint64_t Generation = 0;
    std::optional<TFileIdentity> Identity; // none: a missing file
    std::vector<TSavedFormula> Formulas;
    // The same list as the file's JSON, made at the first change and then edited in
    // step with it, so a save writes without building the document again.
    std::optional<TJson> Document;
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

const TFormulaStore::TCache& TFormulaStore::Current() const {
    if (FPath.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    // The count first: a change that lands after it makes the count differ later.
    std::uint64_t generation = 0;
    {
        TDescriptor lock(::open((FPath + ".lock").c_str(), O_RDONLY | O_CLOEXEC));
        if (lock.Get() >= 0) generation = ReadGeneration(lock.Get());
    }
    struct stat info {};
    if (FCache && FCache->Generation == generation) {
        const bool exists = ::stat(FPath.c_str(), &info) == 0;
        if (exists ? FCache->Identity == IdentityOf(info) : !FCache->Identity && errno == ENOENT)
            return *FCache;
    }
    FCache.reset();
    std::string content;
    bool missing = false;
    if (!ReadFile(FPath, content, missing, info)) Unreadable(FPath, SystemReason(errno));
    auto cache = std::make_unique<TCache>();
    cache->Generation = generation;
    if (!missing) {
        cache->Formulas = ParseStore(FPath, content);
        cache->Identity = IdentityOf(info);
    }
    FCache = std::move(cache);
    return *FCache;
}

void TFormulaStore::Change(
    const std::function<std::optional<TEdit>(const std::vector<TSavedFormula>&)>& decide) const {
    if (FPath.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    const std::string folder = FolderOf(FPath);
    if (!MakeFolders(folder)) Unwritable(FPath, SystemReason(errno));
    TDescriptor lock(::open((FPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0) Unwritable(FPath, SystemReason(errno));
    while (::flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) Unwritable(FPath, SystemReason(errno));

    Current();
    std::optional<TEdit> edit = decide(FCache->Formulas);
    if (!edit) return;
    // From here the cache is edited; it is kept only when the file is written.
    std::unique_ptr<TCache> cache = std::move(FCache);
    if (!cache->Document) cache->Document = DocumentJson(cache->Formulas);
    auto& list = cache->Formulas;
    auto& items = (*cache->Document)["formulas"].get_ref<TJson::array_t&>();
    const auto at = static_cast<std::ptrdiff_t>(edit->Index);
    switch (edit->Kind) {
    case TEdit::TKind::Insert:
        items.insert(items.begin() + at, ItemJson(edit->Formula));
        list.insert(list.begin() + at, std::move(edit->Formula));
        break;
    case TEdit::TKind::Replace:
        items[edit->Index] = ItemJson(edit->Formula);
        list[edit->Index] = std::move(edit->Formula);
        break;
    case TEdit::TKind::Erase:
        items.erase(items.begin() + at);
        list.erase(list.begin() + at);
        break;
    }
    std::string content;
    try {
        content = cache->Document->dump(2, ' ', false, TJson::error_handler_t::strict) + '\n';
    } catch (const TJson::exception&) {
        throw EFormulaStoreError(std::string(FormulaStoreMessages::TextNotUtf8));
    }

    const std::string baseName = FPath.substr(folder.size() + (folder == "/" ? 0 : 1));
    RemoveLeftovers(folder, baseName + TemporarySuffix);
    std::string temporary = FPath + TemporarySuffix + "XXXXXX";
    TDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) Unwritable(FPath, SystemReason(errno));
    struct stat old {};
    const bool keepMode = ::stat(FPath.c_str(), &old) == 0;
    const bool written = (!keepMode || ::fchmod(file.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 &&
                         file.Close() == 0 && ::rename(temporary.c_str(), FPath.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Unwritable(FPath, SystemReason(error));
    }
    // The rename itself reaches the disk with the folder.
    TDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    // What was written is what the next read would give: no other writer runs while
    // the lock is held.
    const std::uint64_t generation = ReadGeneration(lock.Get()) + 1;
    struct stat now {};
    if (::pwrite(lock.Get(), &generation, sizeof generation, 0) ==
            static_cast<ssize_t>(sizeof generation) &&
        ::stat(FPath.c_str(), &now) == 0) {
        cache->Generation = generation;
        cache->Identity = IdentityOf(now);
        FCache = std::move(cache);
    }
}

namespace {

// The index of the formula of that name (letter case aside) in the list in name
// order, or of the place it would take; found says which.
std::size_t PlaceOf(const std::vector<TSavedFormula>& formulas, std::string_view name, bool& found) {
    const std::u32string key = FoldKey(name);
    const auto at = std::lower_bound(formulas.begin(), formulas.end(), key,
                                     [](const TSavedFormula& f, const std::u32string& k) {
                                         return FoldKey(f.Name) < k;
                                     });
    found = at != formulas.end() && FoldKey(at->Name) == key;
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
        return TEdit{found ? TEdit::TKind::Replace : TEdit::TKind::Insert, index, std::move(formula)};
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
