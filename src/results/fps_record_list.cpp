#include "results/fps_record_list.h"

#include <utility>

namespace quorvath {

FpsRecordList::FpsRecordList(FpsRecordList&& other) noexcept { *this = std::move(other); }

FpsRecordList& FpsRecordList::operator=(FpsRecordList&& other) noexcept {
  if (this == &other) return *this;
  blocks_ = std::move(other.blocks_);
  other.blocks_.clear();
  size_ = std::exchange(other.size_, 0);
  next_free_ = std::exchange(other.next_free_, nullptr);
  last_block_end_ = std::exchange(other.last_block_end_, nullptr);
  return *this;
}

void FpsRecordList::AddBlock() {
  const std::size_t block_size = BlockSize(blocks_.size());
  blocks_.push_back(Block(static_cast<FpsRecord*>(::operator new(block_size * sizeof(FpsRecord)))));
  next_free_ = blocks_.back().get();
  last_block_end_ = next_free_ + block_size;
}

}  // namespace quorvath
