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
#include "textio/FileReplacement.h"
#include "textio/FileSystem.h"
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

// Progress on a terminal for runs longer than a second. The clock is looked at only every
// few thousand candidates, so the hook costs a counter and a test.
class Progress {
  public:
    Progress(bool enabled, std::uint64_t total) : enabled_(enabled), total_(total) {}
    // Ends the progress line, if one was shown.
    void finish() {
        if (shown_) {
            show();
            std::fputc('\n', stderr);
            shown_ = false;
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

// Where the phrase file goes: a file, which is replaced only once complete, or standard
// output. Phrases arrive as the run appends them and leave in blocks, so the phrase file is
// never built in memory beside the list that holds the same phrases.
class PhraseSink {
  public:
    explicit PhraseSink(const std::optional<std::filesystem::path>& file) : file_(file) {
        if (file_) {
            replacement_.emplace(*file_);
            if (replacement_->problem() != FileProblem::None) {
                complainAboutFile(replacement_->problem());
            }
        }
        block_.reserve(kBlock + 256);
    }

    [[nodiscard]] bool failed() const noexcept { return failed_; }

    void add(std::string_view phrase) {
        if (phrase.empty() || failed_) {
            return;
        }
        block_.append(phrase);
        block_.append("\r\n");
        if (block_.size() >= kBlock) {
            flush();
        }
    }

    // Writes what is left and, for a file, puts it in place of the old one.
    bool finish() {
        flush();
        if (failed_ || !replacement_) {
            return !failed_;
        }
        if (const FileProblem problem = replacement_->commit(); problem != FileProblem::None) {
            complainAboutFile(problem);
        }
        return !failed_;
    }

  private:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;

    void complainAboutFile(FileProblem problem) {
        failed_ = true;
        complain("cannot write " + quoted(*file_) + ": " + std::string(describe(problem)));
    }

    void flush() {
        if (failed_ || block_.empty()) {
            return;
        }
        if (replacement_) {
            if (const FileProblem problem = replacement_->write(block_);
                problem != FileProblem::None) {
                complainAboutFile(problem);
            }
        } else {
            writeToStandardOutput();
        }
        block_.clear();
    }

    void writeToStandardOutput() {
        const char* data = block_.data();
        std::size_t size = block_.size();
        while (size > 0) {
            const ssize_t n = ::write(STDOUT_FILENO, data, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                failed_ = true;
                complain(std::string("cannot write to standard output: ") + std::strerror(errno));
                return;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

    std::optional<std::filesystem::path> file_;
    std::optional<FileReplacement> replacement_;
    std::string block_;
    bool failed_ = false;
};

int run(const CliOptions& options) {
    WordList mainWords;
    WordList longTailWords;
    if (!importWords(options.mainFile, options.mainSeparator, "main-word", mainWords) ||
        !importWords(options.longTailFile, options.longTailSeparator, "long-tail", longTailWords)) {
        return kFileError;
    }
    // Opened before the run, so a target that cannot be replaced is told at once.
    PhraseSink sink(options.outputFile);
    if (sink.failed()) {
        return kFileError;
    }

    // --seed stands in for the clock: a fresh source adds an offset of 0, so it seeds with
    // exactly the value given.
    RandomIndexSource source = options.seed
                                   ? RandomIndexSource([seed = *options.seed] { return seed; })
                                   : RandomIndexSource();
    WordList combined;
    const auto m = static_cast<std::uint64_t>(mainWords.count());
    const auto l = static_cast<std::uint64_t>(longTailWords.count());
    Progress progress(::isatty(STDERR_FILENO) == 1,
                      options.rules.mode == CombineMode::Random ? m : m * l);
    runCombination(
        mainWords, longTailWords, combined, options.rules, source,
        // A failed output (a full disk, a closed pipe) ends the run: nothing more can be kept.
        [&] { return sink.failed() ? RunDecision::Stop : progress.beforeCandidate(); },
        // The combined list starts empty, so the phrases in the order they are added are
        // exactly the phrase file.
        [&sink](const WordList& list) { sink.add(list.viewAt(list.count() - 1)); });
    progress.finish();
    return sink.finish() ? kDone : kFileError;
}

}  // namespace

}  // namespace quillmora

int main(int argc, char** argv) {
    using namespace quillmora;
    // Failed writes come back as errors to report: a closed pipe, a file size limit.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif

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
