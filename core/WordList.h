#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/LargeAllocator.h"
#include "core/Text.h"
#include "core/WordIndex.h"

namespace quillmora {

// One of the three word lists: items in the order they were added, new ones always at the end.
// The store takes any text, the empty text and duplicates included; keeping a list free of
// both is the job of the adding procedures, through `isSkipped`.
//
// Items live end to end in one byte arena, so a list of millions costs its bytes plus 8 bytes
// an item, and a hash index beside it makes `contains` O(1) expected. The index is rebuilt in
// one pass when it is next needed after a removal or after `appendKnownNew`.
class WordList {
  public:
    using Position = std::int32_t;
    static constexpr Position kNoSelection = -1;
    static constexpr Position kMaxCount = std::numeric_limits<Position>::max();

    [[nodiscard]] Position count() const noexcept {
        return static_cast<Position>(starts_.size() - 1);
    }
    [[nodiscard]] bool isFull() const noexcept { return count() == kMaxCount; }

    // A copy of the item; a position outside the list yields the empty text.
    [[nodiscard]] Text itemAt(Position position) const { return Text(viewAt(position)); }
    // The item's bytes without a copy, valid until the list next changes.
    [[nodiscard]] std::string_view viewAt(Position position) const noexcept {
        if (position < 0 || position >= count()) {
            return {};
        }
        const auto i = static_cast<std::size_t>(position);
        return {arena_.data() + starts_[i], static_cast<std::size_t>(starts_[i + 1] - starts_[i])};
    }

    void append(std::string_view text);
    // Removes the item; the ones behind it move up. A position outside the list changes nothing.
    void removeAt(Position position);
    void clear();

    [[nodiscard]] bool contains(std::string_view text) const;
    // The skip rule of every bulk add: the empty text, or a text the list already holds.
    [[nodiscard]] bool isSkipped(std::string_view text) const {
        return text.empty() || contains(text);
    }
    // `isSkipped`, then `append` when it is not: the same outcome, hashing the text once.
    // Returns whether the text was appended.
    bool appendIfNew(std::string_view text);
    // `appendIfNew` for each text in order; looks ahead in the index so that a large import
    // does not wait on one cache miss at a time.
    void appendEachIfNew(std::span<const std::string_view> texts);
    // Appends a text the caller knows to be new and not empty, without touching the index.
    void appendKnownNew(std::string_view text);

    // The user's selection: one position, or kNoSelection. Only the user sets it.
    [[nodiscard]] Position selection() const noexcept { return selection_; }
    void select(Position position) noexcept;

    // Total bytes of all items.
    [[nodiscard]] std::size_t byteCount() const noexcept { return arena_.size(); }
    // Room for `items` more items holding `bytes` more bytes, so a run grows without copying.
    // The index grows by itself, and may not be needed at all (see `appendKnownNew`).
    void reserve(std::size_t items, std::size_t bytes);

  private:
    void ensureIndex() const;
    // Appends to the arena only; throws std::length_error when the list cannot hold more.
    void pushItem(std::string_view text);

    std::vector<char, LargeAllocator<char>> arena_;
    std::vector<std::uint64_t, LargeAllocator<std::uint64_t>> starts_{
        0};  // item i is arena_[starts_[i], starts_[i + 1])
    Position selection_ = kNoSelection;
    mutable WordIndex index_;
    mutable bool indexCurrent_ = true;
};

}  // namespace quillmora
