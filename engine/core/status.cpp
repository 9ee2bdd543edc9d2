#include "engine/core/status.h"

namespace tavelle {

Status Status::FileFailure(std::string_view description, std::string_view path) {
  Status status;
  std::string row(description);
  row += "  File: ";
  row += path;
  status.rows_.push_back(std::move(row));
  return status;
}

Status Status::DatabaseFailure(std::string_view description, std::string_view prefix,
                               std::string_view statement) {
  Status status;
  status.rows_.emplace_back(description);
  std::string row(prefix);
  row += statement;
  status.rows_.push_back(std::move(row));
  return status;
}

}  // namespace tavelle
