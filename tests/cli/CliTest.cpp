// Runs the built quillmora-cli on small files and checks its bytes, messages and exit status.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace quillmora {
namespace {

using testing::readFile;
using testing::TestFolder;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

struct Launch {
    std::optional<rlim_t> fileSizeLimit;
    std::optional<std::string> stdoutDevice;  // instead of a file we read back
    bool closedPipeAsStdout = false;
};

Launch limitedTo(rlim_t bytes) {
    Launch launch;
    launch.fileSizeLimit = bytes;
    return launch;
}
Launch toDevice(std::string device) {
    Launch launch;
    launch.stdoutDevice = std::move(device);
    return launch;
}
Launch toClosedPipe() {
    Launch launch;
    launch.closedPipeAsStdout = true;
    return launch;
}

CliRun runCli(const TestFolder& folder, std::vector<std::string> arguments, Launch launch = {}) {
    const std::string outFile = (folder / ".stdout").string();
    const std::string errFile = (folder / ".stderr").string();
    int pipeEnds[2] = {-1, -1};
    if (launch.closedPipeAsStdout && ::pipe(pipeEnds) != 0) {
        std::abort();
    }
    arguments.insert(arguments.begin(), QUILLMORA_CLI);
    std::vector<char*> argv;
    for (auto& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        int out;
        if (launch.closedPipeAsStdout) {
            out = pipeEnds[1];
            ::close(pipeEnds[0]);
        } else {
            out = ::open(launch.stdoutDevice ? launch.stdoutDevice->c_str() : outFile.c_str(),
                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        }
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (launch.fileSizeLimit) {
            const rlimit limit{*launch.fileSizeLimit, *launch.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (launch.closedPipeAsStdout) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CliRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = launch.stdoutDevice || launch.closedPipeAsStdout ? "" : readFile(outFile);
    run.err = readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return run;
}

class Cli : public ::testing::Test {
  protected:
    TestFolder folder;
    std::string mainFile = folder.write("main.txt", "one\r\ntwo\r\nsix\r\n").string();
    std::string tailFile = folder.write("tail.txt", "x\r\ny\r\nz\r\n").string();
    std::string out = (folder / "out.txt").string();
};

TEST_F(Cli, SequentialPhrasesToStandardOutputAndToAFile) {
    const CliRun run = runCli(folder, {"--main", mainFile, "--tail", tailFile});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected =
        "onex\r\noney\r\nonez\r\ntwox\r\ntwoy\r\ntwoz\r\nsixx\r\nsixy\r\nsixz\r\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(runCli(folder, {"--main", mainFile, "--tail", tailFile, "-o", out}).status, 0);
    EXPECT_EQ(readFile(out), expected);
}

TEST_F(Cli, TailFirstStillWalksTheMainWordsOutside) {
    const CliRun run =
        runCli(folder, {"--main", mainFile, "--tail", tailFile, "--order", "tail-first"});
    EXPECT_EQ(run.out, "xone\r\nyone\r\nzone\r\nxtwo\r\nytwo\r\nztwo\r\nxsix\r\nysix\r\nzsix\r\n");
}

TEST_F(Cli, ARandomRunWithASeedGivesTheDrawsOfThatSeed) {
    const std::vector<std::string> arguments = {"--main", mainFile, "--tail", tailFile,
                                                "--mode", "random", "--seed", "1"};
    const CliRun first = runCli(folder, arguments);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "onez\r\ntwoz\r\nsixy\r\n");
    EXPECT_EQ(runCli(folder, arguments).out, first.out);
    // Without a tail every main word is a phrase by itself.
    EXPECT_EQ(runCli(folder, {"--main", mainFile, "--mode", "random"}).out,
              "one\r\ntwo\r\nsix\r\n");
}

TEST_F(Cli, SeparatorsWithEscapesDuplicatesAndEmptyPieces) {
    const auto commas = folder.write("commas.txt", "a,b,,a,\xB0,c").string();
    const auto tabs = folder.write("tabs.txt", "1\t2\t").string();
    EXPECT_EQ(
        runCli(folder, {"--main", commas, "--main-sep", ",", "--tail", tabs, "--tail-sep", "\\t"})
            .out,
        "a1\r\na2\r\nb1\r\nb2\r\n\xB0,c1\r\n\xB0,c2\r\n");
    EXPECT_EQ(runCli(folder, {"--main", commas, "--main-sep", "\\x2c"}).status, 0);
    EXPECT_EQ(runCli(folder, {"--main", mainFile, "--main-sep", "", "--mode", "random"}).out,
              "one\r\ntwo\r\nsix\r\n\r\n");
    // An empty file is an empty list, and no phrase gives an empty file.
    const auto empty = folder.write("empty.txt", "").string();
    EXPECT_EQ(runCli(folder, {"--main", mainFile, "--tail", empty, "-o", out}).status, 0);
    EXPECT_EQ(readFile(out), "");
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(Cli, AFileThatCannotBeReadIsAnErrorAndTouchesNoOutput) {
    std::filesystem::create_directory(folder / "dir");
    const auto big = folder / "big.txt";
    std::ofstream(big).put('x');
    std::filesystem::resize_file(big, std::uint64_t{1} << 31);
    const auto held = folder.write("held.txt", "w\r\n");
    const int lock = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    struct Case {
        std::vector<std::string> arguments;
        std::string named;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"--main", (folder / "missing.txt").string()}, "missing.txt", "no such file"},
        {{"--tail", (folder / "dir").string()}, "dir", "folder"},
        {{"--main", big.string()}, "big.txt", "2 GiB"},
        {{"--main", mainFile, "--tail", held.string()}, "held.txt", "in use"},
    };
    folder.write("old.txt", "old\r\n");
    for (const auto& c : cases) {
        for (const std::string target : {"old.txt", "new.txt"}) {
            auto arguments = c.arguments;
            arguments.push_back("-o");
            arguments.push_back((folder / target).string());
            const CliRun run = runCli(folder, arguments);
            EXPECT_EQ(run.status, 1) << c.named;
            EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
    ::close(lock);
    EXPECT_EQ(readFile(folder / "old.txt"), "old\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "new.txt"));
}

TEST_F(Cli, AnOutputThatCannotBeWrittenIsAnError) {
    const auto readOnly = folder.write("readonly.txt", "old");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    std::filesystem::create_directory(folder / "dir");
    for (const auto& target : {readOnly, folder / "dir", folder / "missing" / "x.txt"}) {
        const CliRun run = runCli(folder, {"--main", mainFile, "-o", target.string()});
        EXPECT_EQ(run.status, 1) << target;
        EXPECT_NE(run.err.find(target.filename().string()), std::string::npos) << run.err;
    }
    EXPECT_EQ(readFile(readOnly), "old");

    // A full disk: the old file stays whole and no temporary file is left.
    folder.write("phrases.txt", "old\r\n");
    std::string many;
    for (int i = 0; i < 5000; ++i) {
        many += "word" + std::to_string(i) + "\r\n";
    }
    const auto manyFile = folder.write("many.txt", many).string();
    const auto before = folder.entries();
    const CliRun full = runCli(
        folder, {"--main", manyFile, "--tail", tailFile, "-o", (folder / "phrases.txt").string()},
        limitedTo(8192));
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("disk full"), std::string::npos) << full.err;
    EXPECT_EQ(readFile(folder / "phrases.txt"), "old\r\n");
    EXPECT_EQ(folder.entries(), before);
}

TEST_F(Cli, StandardOutputThatFailsIsAnError) {
    const CliRun full =
        runCli(folder, {"--main", mainFile, "--tail", tailFile}, toDevice("/dev/full"));
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("standard output"), std::string::npos) << full.err;
    const CliRun closed = runCli(folder, {"--main", mainFile, "--tail", tailFile}, toClosedPipe());
    EXPECT_EQ(closed.status, 1);
    EXPECT_NE(closed.err.find("standard output"), std::string::npos) << closed.err;
}

TEST_F(Cli, BadCommandLinesGiveTheUsageAndStatus2) {
    for (const auto& arguments :
         {std::vector<std::string>{"--mode", "shuffle"}, {"--seed", "-3"}, {"stray"}, {"-o"}}) {
        const CliRun run = runCli(folder, arguments);
        EXPECT_EQ(run.status, 2) << arguments.front();
        EXPECT_NE(run.err.find("Usage: quillmora-cli"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const CliRun help = runCli(folder, {"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quillmora-cli", 0), 0u);
    EXPECT_EQ(help.err, "");
    const CliRun version = runCli(folder, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillmora-cli ", 0), 0u);
    // Nothing given: no words, no phrases, an empty output.
    const CliRun nothing = runCli(folder, {});
    EXPECT_EQ(nothing.status, 0);
    EXPECT_EQ(nothing.out, "");
}

}  // namespace
}  // namespace quillmora
