// The whole import of one source into a list that already holds words: the input's content is
// written to a real file and read back through importSource.
//
// Input: byte 0 picks the separator box's text: low two bits 0 give "回车符" (in code page
// 936), otherwise (byte 0 >> 2) % 8 bytes follow and are the box's text. Byte 1 picks which of
// the first eight distinct words of the file the list already holds. The rest is the file.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/WordList.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ReferenceSplit.h"
#include "textio/BatchImport.h"

namespace {

namespace fs = std::filesystem;

// A word no fuzzed file is likely to hold: "旧词" in code page 936.
constexpr std::string_view kOldWord = "\xBE\xC9\xB4\xCA";

const fs::path& scratchFile() {
    static const fs::path path = [] {
        const fs::path folder =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        auto file = folder / ("quillmora-import-fuzz-" + std::to_string(getpid()) + ".txt");
        std::atexit([] {
            std::error_code ignored;
            fs::remove(scratchFile(), ignored);
        });
        return file;
    }();
    return path;
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
}

// What the import should add, worked out from the steps: cut at the first NUL, the separator
// rule, the plain split, then each non-empty piece the list does not hold yet, first time only.
std::vector<std::string> expectedNewWords(std::string_view content, std::string_view boxText,
                                          const std::set<std::string, std::less<>>& held) {
    const std::string_view text = content.substr(0, content.find('\0'));
    if (text.empty()) {
        return {};
    }
    const std::string_view separator =
        boxText == quillmora::kCarriageReturnChoice ? std::string_view("\r\n") : boxText;
    std::set<std::string, std::less<>> seen = held;
    std::vector<std::string> words;
    for (auto& piece : quillmora::fuzz::referenceSplit(text, separator)) {
        if (!piece.empty() && seen.insert(piece).second) {
            words.push_back(std::move(piece));
        }
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view rest = input.substr(2);
    std::string boxText;
    if ((data[0] & 3) == 0) {
        boxText = quillmora::kCarriageReturnChoice;
    } else {
        const std::size_t length = std::min<std::size_t>((data[0] >> 2) % 8, rest.size());
        boxText = rest.substr(0, length);
        rest.remove_prefix(length);
    }
    const std::string_view content = rest;

    // The list before the import: an unrelated word, then some of the file's own words in
    // reverse order, so that old places and file order differ.
    // The file's distinct words, the unrelated one aside: the expected additions are these
    // less the ones the list already holds.
    const auto fileWords = expectedNewWords(content, boxText, {std::string(kOldWord)});
    std::vector<std::string> before{std::string(kOldWord)};
    for (std::size_t i = std::min<std::size_t>(fileWords.size(), 8); i-- > 0;) {
        if ((data[1] >> i) & 1) {
            before.push_back(fileWords[i]);
        }
    }
    quillmora::WordList list;
    for (const auto& word : before) {
        list.append(word);
    }
    list.select(static_cast<quillmora::WordList::Position>(before.size() - 1));
    const std::set<std::string, std::less<>> held(before.begin(), before.end());

    writeFile(scratchFile(), content);
    quillmora::importSource({scratchFile(), boxText}, list);

    std::vector<std::string_view> added;
    for (const auto& word : fileWords) {
        if (!held.contains(word)) {
            added.push_back(word);
        }
    }
    FUZZ_CHECK(list.count() ==
               static_cast<quillmora::WordList::Position>(before.size() + added.size()));
    FUZZ_CHECK(list.selection() == static_cast<quillmora::WordList::Position>(before.size() - 1));
    std::set<std::string_view> items;
    for (quillmora::WordList::Position i = 0; i < list.count(); ++i) {
        const std::string_view item = list.viewAt(i);
        FUZZ_CHECK(!item.empty());
        FUZZ_CHECK(items.insert(item).second);
        FUZZ_CHECK(list.contains(item));
        const auto at = static_cast<std::size_t>(i);
        FUZZ_CHECK(item == (at < before.size() ? before[at] : added[at - before.size()]));
    }
    return 0;
}
