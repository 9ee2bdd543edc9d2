// RowPrinter: the message sink of a command-line run. Each row the engine
// adds is printed as "date<TAB>message" when the engine refreshes the list.
// Rows go into the stream's buffer; Flush (called from the event pump and
// at the end) pushes them out, so large runs do not pay for a write per row.
// With no stream it prints nothing and only counts the removal rows.
#ifndef TAVELLE_CLI_ROW_PRINTER_H_
#define TAVELLE_CLI_ROW_PRINTER_H_

#include <cstdio>

#include "automation/list_view.h"

namespace cli {

class RowPrinter : public automation::ListView {
 public:
  explicit RowPrinter(std::FILE* out) : out_(out) {}

  void Flush() {
    if (out_ != nullptr) std::fflush(out_);
  }
  // "Removed File: " rows seen so far.
  int RemovedFiles() const { return removed_; }

 protected:
  void OnRefresh() override;
  void OnClear() override { printed_ = 0; }

 private:
  std::FILE* out_;
  size_t printed_ = 0;  // rows of the list already printed
  int removed_ = 0;
};

}  // namespace cli

#endif  // TAVELLE_CLI_ROW_PRINTER_H_
