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
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <nlohmann/json.hpp>

#include "session/calculation_session.h"
#include "session/predefined_formulas.h"
#include "session/variable_list.h"

namespace {

constexpr const char* FileName = "formulas.json";
constexpr const char* TemporarySuffix = ".tmp-";

// ---- Text ------------------------------------------------------------------------

// The code points of a UTF-8 text (no overlong forms, no surrogates, at most
// U+10FFFF), or nothing; badOffset is then the offset of the first bad byte.
std::optional<std::u32string> DecodeUtf8(std::string_view text, std::size_t& badOffset) {
    std::u32string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                                         : lead >= 0xE0 && lead < 0xF0   ? 3
                                         : lead >= 0xF0 && lead < 0xF5   ? 4
                                                                         : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1Fu
                                         : length == 3   ? lead & 0x0Fu
                                                         : lead & 0x07u;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        valid = valid && !(length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) &&
                !(length == 4 && (code < 0x10000 || code > 0x10FFFF));
        if (!valid) {
            badOffset = i;
            return std::nullopt;
        }
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
    std::size_t bad = 0;
    std::u32string key = DecodeUtf8(name, bad).value_or(std::u32string{});
    if (key.empty() && !name.empty()) // not UTF-8: its bytes, unfolded
        for (char c : name) key.push_back(static_cast<unsigned char>(c));
    for (char32_t& code : key) code = Folded(code);
    return key;
}

void SortByName(std::vector<TSavedFormula>& formulas) {
    std::sort(formulas.begin(), formulas.end(), [](const TSavedFormula& a, const TSavedFormula& b) {
        const std::u32string ka = FoldKey(a.Name), kb = FoldKey(b.Name);
        return ka != kb ? ka < kb : a.Name < b.Name;
    });
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

// The file's bytes; false with errno set when it cannot be read, true with missing
// set when it does not exist.
bool ReadFile(const std::string& path, std::string& content, bool& missing) {
    missing = false;
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        missing = errno == ENOENT;
        return missing;
    }
    struct stat info {};
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

const std::string& StringField(const TJson& item, const char* key, std::size_t index) {
    const auto field = item.find(key);
    if (field == item.end() || !field->is_string())
        throw std::invalid_argument("formula " + std::to_string(index + 1) + " has no text '" +
                                    key + "'");
    return field->get_ref<const std::string&>();
}

std::vector<TSavedFormula> FromJson(const TJson& document) {
    if (!document.is_object()) throw std::invalid_argument("it is not a JSON object");
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer() || *version < 1)
        throw std::invalid_argument("it has no format version");
    const auto list = document.find("formulas");
    if (list == document.end() || !list->is_array())
        throw std::invalid_argument("it has no list 'formulas'");
    std::vector<TSavedFormula> formulas;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const TJson& item = (*list)[i];
        if (!item.is_object())
            throw std::invalid_argument("formula " + std::to_string(i + 1) + " is not an object");
        TSavedFormula formula{StringField(item, "name", i), StringField(item, "variables", i), {},
                              StringField(item, "formula", i), StringField(item, "saved", i)};
        const auto values = item.find("values");
        if (values == item.end() || !values->is_array())
            throw std::invalid_argument("formula " + std::to_string(i + 1) + " has no list 'values'");
        for (const TJson& value : *values) {
            if (!value.is_string())
                throw std::invalid_argument("a value of formula " + std::to_string(i + 1) +
                                            " is not a text");
            formula.ValueTexts.push_back(value.get<std::string>());
        }
        try {
            if (CheckedFormulaName(formula.Name) != formula.Name) throw EFormulaStoreError("");
        } catch (const EFormulaStoreError&) {
            throw std::invalid_argument("formula " + std::to_string(i + 1) +
                                        " has a name that is not allowed");
        }
        if (FindSavedFormula(formulas, formula.Name))
            throw std::invalid_argument("two formulas are named '" + formula.Name + "'");
        formulas.push_back(std::move(formula));
    }
    return formulas;
}

std::string ToJson(const std::vector<TSavedFormula>& formulas) {
    TJson list = TJson::array();
    for (const TSavedFormula& formula : formulas)
        list.push_back({{"name", formula.Name},
                        {"variables", formula.Variables},
                        {"values", formula.ValueTexts},
                        {"formula", formula.Formula},
                        {"saved", formula.SavedAt}});
    const TJson document = {{"version", FormulaStoreVersion}, {"formulas", std::move(list)}};
    return document.dump(2, ' ', false, TJson::error_handler_t::strict) + '\n';
}

