#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmora {
namespace {

CliParseResult parse(std::vector<std::string_view> arguments) {
    return parseCliOptions(arguments);
}

TEST(CliOptions, DefaultsWhenNothingIsGiven) {
    const auto result = parse({});
    ASSERT_TRUE(result.options);
    const CliOptions& o = *result.options;
    EXPECT_FALSE(o.mainFile);
    EXPECT_FALSE(o.longTailFile);
    EXPECT_EQ(o.mainSeparator, "\r\n");
    EXPECT_EQ(o.longTailSeparator, "\r\n");
    EXPECT_EQ(o.rules, CombineRules{});
    EXPECT_FALSE(o.seed);
    EXPECT_FALSE(o.outputFile);
    EXPECT_FALSE(o.showHelp);
    EXPECT_FALSE(o.showVersion);
}

TEST(CliOptions, EveryOptionInBothSpellings) {
    const auto result =
        parse({"--main", "m.txt", "--tail=t.txt", "--main-sep", ",", "--tail-sep=", "--mode",
               "random", "--order=tail-first", "--seed", "4294967295", "-o", "out.txt"});
    ASSERT_TRUE(result.options) << result.error;
    const CliOptions& o = *result.options;
    EXPECT_EQ(o.mainFile, std::filesystem::path("m.txt"));
    EXPECT_EQ(o.longTailFile, std::filesystem::path("t.txt"));
    EXPECT_EQ(o.mainSeparator, ",");
    EXPECT_EQ(o.longTailSeparator, "");
    EXPECT_EQ(o.rules.mode, CombineMode::Random);
    EXPECT_EQ(o.rules.order, CombineOrder::LongTailFirst);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.outputFile, std::filesystem::path("out.txt"));
    EXPECT_TRUE(parse({"-h"}).options->showHelp);
    EXPECT_TRUE(parse({"--help"}).options->showHelp);
    EXPECT_TRUE(parse({"--version"}).options->showVersion);
    EXPECT_EQ(parse({"--seed", "0"}).options->seed, 0u);
    EXPECT_EQ(parse({"--mode=sequential", "--order", "main-first"}).options->rules, CombineRules{});
}

TEST(CliOptions, WrongCommandLinesSayWhat) {
    const std::vector<std::vector<std::string_view>> wrong = {
        {"--mian", "m.txt"},
        {"m.txt"},
        {"--main"},
        {"--main", ""},
        {"-o"},
        {"-o=x"},
        {"--mode", "Random"},
        {"--order", "main"},
        {"--seed", "-1"},
        {"--seed", "4294967296"},
        {"--seed", ""},
        {"--seed", "0x10"},
        {"--seed", "+1"},
        {"--seed", "1.0"},
        {"--main-sep", "\\q"},
        {"--tail-sep", "\\"},
        {"--main-sep", "\\x4"},
        {"--main-sep", "\\x00"},
        {"--main", "a", "--main", "b"},
    };
    for (const auto& arguments : wrong) {
        const auto result = parse(arguments);
        EXPECT_FALSE(result.options) << arguments.front();
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(UnescapeSeparator, BytesAsTypedExceptTheEscapes) {
    EXPECT_EQ(unescapeSeparator("\\r\\n"), "\r\n");
    EXPECT_EQ(unescapeSeparator("\\t"), "\t");
    EXPECT_EQ(unescapeSeparator("a\\\\b"), "a\\b");
    EXPECT_EQ(unescapeSeparator("\\x2C\\xb0\\xA1"), ",\xB0\xA1");
    EXPECT_EQ(unescapeSeparator("\xBB\xD8\xB3\xB5\xB7\xFB"), "\xBB\xD8\xB3\xB5\xB7\xFB");
    EXPECT_EQ(unescapeSeparator(""), "");
    EXPECT_EQ(unescapeSeparator(" , "), " , ");
    EXPECT_FALSE(unescapeSeparator("\\xg0"));
    EXPECT_FALSE(unescapeSeparator("\\N"));
}

}  // namespace
}  // namespace quillmora
