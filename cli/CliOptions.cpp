#include "cli/CliOptions.h"

#include <charconv>

namespace quillmora {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

CliParseResult failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

std::optional<std::string> unescapeSeparator(std::string_view typed) {
    std::string bytes;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] != '\\') {
            bytes.push_back(typed[i]);
            continue;
        }
        if (++i == typed.size()) {
            return std::nullopt;
        }
        switch (typed[i]) {
            case 'r':
                bytes.push_back('\r');
                break;
            case 'n':
                bytes.push_back('\n');
                break;
            case 't':
                bytes.push_back('\t');
                break;
            case '\\':
                bytes.push_back('\\');
                break;
            case 'x': {
                if (i + 2 >= typed.size()) {
                    return std::nullopt;
                }
                const int high = hexDigit(typed[i + 1]);
                const int low = hexDigit(typed[i + 2]);
                if (high < 0 || low < 0 || (high == 0 && low == 0)) {
                    return std::nullopt;
                }
                bytes.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return bytes;
}

CliParseResult parseCliOptions(std::span<const std::string_view> arguments) {
    CliOptions options;
    bool seen[8] = {};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> inlineValue;
        if (name.starts_with("--")) {
            if (const auto equals = name.find('='); equals != std::string_view::npos) {
                inlineValue = name.substr(equals + 1);
                name = name.substr(0, equals);
            }
        }
        if (name == "-h" || name == "--help") {
            options.showHelp = true;
            continue;
        }
        if (name == "--version") {
            options.showVersion = true;
            continue;
        }

        static constexpr std::string_view kValued[] = {
            "--main", "--tail", "--main-sep", "--tail-sep", "--mode", "--order", "--seed", "-o"};
        std::size_t which = std::size(kValued);
        for (std::size_t k = 0; k < std::size(kValued); ++k) {
            if (name == kValued[k]) {
                which = k;
            }
        }
        if (which == std::size(kValued) || (inlineValue && name == "-o")) {
            return failure("unknown option '" + std::string(arguments[i]) + "'");
        }
        if (seen[which]) {
            return failure("option '" + std::string(name) + "' given more than once");
        }
        seen[which] = true;
        if (!inlineValue) {
            if (i + 1 == arguments.size()) {
                return failure("option '" + std::string(name) + "' needs a value");
            }
            inlineValue = arguments[++i];
        }
        const std::string_view value = *inlineValue;
        const std::string bad = "bad value '" + std::string(value) + "' for " + std::string(name);

        if (name == "--main" || name == "--tail" || name == "-o") {
            if (value.empty()) {
                return failure("option '" + std::string(name) + "' needs a file name");
            }
            auto& file = name == "--main"   ? options.mainFile
                         : name == "--tail" ? options.longTailFile
                                            : options.outputFile;
            file = std::filesystem::path(std::string(value));
        } else if (name == "--main-sep" || name == "--tail-sep") {
            auto separator = unescapeSeparator(value);
            if (!separator) {
                return failure(bad + " (escapes are \\r \\n \\t \\\\ and \\xHH, not \\x00)");
            }
            (name == "--main-sep" ? options.mainSeparator : options.longTailSeparator) =
                std::move(*separator);
        } else if (name == "--mode") {
            if (value == "sequential") {
                options.rules.mode = CombineMode::Sequential;
            } else if (value == "random") {
                options.rules.mode = CombineMode::Random;
            } else {
                return failure(bad + " (sequential or random)");
            }
        } else if (name == "--order") {
            if (value == "main-first") {
                options.rules.order = CombineOrder::MainFirst;
            } else if (value == "tail-first") {
                options.rules.order = CombineOrder::LongTailFirst;
            } else {
                return failure(bad + " (main-first or tail-first)");
            }
        } else {
            options.seed = parseSeed(value);
            if (!options.seed) {
                return failure(bad + " (a whole number from 0 to 4294967295)");
            }
        }
    }
    return {std::move(options), {}};
}

std::string_view usageText() noexcept {
    return R"(Usage: quillmora-cli [--main FILE] [--tail FILE] [--main-sep SEP] [--tail-sep SEP]
                     [--mode sequential|random] [--order main-first|tail-first]
                     [--seed N] [-o FILE] [-h|--help] [--version]

Joins main words with long-tail words into phrases, drops empty and duplicate
phrases, and writes one phrase per line, each line ending in CR LF.

  --main FILE       main words (left out: none)
  --tail FILE       long-tail words (left out: none)
  --main-sep SEP    what separates the words of the main-word file (default: CR LF)
  --tail-sep SEP    the same for the long-tail file (default: CR LF)
                    SEP is taken byte for byte except the escapes \r \n \t \\ \xHH;
                    an empty SEP makes the whole file one word
  --mode MODE       sequential: every main word with every long-tail word (default)
                    random: each main word with one drawn long-tail word
  --order ORDER     main-first: main word, then long-tail word (default)
                    tail-first: long-tail word, then main word
  --seed N          seed of a random run, 0 to 4294967295 (default: from the clock)
  -o FILE           write to FILE, which is replaced only once complete
                    (default: standard output)
  -h, --help        show this help
  --version         show the version

Exit status: 0 done, 1 a file could not be read or written, 2 a bad command line.
)";
}

}  // namespace quillmora
