#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/LargeAllocator.h"

namespace quillmora {

// A flat open-addressing table of list positions, each stored with 32 bits of its text's hash.
// It holds no text: a lookup compares against the list through the `textAt` callable, so
// equality stays exact byte equality and the table costs 8 bytes a slot. The home slot comes
// from the same 32 bits, so the table grows without looking at a text again.
class WordIndex {
  public:
    // Room for `items` positions without growing.
    void reserve(std::size_t items);
    void clear() noexcept;
    [[nodiscard]] std::size_t size() const noexcept { return size_; }

    // Adds a position; the caller guarantees it is not in the table yet.
    void insert(std::int32_t position, std::uint64_t hash);

    // True when a position in the table holds a text equal to `text`.
    template <class TextAt>
    [[nodiscard]] bool contains(std::string_view text, std::uint64_t hash,
                                const TextAt& textAt) const {
        if (slots_.empty()) {
            return false;
        }
        const auto tag = tagOf(hash);
        for (std::size_t i = tag & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (slot.positionPlusOne == 0) {
                return false;
            }
            if (slot.tag == tag &&
                textAt(static_cast<std::int32_t>(slot.positionPlusOne - 1)) == text) {
                return true;
            }
        }
    }

    // Warms the cache line that a lookup of `hash` will read first.
    void prefetch(std::uint64_t hash) const noexcept {
        if (!slots_.empty()) {
            __builtin_prefetch(&slots_[tagOf(hash) & mask_]);
        }
    }

  private:
    struct Slot {
        std::uint32_t positionPlusOne = 0;  // 0 marks an empty slot
        std::uint32_t tag = 0;
    };
    static std::uint32_t tagOf(std::uint64_t hash) noexcept {
        return static_cast<std::uint32_t>(hash ^ (hash >> 32));
    }
    void rebuild(std::size_t slotCount);
    void place(Slot slot) noexcept;

    std::vector<Slot, LargeAllocator<Slot>> slots_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

}  // namespace quillmora
