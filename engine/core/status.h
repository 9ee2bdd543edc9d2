// Status: what an operation that can fail returns. An ok status holds
// nothing; a failure holds the rows that report it, ready for the run to
// log and count (RunReport::Fail), so that each failure is logged and
// counted in one place.
#ifndef TAVELLE_ENGINE_CORE_STATUS_H_
#define TAVELLE_ENGINE_CORE_STATUS_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavelle {

class Status {
 public:
  Status() = default;

  // The row of a failed file operation: description, "  File: ", path.
  static Status FileFailure(std::string_view description, std::string_view path);
  // The two rows of a failed database statement: the description, then
  // `prefix` ("Error In Exec: " or "Error In Query: ") and the statement.
  static Status DatabaseFailure(std::string_view description, std::string_view prefix,
                                std::string_view statement);

  bool ok() const { return rows_.empty(); }
  std::span<const std::string> rows() const { return rows_; }

 private:
  std::vector<std::string> rows_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_STATUS_H_
