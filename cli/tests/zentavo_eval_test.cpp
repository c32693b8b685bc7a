// zentavo-eval as a user runs it: the real program, its output, error texts and
// exit codes, the locale, and table mode over standard input.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "session/formula_store.h"

extern char** environ;

namespace {

struct TRun {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(fd);
    return text;
}

// Runs a program with the arguments, standard input and locale given.
TRun RunEvalProgram(std::string program, const std::vector<std::string>& arguments,
                    const std::string& input = "", const std::string& lang = "C.UTF-8") {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LANG=", 5) != 0 && std::strncmp(*e, "LC_", 3) != 0)
            env.emplace_back(*e);
    env.push_back("LANG=" + lang);
    std::vector<char*> envp, argv;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    argv.push_back(program.data());
    std::vector<std::string> args = arguments;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int in[2], out[2], err[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    pid_t pid;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    // Inputs are small, so writing everything before reading cannot block. A program
    // that stops before reading (a formula that does not compile) may have closed
    // its end already: that write fails with EPIPE instead of raising SIGPIPE here.
    signal(SIGPIPE, SIG_IGN);
    const ssize_t written = write(in[1], input.data(), input.size());
    EXPECT_TRUE(written == static_cast<ssize_t>(input.size()) || errno == EPIPE);
    close(in[1]);
    TRun run;
    run.out = ReadAll(out[0]);
    run.err = ReadAll(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs zentavo-eval with the arguments, standard input and locale given.
TRun RunEval(const std::vector<std::string>& arguments, const std::string& input = "",
             const std::string& lang = "C.UTF-8") {
    return RunEvalProgram(ZENTAVO_EVAL_PATH, arguments, input, lang);
}

struct TCase {
    const char* rule;
    std::vector<std::string> arguments;
    int status;
    const char* out;
    const char* err;
};

TEST(ZentavoEval, SingleFormula) {
    const TCase cases[] = {
        {"the worked example", {"5.22 - 5.44E-4 * (x - 817)", "x=2"}, 0, "5.66336\n", ""},
        {"fifteen digits", {"1/3"}, 0, "0.333333333333333\n", ""},
        {"shortest round trip", {"--full", "1/3"}, 0, "0.3333333333333333\n", ""},
        {"formula beginning with minus", {"-x*2", "x=3"}, 0, "-6\n", ""},
        {"double dash ends the options", {"--", "--x", "x=3"}, 0, "3\n", ""},
        {"blanks around a value", {"x+1", "x= 2 "}, 0, "3\n", ""},
        {"built-in functions", {"power(2;10)+pythag(3;4)"}, 0, "1029\n", ""},
        {"scientific notation", {"x*1E-5", "x=1"}, 0, "1E-5\n", ""},
        {"empty value", {"x", "x="}, 1, "", "Nothing assigned to one of the variables.\n"},
        {"bad value", {"x", "x=2,5"}, 1, "", "'2,5' is not a valid floating point value.\n"},
        {"parse error", {"2+"}, 1, "", "Parse error: Factor expected.\n"},
        {"unknown name keeps its quote", {"foo"}, 1, "", "Parse error: Unknown symbol: 'foo'\n"},
        {"division by zero", {"1/x", "x=0"}, 1, "", "Floating point division by zero.\n"},
        {"duplicate names", {"x", "x=1", "X=2"}, 1, "", "Duplicate hash list entry: X.\n"},
        {"empty formula", {""}, 1, "", "List index out of bounds (0)\n"},
    };
    for (const auto& c : cases) {
        TRun run = RunEval(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.rule;
        if (*c.out) {
            EXPECT_EQ(run.out, c.out) << c.rule;
        }
        EXPECT_EQ(run.err, c.err) << c.rule;
    }
}

TEST(ZentavoEval, FullRoundTripsThroughTheReader) {
    TRun run = RunEval({"--full", "x/7", "x=1"});
    ASSERT_EQ(run.status, 0);
    TRun back = RunEval({"--full", "y*7", "y=" + run.out.substr(0, run.out.size() - 1)});
    EXPECT_EQ(back.out, "1\n");
}

TEST(ZentavoEval, GermanLocaleUsesTheComma) {
    TRun run = RunEval({"x/4", "x=2,5"}, "", "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0,625\n");
    run = RunEval({"x", "x=2.5"}, "", "de_DE.UTF-8");
    EXPECT_EQ(run.err, "'2.5' is not a valid floating point value.\n");
}

TEST(ZentavoEval, TableKeepsGoingAfterAnErrorRow) {
    TRun run = RunEval({"--table", "a;b", "a/b"}, "1;2\n\n3\t0\n4;5;6\n  \n9;x\n8;2\r\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0.5\n"
                       "error: Row is blank, expected a;b.\n"
                       "error: Floating point division by zero.\n"
                       "error: Row has 3 fields, expected 2.\n"
                       "error: Row is blank, expected a;b.\n"
                       "error: 'x' is not a valid floating point value.\n"
                       "4\n")
        << "one output line per input line, in order";
    run = RunEval({"--table", "a", "a*2"}, "1\n2\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2\n4\n");
}

TEST(ZentavoEval, TableCompileErrorStopsBeforeReading) {
    TRun run = RunEval({"--table", "a", "a+"}, "1\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Parse error: Factor expected.\n");
}

// Runs a shell command line in which $EVAL names the program.
TRun RunShell(const std::string& command) {
    return RunEvalProgram("/bin/bash", {"-c", "EVAL=" ZENTAVO_EVAL_PATH "; " + command});
}

// A result that cannot be written is a failure with the system's reason, never 0.
TEST(ZentavoEval, WriteAndReadFailuresAreErrors) {
    const struct {
        const char* rule;
        std::string command;
        std::string err;
    } cases[] = {
        {"full disk", "$EVAL 1+1 >/dev/full",
         "zentavo-eval: write error: No space left on device\n"},
        {"closed output", "$EVAL 1+1 >&-", "zentavo-eval: write error: Bad file descriptor\n"},
        {"reader gone, SIGPIPE ignored",
         "trap '' PIPE; seq 100000 2>/dev/null | $EVAL --table a a | head -n 1 >/dev/null; exit "
         "${PIPESTATUS[1]}",
         "zentavo-eval: write error: Broken pipe\n"},
        {"input is a directory", "$EVAL --table a a </",
         "zentavo-eval: read error: Is a directory\n"},
    };
    for (const auto& c : cases) {
        const TRun run = RunShell(c.command);
        EXPECT_EQ(run.status, 1) << c.rule;
        EXPECT_EQ(run.err, c.err) << c.rule;
    }
}

// A reader at the other end of a pipe gets each result as soon as its row is
// complete, while the input stays open.
TEST(ZentavoEval, TableAnswersEachRowAtOnce) {
    const TRun run = RunShell("coproc $EVAL --table a a*2; echo 3 >&${COPROC[1]}; "
                              "read -t 10 line <&${COPROC[0]} && echo \"$line\"");
    EXPECT_EQ(run.out, "6\n");
}

// Control bytes of the user's text reach the terminal escaped, a NUL included.
TEST(ZentavoEval, ControlBytesAreEscaped) {
    TRun run = RunEval({"--table", "a", "a"}, std::string("1\0x\n\x1b[31m\n", 10));
    EXPECT_EQ(run.out, "error: '1\\x00x' is not a valid floating point value.\n"
                       "error: '\\x1B[31m' is not a valid floating point value.\n");
    run = RunEval({"x", "x=\x1b[2J"});
    EXPECT_EQ(run.err, "'\\x1B[2J' is not a valid floating point value.\n");
    // C1 controls raw and in UTF-8, a tab and a backslash read back unambiguously;
    // other UTF-8 stays as it is; usage errors quote safely too.
    run = RunEval({"x", "x=\x9b\xc2\x9b\t2\\\xc3\xa4"});
    EXPECT_EQ(run.err, "'\\x9B\\xC2\\x9B\\t2\\\\\xc3\xa4' is not a valid floating point value.\n");
    run = RunEval({"1", "\x1b[31mfoo"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "zentavo-eval: '\\x1B[31mfoo' is not of the form NAME=VALUE");
}

// A row larger than the memory allowed is an error row; the rows after it compute.
TEST(ZentavoEval, RowTooLargeForMemoryIsAnErrorRow) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit allows";
#endif
    const TRun run = RunShell("ulimit -v 250000; { echo 1; head -c 300000000 /dev/zero | "
                              "tr '\\0' 1; echo; echo 2; } | $EVAL --table a a*2");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2\nerror: out of memory\n4\n");
}

// --sweep prints x;F per point, a failed point as an error, exit 1 if any failed.
TEST(ZentavoEval, SweepPrintsOnePointPerLine) {
    TRun run = RunEval({"--sweep", "x=-1:1:3", "ln(x)+y", "y=1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "-1;error: Invalid floating point operation.\n"
                       "0;error: Floating point division by zero.\n1;1\n");
    run = RunEval({"--sweep", "x=1:100:3", "--log", "x/2"}, "", "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1;0,5\n10;5\n100;50\n");
    run = RunEval({"--sweep", "x=1:2:1", "x"});
    EXPECT_EQ(run.err, "Points must be a whole number from 2 to 1000000.\n");
    EXPECT_EQ(RunEval({"--sweep", "x=1:2", "x"}).status, 2);
}

// --solve prints the findings by x, then the extremes; exit 1 without a root.
TEST(ZentavoEval, SolvePrintsFindingsAndTellsWhenThereIsNoRoot) {
    TRun run = RunEval({"--solve", "x=0:3:301", "--target", "1", "tan(x)+1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find("min;")), "root;0\npole;1.5707963267949\n");
    EXPECT_NE(run.out.find("\nmax;"), std::string::npos);
    run = RunEval({"--solve", "x=0:2", "--full", "power(x-y;2)", "y=0,5"}, "", "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "touch;0,5\nmin;0,5;0\nmax;2;2,25\n");
    run = RunEval({"--solve", "x=-1:1:5", "ln(x)-2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "min;0.5;-2.69314718055995\nmax;1;-2\n");
    EXPECT_EQ(run.err, "zentavo-eval: 3 of 5 samples failed: Invalid floating point operation.\n"
                       "zentavo-eval: no root of F = 0 between -1 and 1\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--solve", "x=0:1", "--sweep", "x=0:1:2", "x"},
          {"--table", "x", "--solve", "x=0:1", "x"},
          {"--target", "1", "x"},
          {"--solve", "x=0", "x"}})
        EXPECT_EQ(RunEval(args).status, 2) << args[0] << " " << args[2];
    EXPECT_EQ(RunEval({"--solve", "x=0:1", "--target", "a", "x"}).err,
              "'a' is not a valid floating point value.\n");
}

TEST(ZentavoEval, UsageAndHelp) {
    TRun run = RunEval({});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: zentavo-eval"), std::string::npos);
    run = RunEval({"x", "novalue"});
    EXPECT_EQ(run.status, 2);
    run = RunEval({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* name : {"usage:", "pi", "evolt", "arcsinh(x)", "logbasen(x;y)"})
        EXPECT_NE(run.out.find(name), std::string::npos) << name;
}

// Saved formulas, read from a folder of the test's own and never written.
TEST(ZentavoEval, SavedFormulasByNameWithOverridesAndList) {
    char folder[] = "/tmp/zentavo-eval-store-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    setenv("XDG_DATA_HOME", folder, 1);
    const std::string path = std::string(folder) + "/zentavo/formulas.json";
    const TFormulaStore store(path);
    store.Save({"Quader", "l;b;h", {"2,5", "4"}, "l*b*h", {}}, false);
    store.Save({"Ärger", "x", {"1"}, "x*x-2", {}}, false);
    const auto bytes = [&] {
        return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
    };
    const std::string before = bytes();

    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--formula", "quader"}, 0, "20\n", ""}, // h empty: 2
        {{"--formula", "QUADER", "h=0,5", "z=1"}, 0, "5\n", ""},
        {{"--full", "--solve", "x=0:2", "--formula", "ärger"},
         0,
         "root;1,414213562373095\nmin;0;-2\nmax;2;2\n",
         ""},
        {{"--sweep", "x=0:1:2", "--formula", "Ärger"}, 0, "0;-2\n1;-1\n", ""},
        {{"--list"}, 0, "Quader;l;b;h;l*b*h\nÄrger;x;x*x-2\n", ""},
        {{"--formula", "nope"}, 1, "", "zentavo-eval: no saved formula 'nope'\n"},
        {{"--list", "x"}, 2, "", nullptr},
        {{"--formula", "Quader", "l*2"}, 2, "", nullptr},
    };
    for (const auto& c : cases) {
        const TRun run = RunEval(c.arguments, "", "de_DE.UTF-8");
        EXPECT_EQ(run.status, c.status) << c.arguments.back();
        EXPECT_EQ(run.out, c.out) << c.arguments.back();
        if (c.err) {
            EXPECT_EQ(run.err, c.err) << c.arguments.back();
        }
    }
    EXPECT_EQ(RunEval({"--table", "--formula", "quader"}, "1;1;1\n2;2;2\n").out, "1\n8\n");
    EXPECT_EQ(bytes(), before) << "the command line never writes the store";

    std::ofstream(path) << "{";
    const TRun damaged = RunEval({"--list"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.err.find("zentavo-eval: The saved formulas in '" + path + "' cannot be read"),
              0u)
        << damaged.err;
    std::filesystem::remove_all(folder);
    unsetenv("XDG_DATA_HOME");
}

} // namespace
