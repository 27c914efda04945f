#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "core/LargeAllocator.h"
#include "core/Text.h"

namespace quillmora {

// The pieces of a split text, in the order they stand in it. The list owns one copy of the
// text; each piece is a view into that copy, valid as long as the list lives (moves included).
class PieceList {
  public:
    // Huge pages where the system offers them: a large file's pieces are hundreds of
    // megabytes, and touching them 4 KiB at a time costs more than the split.
    using Storage = std::vector<char, LargeAllocator<char>>;
    using Pieces = std::vector<std::string_view, LargeAllocator<std::string_view>>;

    PieceList() = default;
    PieceList(Storage storage, Pieces pieces)
        : storage_(std::move(storage)), pieces_(std::move(pieces)) {}

    [[nodiscard]] std::size_t size() const noexcept { return pieces_.size(); }
    [[nodiscard]] bool empty() const noexcept { return pieces_.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t i) const noexcept { return pieces_[i]; }
    [[nodiscard]] std::span<const std::string_view> views() const noexcept { return pieces_; }
    [[nodiscard]] auto begin() const noexcept { return pieces_.begin(); }
    [[nodiscard]] auto end() const noexcept { return pieces_.end(); }

  private:
    Storage storage_;  // a vector's buffer stays put when the list is moved
    Pieces pieces_;
};

}  // namespace quillmora
