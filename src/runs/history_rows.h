// The history as the History window lists it: every saved run in the window's order, with
// what each file holds read a few at a time (the rows in view first) and kept until the file
// changes, and an order by what the files hold that waits until every file is read.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "runs/history.h"

namespace quorvath {

struct HistoryOrder {
  HistoryColumn column = HistoryColumn::kDate;
  bool ascending = false;  // newest first
};

class HistoryRows {
 public:
  // Reads a run's file; nothing when it is not a run.
  using Reader = std::function<std::optional<SavedRun>(const RunName&)>;
  explicit HistoryRows(Reader read) : read_(std::move(read)) {}

  std::size_t size() const { return entries_.size(); }
  const HistoryEntry& operator[](std::size_t row) const { return entries_[row]; }
  std::size_t unread() const { return unread_; }
  HistoryOrder order() const { return order_; }
  // An order asked for that waits for files to be read.
  const std::optional<HistoryOrder>& waiting() const { return waiting_; }

  // Takes a new listing of the history in the current order, with what was read of the files
  // unchanged since (the same name, size and time of writing). New runs are placed by what
  // their files hold once they are read.
  void Relist(std::vector<HistoryEntry> listed);

  // The row with what its file holds.
  const HistoryEntry& Read(std::size_t row);

  // Reads the rows from `first` to before `last`, then the others in list order, while `more`
  // holds. True when one of the first ones was read.
  bool ReadWhile(std::size_t first, std::size_t last, const std::function<bool()>& more);

  // A click on the column's header: the same column reverses the order, a new one starts from
  // its smallest value (the date from the newest). True when the rows are in that order now;
  // false when the order waits for files to be read.
  bool SortBy(HistoryColumn column);

  // Puts the rows in the order that waits, once every file is read; true when it did.
  bool ApplyWaitingOrder();

  // The run of `row` renamed to `name`, with `label` in its Label column.
  void Renamed(std::size_t row, RunName name, std::wstring label);

 private:
  void Order(HistoryOrder order);

  Reader read_;
  std::vector<HistoryEntry> entries_;
  std::size_t unread_ = 0;
  std::size_t read_next_ = 0;  // where reading goes on after the rows asked for
  HistoryOrder order_;
  std::optional<HistoryOrder> waiting_;
};

}  // namespace quorvath
