// RowPrinter: the message sink of a command-line run. Each row the engine
// adds is printed as "date<TAB>message" when the engine refreshes the list.
// Rows go into the stream's buffer; Flush (called from the event pump and
// at the end) pushes them out, so large runs do not pay for a write per row.
#ifndef TAVELLE_CLI_ROW_PRINTER_H_
#define TAVELLE_CLI_ROW_PRINTER_H_

#include <cstdio>

#include "automation/list_view.h"

namespace cli {

class RowPrinter : public automation::ListView {
 public:
  explicit RowPrinter(std::FILE* out) : out_(out) {}

  void Flush() { std::fflush(out_); }

 protected:
  void OnRefresh() override;
  void OnClear() override { printed_ = 0; }

 private:
  std::FILE* out_;
  size_t printed_ = 0;  // rows of the list already printed
};

}  // namespace cli

#endif  // TAVELLE_CLI_ROW_PRINTER_H_
