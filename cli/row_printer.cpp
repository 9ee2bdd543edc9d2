#include "cli/row_printer.h"

namespace cli {

void RowPrinter::OnRefresh() {
  for (; printed_ < RowCount(); ++printed_) {
    const automation::ListItem& row = Row(printed_);
    if (row.sub_item(1).starts_with("Removed File: ")) ++removed_;
    if (out_ == nullptr) continue;
    std::string line = row.text() + '\t' + row.sub_item(1) + '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
  }
}

}  // namespace cli
