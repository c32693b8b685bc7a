// The saved-formula store: what it keeps, what it refuses, and that no crash, full
// disk, damaged file or second writer loses a formula.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "session/calculation_session.h"
#include "session/formula_store.h"
#include "session/predefined_formulas.h"

namespace {

namespace fs = std::filesystem;

class FormulaStoreTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zentavo-store-XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        folder = pattern;
        path = folder + "/zentavo/formulas.json";
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    void Write(const std::string& content) const {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    static TSavedFormula Formula(std::string name, std::string formula = "a+b") {
        return {std::move(name), "a;b", {"1,5", "2"}, std::move(formula), {}};
    }
    // Runs body in a child process; its exit status.
    static int InChild(const std::function<int()>& body) {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(body());
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string folder, path;
};

TEST_F(FormulaStoreTest, KeepsEveryTextAsTypedAndFindsNamesInAnyCase) {
    const TFormulaStore store(path);
    EXPECT_TRUE(store.Load().empty()); // no file yet
    TSavedFormula circle{"  Kreisfläche ", "r ; Höhe", {"2,5", ""}, "pi*r*r*Höhe", {}};
    EXPECT_EQ(store.Save(circle, false), TFormulaStore::TSaveResult::Saved);
    EXPECT_EQ(store.Save(Formula("ärger"), false), TFormulaStore::TSaveResult::Saved);
    EXPECT_EQ(store.Save(Formula("ÄRGER", "a-b"), false), TFormulaStore::TSaveResult::NameTaken);
    EXPECT_EQ(store.Save(Formula("Beta"), false), TFormulaStore::TSaveResult::Saved);

    const std::vector<TSavedFormula> saved = store.Load();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].Name, "Beta");
    EXPECT_EQ(saved[1].Name, "Kreisfläche");
    EXPECT_EQ(saved[1].Variables, "r ; Höhe");
    EXPECT_EQ(saved[1].ValueTexts, (std::vector<std::string>{"2,5", ""}));
    EXPECT_EQ(saved[1].Formula, "pi*r*r*Höhe");
    EXPECT_EQ(saved[1].SavedAt.size(), 20u); // 2026-12-09T05:00:10Z
    EXPECT_EQ(saved[2].Formula, "a+b");      // not replaced without asking

    EXPECT_EQ(store.Save(Formula("ÄRGER", "a-b"), true), TFormulaStore::TSaveResult::Saved);
    ASSERT_NE(FindSavedFormula(store.Load(), "ärger"), nullptr);
    EXPECT_EQ(FindSavedFormula(store.Load(), "ärger")->Formula, "a-b");
    EXPECT_TRUE(store.Remove("KREISFLÄCHE"));
    EXPECT_FALSE(store.Remove("Kreisfläche"));
    EXPECT_EQ(store.Load().size(), 2u);