std::vector<TSavedFormula> ParseStore(const std::string& path, const std::string& content) {
    std::size_t bad = 0;
    if (!DecodeUtf8(content, bad))
        Unreadable(path, "it is not valid UTF-8 (byte " + std::to_string(bad + 1) + ")");
    TJson document;
    try {
        document = TJson::parse(content);
    } catch (const TJson::exception& error) {
        Unreadable(path, "it is not JSON (" + LibraryReason(error) + ")");
    }
    if (document.is_object()) {
        const auto version = document.find("version");
        if (version != document.end() && version->is_number_integer() &&
            *version > FormulaStoreVersion)
            Unreadable(path, "it was written by a newer Zentavo (format version " +
                                 version->dump() + "; this one reads version " +
                                 std::to_string(FormulaStoreVersion) + ")");
    }
    try {
        std::vector<TSavedFormula> formulas = FromJson(document);
        SortByName(formulas);
        return formulas;
    } catch (const std::invalid_argument& error) {
        Unreadable(path, std::string("it is not a list of saved formulas: ") + error.what());
    }
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
    std::size_t bad = 0;
    const auto codes = DecodeUtf8(name, bad);
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

TFormulaStore::TFormulaStore() : FPath(DefaultStorePath()) {}

TFormulaStore::TFormulaStore(std::string path) : FPath(std::move(path)) {}

std::vector<TSavedFormula> TFormulaStore::Load() const {
    if (FPath.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    std::string content;
    bool missing = false;
    if (!ReadFile(FPath, content, missing)) Unreadable(FPath, SystemReason(errno));
    if (missing) return {};
    return ParseStore(FPath, content);
}

namespace {

// Runs change on the formulas read under the lock and writes the result in place of
// the file, unless change returns false.
template <typename F> void ChangeStore(const std::string& path, F&& change) {
    if (path.empty()) throw EFormulaStoreError(std::string(FormulaStoreMessages::NoFolder));
    const std::string folder = FolderOf(path);
    if (!MakeFolders(folder)) Unwritable(path, SystemReason(errno));
    TDescriptor lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0) Unwritable(path, SystemReason(errno));
    while (::flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) Unwritable(path, SystemReason(errno));

    std::vector<TSavedFormula> formulas = TFormulaStore(path).Load();
    if (!change(formulas)) return;
    SortByName(formulas);
    std::string content;
    try {
        content = ToJson(formulas);
    } catch (const TJson::exception&) {
        throw EFormulaStoreError(std::string(FormulaStoreMessages::TextNotUtf8));
    }

    const std::string baseName = path.substr(folder.size() + (folder == "/" ? 0 : 1));
    RemoveLeftovers(folder, baseName + TemporarySuffix);
    std::string temporary = path + TemporarySuffix + "XXXXXX";
    TDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) Unwritable(path, SystemReason(errno));
    struct stat old {};
    const bool keepMode = ::stat(path.c_str(), &old) == 0;
    const bool written = (!keepMode || ::fchmod(file.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 &&
                         file.Close() == 0 && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Unwritable(path, SystemReason(error));
    }
    // The rename itself reaches the disk with the folder.
    TDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

} // namespace

TFormulaStore::TSaveResult TFormulaStore::Save(TSavedFormula formula, bool replace) const {
    formula.Name = CheckedFormulaName(formula.Name);
    formula.SavedAt = NowUtc();
    TSaveResult result = TSaveResult::Saved;
    ChangeStore(FPath, [&](std::vector<TSavedFormula>& formulas) {
        const auto same = std::find_if(formulas.begin(), formulas.end(), [&](const auto& f) {
            return SameFormulaName(f.Name, formula.Name);
        });
        if (same == formulas.end()) {
            formulas.push_back(std::move(formula));
        } else if (replace) {
            *same = std::move(formula);
        } else {
            result = TSaveResult::NameTaken;
            return false;
        }
        return true;
    });
    return result;
}

bool TFormulaStore::Remove(std::string_view name) const {
    bool removed = false;
    ChangeStore(FPath, [&](std::vector<TSavedFormula>& formulas) {
        const auto before = formulas.size();
        std::erase_if(formulas, [&](const auto& f) { return SameFormulaName(f.Name, name); });
        removed = formulas.size() != before;
        return removed;
    });
    return removed;
}
