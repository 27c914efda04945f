#include "core/WordList.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "core/TextHash.h"

namespace quillmora {

void WordList::pushItem(std::string_view text) {
    if (isFull()) {
        throw std::length_error("word list full");
    }
    arena_.insert(arena_.end(), text.begin(), text.end());
    starts_.push_back(arena_.size());
}

void WordList::append(std::string_view text) {
    pushItem(text);
    if (indexCurrent_) {
        index_.insert(count() - 1, hashText(text));
    }
}

void WordList::appendKnownNew(std::string_view text) {
    pushItem(text);
    if (indexCurrent_) {
        indexCurrent_ = false;
        index_.clear();
    }
}

void WordList::removeAt(Position position) {
    if (position < 0 || position >= count()) {
        return;
    }
    const auto i = static_cast<std::size_t>(position);
    const std::uint64_t begin = starts_[i];
    const std::uint64_t length = starts_[i + 1] - begin;
    arena_.erase(arena_.begin() + static_cast<std::ptrdiff_t>(begin),
                 arena_.begin() + static_cast<std::ptrdiff_t>(begin + length));
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    for (std::size_t k = i + 1; k < starts_.size(); ++k) {
        starts_[k] -= length;
    }
    if (selection_ == position) {
        selection_ = kNoSelection;
    } else if (selection_ > position) {
        --selection_;  // the selected item moved up with the others
    }
    indexCurrent_ = false;
    index_.clear();
}

void WordList::clear() {
    arena_ = {};
    starts_ = {0};
    selection_ = kNoSelection;
    index_.clear();
    indexCurrent_ = true;
}

void WordList::select(Position position) noexcept {
    selection_ = (position >= 0 && position < count()) ? position : kNoSelection;
}

void WordList::reserve(std::size_t items, std::size_t bytes) {
    starts_.reserve(starts_.size() + items);
    arena_.reserve(arena_.size() + bytes);
}

void WordList::ensureIndex() const {
    if (indexCurrent_) {
        return;
    }
    index_.clear();
    index_.reserve(static_cast<std::size_t>(count()));
    // Hash a batch ahead and prefetch its slots, so the inserts do not wait on one cache miss
    // at a time.
    constexpr Position kAhead = 16;
    std::array<std::uint64_t, kAhead> hashes{};
    for (Position begin = 0; begin < count(); begin += kAhead) {
        const Position n = std::min(kAhead, count() - begin);
        for (Position k = 0; k < n; ++k) {
            hashes[static_cast<std::size_t>(k)] = hashText(viewAt(begin + k));
            index_.prefetch(hashes[static_cast<std::size_t>(k)]);
        }
        for (Position k = 0; k < n; ++k) {
            index_.insert(begin + k, hashes[static_cast<std::size_t>(k)]);
        }
    }
    indexCurrent_ = true;
}

bool WordList::contains(std::string_view text) const {
    ensureIndex();
    return index_.contains(text, hashText(text), [this](Position p) { return viewAt(p); });
}

bool WordList::appendIfNew(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    ensureIndex();
    const std::uint64_t hash = hashText(text);
    if (index_.contains(text, hash, [this](Position p) { return viewAt(p); })) {
        return false;
    }
    pushItem(text);
    index_.insert(count() - 1, hash);
    return true;
}

void WordList::appendEachIfNew(std::span<const std::string_view> texts) {
    ensureIndex();
    constexpr std::size_t kAhead = 16;
    std::array<std::uint64_t, kAhead> hashes{};
    for (std::size_t begin = 0; begin < texts.size(); begin += kAhead) {
        const std::size_t n = std::min(kAhead, texts.size() - begin);
        for (std::size_t k = 0; k < n; ++k) {
            hashes[k] = hashText(texts[begin + k]);
            index_.prefetch(hashes[k]);
        }
        for (std::size_t k = 0; k < n; ++k) {
            const std::string_view text = texts[begin + k];
            if (text.empty() ||
                index_.contains(text, hashes[k], [this](Position p) { return viewAt(p); })) {
                continue;
            }
            pushItem(text);
            index_.insert(count() - 1, hashes[k]);
        }
    }
}

}  // namespace quillmora
