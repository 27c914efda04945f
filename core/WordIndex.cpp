#include "core/WordIndex.h"

#include <bit>

namespace quillmora {

namespace {
// Linear probing stays short up to about 70 % full; past that the table doubles.
constexpr std::size_t kMaxLoadPercent = 70;

std::size_t slotsFor(std::size_t items) {
    const std::size_t wanted = items * 100 / kMaxLoadPercent + 1;
    return std::bit_ceil(wanted < 16 ? std::size_t{16} : wanted);
}
}  // namespace

void WordIndex::reserve(std::size_t items) {
    if (slotsFor(items) > slots_.size()) {
        rebuild(slotsFor(items));
    }
}

void WordIndex::clear() noexcept {
    decltype(slots_)().swap(slots_);
    mask_ = 0;
    size_ = 0;
}

void WordIndex::insert(std::int32_t position, std::uint64_t hash) {
    if ((size_ + 1) * 100 > slots_.size() * kMaxLoadPercent) {
        rebuild(slotsFor(size_ + 1));
    }
    place(Slot{static_cast<std::uint32_t>(position) + 1, tagOf(hash)});
    ++size_;
}

void WordIndex::place(Slot slot) noexcept {
    std::size_t i = slot.tag & mask_;
    while (slots_[i].positionPlusOne != 0) {
        i = (i + 1) & mask_;
    }
    slots_[i] = slot;
}

void WordIndex::rebuild(std::size_t slotCount) {
    std::vector<Slot, LargeAllocator<Slot>> old(slotCount);
    old.swap(slots_);
    mask_ = slotCount - 1;
    for (const Slot& slot : old) {
        if (slot.positionPlusOne != 0) {
            place(slot);
        }
    }
}

}  // namespace quillmora
