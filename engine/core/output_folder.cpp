#include "engine/core/output_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/core/output_queue.h"

namespace tavelle {
namespace {

constexpr std::string_view kOutsideRow = "Path outside the output directory";

// Prepares `path`, where something may already stand, for writing and
// gives the mode to open it with, or a failure. A directory (or a link to
// one) is refused. When overwriting, whatever stands at the name is
// removed first.
Status PrepareTarget(const std::string& path, bool overwrite, const char*& mode) {
  std::error_code status;
  std::filesystem::file_type type = std::filesystem::symlink_status(path, status).type();
  mode = "ab";
  if (type == std::filesystem::file_type::not_found) {
    mode = "wb";
    return Status();
  }
  if (type == std::filesystem::file_type::directory ||
      (type == std::filesystem::file_type::symlink && std::filesystem::is_directory(path, status))) {
    return Status::FileFailure(std::strerror(EISDIR), path);
  }
  if (overwrite) std::remove(path.c_str());
  return Status();
}

}  // namespace

Status WriteTextFile(const std::string& path, std::string_view text, bool overwrite) {
  // Creating the file outright spares a lookup in the common case, a fresh
  // output folder; "x" fails when anything, even a dangling link, stands
  // at the name.
  std::FILE* file = overwrite ? std::fopen(path.c_str(), "wbx") : nullptr;
  if (file == nullptr && (!overwrite || errno == EEXIST)) {
    const char* mode = nullptr;
    Status prepared = PrepareTarget(path, overwrite, mode);
    if (!prepared.ok()) return prepared;
    file = std::fopen(path.c_str(), mode);
  }
  if (file == nullptr) return Status::FileFailure(std::strerror(errno), path);
  // One buffer for the whole page spares the C library a look at the file
  // to size its own, and most pages then leave in a single write.
  char buffer[1 << 16];
  std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                 std::fwrite("\r\n", 1, 2, file) == 2;
  int error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) return Status::FileFailure(std::strerror(error), path);
  return Status();
}

OutputFolder::OutputFolder(std::string directory, OutputQueue& queue)
    : directory_(std::move(directory)), queue_(queue) {}

std::string OutputFolder::PathOf(std::string_view name) const {
  if (directory_.empty()) return std::string(name);
  std::string path = directory_;
  path += '/';
  path += name;
  return path;
}

bool OutputFolder::Holds(std::string_view name) {
  std::filesystem::path path(name);
  if (path.has_root_path()) return false;
  int depth = 0;
  for (const auto& part : path) {
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (part != "." && !part.empty()) {
      ++depth;
    }
  }
  return true;
}

Status OutputFolder::OutsideFailure(std::string_view name) const {
  return Status::FileFailure(kOutsideRow, PathOf(name));
}

void OutputFolder::Write(const std::string& name, std::string text,
                         std::string_view createdMessage) {
  size_t bytes = text.size();
  std::string path = PathOf(name);
  auto write = [this, name, path, text = std::move(text),
                createdMessage = std::string(createdMessage)](RunReport& report) {
    report.Fail(WriteNow(name, text));
    if (!createdMessage.empty()) report.Log(createdMessage + path);
  };
  Post(path, std::move(write), bytes);
}

Status OutputFolder::WriteNow(const std::string& name, std::string_view text) const {
  if (!Holds(name)) return OutsideFailure(name);
  return WriteTextFile(PathOf(name), text, true);
}

void OutputFolder::Produce(const std::string& name, Producer produce, size_t bytes) {
  std::string path = PathOf(name);
  if (!Holds(name)) {
    Post(path, [refusal = OutsideFailure(name)](RunReport& report) { report.Fail(refusal); }, 0);
    return;
  }
  Post(path, [path, produce = std::move(produce)](RunReport& report) {
    report.Fail(produce(path, report));
  }, bytes);
}

void OutputFolder::Post(const std::string& path, std::function<void(RunReport&)> work,
                        size_t bytes) {
  // Two spellings of one file ("a/../b.html", "b.html") share one key.
  // Most paths are plain already, and normalising costs more than a write.
  bool plain = path.find("/.") == std::string::npos && path.find("//") == std::string::npos &&
               !path.starts_with(".");
  std::string key = plain ? path : std::filesystem::path(path).lexically_normal().string();
  queue_.Post(OutputJob{std::move(work), bytes, true, std::move(key)});
}

}  // namespace tavelle
