// quillmora-cli: imports two word files, runs one combination and writes the phrase file.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "core/Combination.h"
#include "core/RandomIndexSource.h"
#include "core/WordList.h"
#include "textio/FileSystem.h"
#include "textio/PhraseFile.h"
#include "textio/SplitText.h"
#include "textio/TextFile.h"

namespace quillmora {

namespace {

constexpr int kDone = 0;
constexpr int kFileError = 1;
constexpr int kBadCommandLine = 2;

void complain(const std::string& message) {
    std::fprintf(stderr, "quillmora-cli: %s\n", message.c_str());
}

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// The import of the program, except that a file that cannot be read is an error here: a script
// must not get an empty list for a typing mistake. An empty file is an empty list.
bool importWords(const std::optional<std::filesystem::path>& file, const std::string& separator,
                 const char* role, WordList& words) {
    if (!file) {
        return true;
    }
    FileContent content = readWholeFile(*file);
    if (content.problem != FileProblem::None) {
        complain("cannot read " + std::string(role) + " file " + quoted(*file) + ": " +
                 std::string(describe(content.problem)));
        return false;
    }
    const PieceList pieces = splitText(bytesToText(std::move(content.bytes)), separator);
    words.appendEachIfNew(pieces.views());
    return true;
}

// The seed of --seed, handed to the random source as its clock: a fresh source adds an offset
// of 0, so `seedFromClock` then seeds with exactly this value. Set once, before the run.
constinit std::uint32_t givenSeed = 0;
std::uint32_t givenSeedAsClock() noexcept {
    return givenSeed;
}

// Progress on a terminal for runs longer than a second. The clock is looked at only every
// few thousand candidates, so the hook costs a counter and a test.
class Progress {
  public:
    Progress(bool enabled, std::uint64_t total) : enabled_(enabled), total_(total) {}
    ~Progress() {
        if (shown_) {
            show();
            std::fputc('\n', stderr);
        }
    }
    RunDecision beforeCandidate() {
        if (enabled_ && (++seen_ & 0x3FFF) == 0) {
            const auto now = Clock::now();
            if (now - start_ >= std::chrono::seconds(1) &&
                now - lastShown_ >= std::chrono::milliseconds(200)) {
                lastShown_ = now;
                shown_ = true;
                show();
            }
        }
        return RunDecision::Continue;
    }

  private:
    using Clock = std::chrono::steady_clock;
    void show() const {
        const double percent =
            total_ == 0 ? 100.0 : 100.0 * static_cast<double>(seen_) / static_cast<double>(total_);
        std::fprintf(stderr, "\rquillmora-cli: %llu of %llu candidates (%.0f%%)",
                     static_cast<unsigned long long>(seen_),
                     static_cast<unsigned long long>(total_), percent);
    }
    bool enabled_;
    std::uint64_t total_;
    std::uint64_t seen_ = 0;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_ = start_;
};

bool writeAllToStandardOutput(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            complain(std::string("cannot write to standard output: ") + std::strerror(errno));
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The phrase file in blocks, so standard output needs no second copy of every phrase.
bool writePhrasesToStandardOutput(const WordList& combined) {
    std::string block;
    constexpr std::size_t kBlock = 1 << 20;
    block.reserve(kBlock + 64);
    for (WordList::Position p = 0; p < combined.count(); ++p) {
        const std::string_view item = combined.viewAt(p);
        if (item.empty()) {
            continue;
        }
        block.append(item);
        block.append("\r\n");
        if (block.size() >= kBlock) {
            if (!writeAllToStandardOutput(block.data(), block.size())) {
                return false;
            }
            block.clear();
        }
    }
    return writeAllToStandardOutput(block.data(), block.size());
}

int run(const CliOptions& options) {
    if (options.outputFile && std::filesystem::is_directory(*options.outputFile)) {
        complain("cannot write " + quoted(*options.outputFile) + ": " +
                 std::string(describe(FileProblem::IsDirectory)));
        return kFileError;
    }
    WordList mainWords;
    WordList longTailWords;
    if (!importWords(options.mainFile, options.mainSeparator, "main-word", mainWords) ||
        !importWords(options.longTailFile, options.longTailSeparator, "long-tail", longTailWords)) {
        return kFileError;
    }

    givenSeed = options.seed.value_or(0);
    RandomIndexSource source(options.seed ? givenSeedAsClock : systemTickCount);
    WordList combined;
    {
        const auto m = static_cast<std::uint64_t>(mainWords.count());
        const auto l = static_cast<std::uint64_t>(longTailWords.count());
        Progress progress(::isatty(STDERR_FILENO) == 1,
                          options.rules.mode == CombineMode::Random ? m : m * l);
        runCombination(
            mainWords, longTailWords, combined, options.rules, source,
            [&progress] { return progress.beforeCandidate(); }, [](const WordList&) {});
    }
    // The input lists are not needed any more; their memory goes before the output's comes.
    mainWords.clear();
    longTailWords.clear();

    if (!options.outputFile) {
        return writePhrasesToStandardOutput(combined) ? kDone : kFileError;
    }
    Bytes content = phraseFileContent(combined);
    combined.clear();
    if (const FileProblem problem = writeWholeFile(*options.outputFile, content);
        problem != FileProblem::None) {
        complain("cannot write " + quoted(*options.outputFile) + ": " +
                 std::string(describe(problem)));
        return kFileError;
    }
    return kDone;
}

}  // namespace

}  // namespace quillmora

int main(int argc, char** argv) {
    using namespace quillmora;
    // Failed writes come back as errors to report: a closed pipe, a file size limit.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);

    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CliParseResult parsed = parseCliOptions(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "quillmora-cli: %s\n%.*s", parsed.error.c_str(),
                     static_cast<int>(usageText().size()), usageText().data());
        return 2;
    }
    if (parsed.options->showHelp) {
        std::fwrite(usageText().data(), 1, usageText().size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (parsed.options->showVersion) {
        std::printf("quillmora-cli %s\n", QUILLMORA_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    try {
        return run(*parsed.options);
    } catch (const std::bad_alloc&) {
        std::fputs("quillmora-cli: not enough memory\n", stderr);
    } catch (const std::length_error&) {
        std::fputs("quillmora-cli: more phrases than a list can hold\n", stderr);
    }
    return 1;
}
