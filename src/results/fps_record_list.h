// The records of one read, numbered from 1 by the caller and stored from index 0.
#pragma once

#include <bit>
#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "results/fps_record.h"

namespace quorvath {

// Grows in blocks, so that adding a record never moves the earlier ones: a file of a million
// groups then needs the records plus one block, where a doubling array would briefly hold
// one and a half times the records. The first blocks double from a small size, as most
// files hold a few dozen groups; from kBlockSize on every block has that size.
class FpsRecordList {
 public:
  static constexpr std::size_t kFirstBlockSize = 16;
  static constexpr std::size_t kBlockSize = 4096;

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = FpsRecord;
    using difference_type = std::ptrdiff_t;
    using pointer = const FpsRecord*;
    using reference = const FpsRecord&;

    const_iterator() = default;
    reference operator*() const { return (*list_)[index_]; }
    pointer operator->() const { return &(*list_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++index_;
      return before;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.index_ == b.index_;
    }

   private:
    friend class FpsRecordList;
    const_iterator(const FpsRecordList* list, std::size_t index) : list_(list), index_(index) {}
    const FpsRecordList* list_ = nullptr;
    std::size_t index_ = 0;
  };

  FpsRecordList() = default;
  // A moved-from list is empty and can be filled again.
  FpsRecordList(FpsRecordList&& other) noexcept;
  FpsRecordList& operator=(FpsRecordList&& other) noexcept;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  const FpsRecord& operator[](std::size_t index) const {
    const Place place = PlaceOf(index);
    return blocks_[place.block].get()[place.offset];
  }
  FpsRecord& operator[](std::size_t index) {
    const Place place = PlaceOf(index);
    return blocks_[place.block].get()[place.offset];
  }

  void push_back(const FpsRecord& record) {
    if (next_free_ == last_block_end_) AddBlock();
    ::new (next_free_) FpsRecord(record);
    ++next_free_;
    ++size_;
  }

  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size_}; }

 private:
  // Blocks 0 to kDoublingBlocks - 1 hold kFirstBlockSize << block records; those after them
  // hold kBlockSize each.
  static constexpr std::size_t kDoublingBlocks =
      static_cast<std::size_t>(std::bit_width(kBlockSize / kFirstBlockSize)) - 1;
  static constexpr std::size_t kDoublingCapacity =
      kFirstBlockSize * ((std::size_t{1} << kDoublingBlocks) - 1);
  static_assert(std::has_single_bit(kFirstBlockSize) && std::has_single_bit(kBlockSize) &&
                kFirstBlockSize <= kBlockSize);

  struct Place {
    std::size_t block;
    std::size_t offset;
  };
  static Place PlaceOf(std::size_t index) {
    if (index < kDoublingCapacity) {
      const auto block = static_cast<std::size_t>(std::bit_width(index / kFirstBlockSize + 1)) - 1;
      return {block, index - kFirstBlockSize * ((std::size_t{1} << block) - 1)};
    }
    const std::size_t beyond = index - kDoublingCapacity;
    return {kDoublingBlocks + beyond / kBlockSize, beyond % kBlockSize};
  }
  static std::size_t BlockSize(std::size_t block) {
    return block < kDoublingBlocks ? kFirstBlockSize << block : kBlockSize;
  }
  void AddBlock();

  // A block is raw storage: each place is written once, by push_back, so filling it with
  // spaces first would only double the writes.
  struct BlockReleaser {
    void operator()(FpsRecord* block) const { ::operator delete(block); }
  };
  using Block = std::unique_ptr<FpsRecord, BlockReleaser>;
  static_assert(std::is_trivially_copyable_v<FpsRecord> &&
                std::is_trivially_destructible_v<FpsRecord>);

  std::vector<Block> blocks_;
  std::size_t size_ = 0;
  FpsRecord* next_free_ = nullptr;  // in the last block
  FpsRecord* last_block_end_ = nullptr;
};

}  // namespace quorvath
