#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/CombineRules.h"

namespace quillmora {

// What the command line of quillmora-cli asks for.
struct CliOptions {
    std::optional<std::filesystem::path> mainFile;      // left out: no main words
    std::optional<std::filesystem::path> longTailFile;  // left out: no long-tail words
    std::string mainSeparator = "\r\n";
    std::string longTailSeparator = "\r\n";
    CombineRules rules;
    std::optional<std::uint32_t> seed;  // a Random run seeds from the clock without it
    std::optional<std::filesystem::path> outputFile;  // left out: standard output
    bool showHelp = false;
    bool showVersion = false;
};

struct CliParseResult {
    std::optional<CliOptions> options;  // nothing when the command line is wrong
    std::string error;                  // then: what is wrong, in one line
};

// The arguments after the program's name. Pure: reads nothing but its argument.
CliParseResult parseCliOptions(std::span<const std::string_view> arguments);

// A separator as typed: bytes as they are, except \r \n \t \\ and \xHH. Nothing when an escape
// is unknown or incomplete, or gives a NUL byte (which no word can hold).
std::optional<std::string> unescapeSeparator(std::string_view typed);

// The usage message, ending in a line break.
std::string_view usageText() noexcept;

}  // namespace quillmora
