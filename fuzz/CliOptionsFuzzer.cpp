// The command line of quillmora-cli. Input: the arguments, separated by NUL bytes (an argument
// can hold no NUL). Nothing may crash; an accepted command line, written back out in plain
// form, must parse to the same options; a separator escaped byte by byte must decode to
// exactly those bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"
#include "fuzz/FuzzCheck.h"

namespace {

using quillmora::CliOptions;

// Escapes every byte that needs it, and some that do not, both ways the tool accepts.
std::string escape(std::string_view bytes) {
    static constexpr char kUpper[] = "0123456789ABCDEF";
    static constexpr char kLower[] = "0123456789abcdef";
    std::string typed;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        switch (byte) {
            case '\\':
                typed += "\\\\";
                break;
            case '\r':
                typed += "\\r";
                break;
            case '\n':
                typed += "\\n";
                break;
            case '\t':
                typed += i % 2 == 0 ? "\\t" : "\\x09";
                break;
            default:
                if (byte >= 0x80 && byte % 3 != 0) {
                    const char* digits = i % 2 == 0 ? kUpper : kLower;
                    typed += "\\x";
                    typed += digits[byte >> 4];
                    typed += digits[byte & 15];
                } else {
                    typed += static_cast<char>(byte);
                }
        }
    }
    return typed;
}

std::vector<std::string> plainForm(const CliOptions& o) {
    std::vector<std::string> args;
    if (o.mainFile) {
        args.insert(args.end(), {"--main", o.mainFile->string()});
    }
    if (o.longTailFile) {
        args.insert(args.end(), {"--tail", o.longTailFile->string()});
    }
    args.insert(args.end(), {"--main-sep", escape(o.mainSeparator)});
    args.push_back("--tail-sep=" + escape(o.longTailSeparator));
    args.insert(
        args.end(),
        {"--mode", o.rules.mode == quillmora::CombineMode::Random ? "random" : "sequential"});
    args.push_back(o.rules.order == quillmora::CombineOrder::LongTailFirst ? "--order=tail-first"
                                                                           : "--order=main-first");
    if (o.seed) {
        args.push_back("--seed=" + std::to_string(*o.seed));
    }
    if (o.outputFile) {
        args.insert(args.end(), {"-o", o.outputFile->string()});
    }
    if (o.showHelp) {
        args.push_back("--help");
    }
    if (o.showVersion) {
        args.push_back("--version");
    }
    return args;
}

quillmora::CliParseResult parse(const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    return quillmora::parseCliOptions(views);
}

bool same(const CliOptions& a, const CliOptions& b) {
    return a.mainFile == b.mainFile && a.longTailFile == b.longTailFile &&
           a.mainSeparator == b.mainSeparator && a.longTailSeparator == b.longTailSeparator &&
           a.rules.mode == b.rules.mode && a.rules.order == b.rules.order && a.seed == b.seed &&
           a.outputFile == b.outputFile && a.showHelp == b.showHelp &&
           a.showVersion == b.showVersion;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> args;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    const auto result = parse(args);
    FUZZ_CHECK(result.options.has_value() == result.error.empty());
    if (result.options) {
        FUZZ_CHECK(result.options->mainSeparator.find('\0') == std::string::npos);
        FUZZ_CHECK(result.options->longTailSeparator.find('\0') == std::string::npos);
        const auto again = parse(plainForm(*result.options));
        FUZZ_CHECK(again.options && same(*again.options, *result.options));
    }

    // Every argument taken as a typed separator: a decoded one holds no NUL and survives
    // escaping back; and each argument's bytes, escaped, decode to exactly those bytes.
    for (const auto& arg : args) {
        if (const auto decoded = quillmora::unescapeSeparator(arg)) {
            FUZZ_CHECK(decoded->find('\0') == std::string::npos);
            FUZZ_CHECK(decoded->size() <= arg.size());
            FUZZ_CHECK(quillmora::unescapeSeparator(escape(*decoded)) == decoded);
            if (arg.find('\\') == std::string::npos) {
                FUZZ_CHECK(*decoded == arg);
            }
        }
        FUZZ_CHECK(quillmora::unescapeSeparator(escape(arg)) == arg);
        const auto viaOption = parse({"--tail-sep", escape(arg)});
        FUZZ_CHECK(viaOption.options && viaOption.options->longTailSeparator == arg);
    }
    return 0;
}