    EXPECT_EQ(fs::status(fs::path(path).parent_path()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// Loading into the window and binding on the command line see the grid's rules: the
// names from the list as typed, an empty value as 2.
TEST_F(FormulaStoreTest, ASavedFormulaBindsAsTheGridWould) {
    const TSavedFormula saved{"Box", "l;w;h", {"3,5", ""}, "l*w*h", {}};
    const TPredefinedFormula entry = AsPredefinedEntry(saved);
    EXPECT_EQ(entry.Names, (std::vector<std::string>{"l", "w", "h"}));
    EXPECT_EQ(entry.SampleValues, (std::vector<std::string>{"3,5", "", ""}));
    std::vector<std::string> names, values;
    BindSavedFormula(saved, names, values);
    EXPECT_EQ(values, (std::vector<std::string>{"3,5", "2", "2"}));

    TCalculationSession session;
    session.Cells().SetCell(1, 2, "7");
    const TSavedFormula snapshot = session.Snapshot("Box", "l ;w", "l*w");
    EXPECT_EQ(snapshot.Variables, "l ;w");
    EXPECT_EQ(snapshot.ValueTexts, (std::vector<std::string>{"2", "7"}));
}

TEST_F(FormulaStoreTest, RefusesNamesThatCannotBeShownOrTold) {
    const struct {
        std::string name;
        std::string_view message;
    } refused[] = {
        {"", FormulaStoreMessages::NameEmpty},
        {"   ", FormulaStoreMessages::NameEmpty},
        {std::string(101, 'a'), FormulaStoreMessages::NameTooLong},
        {"tab\there", FormulaStoreMessages::NameControl},
        {"csi\xc2\x9b", FormulaStoreMessages::NameControl},
        {"bad\xff", FormulaStoreMessages::NameNotUtf8},
        {"overlong\xc0\xaf", FormulaStoreMessages::NameNotUtf8},
    };
    const TFormulaStore store(path);
    for (const auto& c : refused) {
        try {
            store.Save(Formula(c.name), false);
            ADD_FAILURE() << "accepted: " << c.name;
        } catch (const EFormulaStoreError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
    }
    EXPECT_FALSE(fs::exists(path));
    std::string longest;
    for (int i = 0; i < 100; ++i)
        longest += "ж"; // 100 characters, 200 bytes
    EXPECT_EQ(CheckedFormulaName(longest), longest);
}

// Whatever is wrong with the file, it is reported with its name and the reason and
// stays byte for byte as it was.
TEST_F(FormulaStoreTest, AFileThatCannotBeReadIsNeverOverwritten) {
    const struct {
        const char* content;
        const char* reason;
    } damaged[] = {
        {"", "it is not JSON"},
        {"{\"version\": 1, \"formulas\": [", "it is not JSON"},
        {"{\"version\": 1, \"formulas\": [{\"name\": \"caf\xe9\"}]}", "not valid UTF-8 (byte 42)"},
        {"{\"version\": 2, \"formulas\": []}", "written by a newer Zentavo (format version 2"},
        {"{\"formulas\": []}", "it has no format version"},
        {"[1, 2]", "it is not a JSON object"},
        {"{\"version\": 1, \"formulas\": [{\"name\": \"a\", \"variables\": \"x\", \"values\": [2],"
         " \"formula\": \"x\", \"saved\": \"\"}]}",
         "a value of formula 1 is not a text"},
        {"{\"version\": 1, \"formulas\": [{\"name\": \"a\"}]}",
         "formula 1 has no text 'variables'"},
        {"{\"version\": 1, \"formulas\": [{\"name\": \"A\", \"variables\": \"\", \"values\": [],"
         " \"formula\": \"1\", \"saved\": \"\"}, {\"name\": \"a\", \"variables\": \"\","
         " \"values\": [], \"formula\": \"2\", \"saved\": \"\"}]}",
         "two formulas are named 'a'"},
    };
    const TFormulaStore store(path);
    for (const auto& c : damaged) {
        Write(c.content);
        for (const auto& attempt : std::vector<std::function<void()>>{
                 [&] { store.Load(); }, [&] { store.Save(Formula("new"), true); },
                 [&] { store.Remove("a"); }}) {
            try {
                attempt();
                ADD_FAILURE() << "read: " << c.content;
            } catch (const EFormulaStoreError& e) {
                EXPECT_NE(e.Message().find("'" + path + "' cannot be read"), std::string::npos);
                EXPECT_NE(e.Message().find(c.reason), std::string::npos) << e.Message();
            }
        }
        EXPECT_EQ(Read(path), c.content);
    }
}

// A write that fails leaves the old file whole, and says why.
TEST_F(FormulaStoreTest, AFailedWriteLeavesTheOldFile) {
    const TFormulaStore store(path);
    store.Save(Formula("old"), false);
    const std::string before = Read(path);
    const TSavedFormula big = Formula("big", std::string(200000, '1'));

    // A file-size limit stands in for a full disk wherever mounting is not allowed.
    EXPECT_EQ(InChild([&] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{4096, 4096};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  try {
                      store.Save(big, false);
                  } catch (const EFormulaStoreError& e) {
                      return e.Message().find("File too large") != std::string::npos ? 0 : 2;
                  }
                  return 1;
              }),
              0);
    EXPECT_EQ(Read(path), before);

    // A folder where a file is.
    const TFormulaStore blocked(folder + "/zentavo/formulas.json/inner/formulas.json");
    try {
        blocked.Save(Formula("x"), false);
        ADD_FAILURE();
    } catch (const EFormulaStoreError& e) {
        EXPECT_NE(e.Message().find("could not be written: Not a directory"), std::string::npos)
            << e.Message();
    }
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/zentavo"), {}), 2); // no leftovers
}

// A real full disk: a 64 KB tmpfs in a mount namespace of the child's own.
TEST_F(FormulaStoreTest, AFullDiskLeavesTheOldFile) {
    const int status = InChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        const TFormulaStore store(path);
        store.Save(Formula("old"), false);
        const std::string before = Read(path);
        try {
            store.Save(Formula("big", std::string(100000, '1')), false);
            return 1;
        } catch (const EFormulaStoreError& e) {
            if (e.Message().find("No space left on device") == std::string::npos) return 2;
        }
        return Read(path) == before && store.Load().size() == 1 ? 0 : 3;
    });
    if (status == 77) GTEST_SKIP() << "no tmpfs can be mounted here";
    EXPECT_EQ(status, 0);
}

// Writers in separate processes, all at once: every formula each one saved is there.
TEST_F(FormulaStoreTest, WritersAtTheSameTimeLoseNothing) {
    constexpr int Writers = 4, Each = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = ::fork();
        if (child == 0) {
            const TFormulaStore store(path);
            for (int k = 0; k < Each; ++k)
                store.Save(Formula("w" + std::to_string(w) + "-" + std::to_string(k)), false);
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(TFormulaStore(path).Load().size(), static_cast<std::size_t>(Writers * Each));
}

// A writer killed at a random moment leaves the old content or the new, never a mix;
// the next save clears what it left behind.
TEST_F(FormulaStoreTest, AWriterKilledAnywhereLeavesTheOldOrTheNewFile) {
    const TFormulaStore store(path);
    for (int k = 0; k < 300; ++k)
        store.Save(Formula(std::to_string(k), std::string(300, 'x')), false);
    // Kill times spread over three saves (and the fork), so some land after the rename.
    const auto start = std::chrono::steady_clock::now();
    store.Save(Formula("timed"), false);
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(20261209);
    std::uniform_int_distribution<long> killAfter(0, saveTime.count() * 3);
    int old = 0, renewed = 0;
    for (int round = 0; round < 150; ++round) {
        const std::size_t before = store.Load().size();
        const pid_t child = ::fork();
        if (child == 0) {
            store.Save(Formula("new " + std::to_string(round)), false);
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(killAfter(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::vector<TSavedFormula> after = store.Load();
        ASSERT_TRUE(after.size() == before || after.size() == before + 1) << round;
        (after.size() == before ? old : renewed)++;
    }
    store.Save(Formula("last"), false);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/zentavo"), {}), 2);
    std::cout << "killed writers: " << old << " left the old file, " << renewed << " the new\n";
}

} // namespace
