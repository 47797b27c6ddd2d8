#include "runs/history_rows.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace quorvath {

void HistoryRows::Relist(std::vector<HistoryEntry> listed) {
  std::unordered_map<std::wstring, const HistoryEntry*> read;
  for (const HistoryEntry& entry : entries_) {
    if (entry.content != HistoryEntry::Content::kUnread) read[RunFileName(entry.name)] = &entry;
  }
  unread_ = 0;
  for (HistoryEntry& entry : listed) {
    const auto found = read.empty() ? read.end() : read.find(RunFileName(entry.name));
    if (found != read.end() && found->second->size == entry.size &&
        found->second->last_write == entry.last_write) {
      entry = *found->second;
    } else {
      ++unread_;
    }
  }
  entries_ = std::move(listed);
  read_next_ = 0;
  Order(order_);
  if (!waiting_ && NeedsContent(order_.column) && unread_ > 0) waiting_ = order_;
}

const HistoryEntry& HistoryRows::Read(std::size_t row) {
  HistoryEntry& entry = entries_[row];
  if (entry.content == HistoryEntry::Content::kUnread) {
    Summarize(entry, read_(entry.name));
    --unread_;
  }
  return entry;
}

bool HistoryRows::ReadWhile(std::size_t first, std::size_t last,
                            const std::function<bool()>& more) {
  bool read_first = false;
  for (std::size_t row = first; row < std::min(last, entries_.size()) && more(); ++row) {
    read_first |= entries_[row].content == HistoryEntry::Content::kUnread;
    Read(row);
  }
  while (unread_ > 0 && read_next_ < entries_.size() && more()) Read(read_next_++);
  return read_first;
}

bool HistoryRows::SortBy(HistoryColumn column) {
  const HistoryOrder current = waiting_.value_or(order_);
  const HistoryOrder wanted{
      column, column == current.column ? !current.ascending : column != HistoryColumn::kDate};
  waiting_.reset();
  if (NeedsContent(column) && unread_ > 0) {
    waiting_ = wanted;
    return false;
  }
  Order(wanted);
  return true;
}

bool HistoryRows::ApplyWaitingOrder() {
  if (!waiting_ || unread_ > 0) return false;
  Order(*waiting_);
  waiting_.reset();
  return true;
}

void HistoryRows::Renamed(std::size_t row, RunName name, std::wstring label) {
  HistoryEntry& entry = entries_[row];
  entry.name = std::move(name);
  entry.label = std::move(label);
  // The file was written again: read again once listed again.
  entry.size = entry.last_write = 0;
}

void HistoryRows::Order(HistoryOrder order) {
  order_ = order;
  SortHistory(entries_, order.column, order.ascending);
  read_next_ = 0;
}

}  // namespace quorvath
