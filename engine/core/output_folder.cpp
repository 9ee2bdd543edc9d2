#include "engine/core/output_folder.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/core/output_queue.h"
#include "engine/core/run.h"

namespace tavelle {
namespace {

constexpr std::string_view kOutsideRow = "Path outside the output directory";
// How long a run waits for another run that writes into its folder.
constexpr auto kLockWait = std::chrono::minutes(10);

// Most names are plain already, and normalising costs more than a write.
bool IsPlain(std::string_view name) {
  return name.find("/.") == std::string_view::npos && name.find("//") == std::string_view::npos &&
         !name.starts_with(".");
}

// `name` without ".", ".." and doubled separators; `name` must be held.
std::string NormalName(const std::string& name) {
  if (IsPlain(name)) return name;
  return std::filesystem::path(name).lexically_normal().generic_string();
}

}  // namespace

OutputFolder::OutputFolder(std::string directory, OutputQueue& queue)
    : directory_(std::move(directory)), queue_(queue), files_(directory_) {}

void OutputFolder::Open(Run& run) {
  std::error_code error;
  if (!directory_.empty() && !std::filesystem::exists(directory_, error)) {
    if (std::filesystem::create_directories(directory_, error)) {
      run.Log("Created Output Directory: " + directory_);
    } else if (error) {
      run.Fail(Status::FileFailure(error.message(), directory_));
    }
  }
  if (!files_.TryLock()) {
    run.Log("Waiting for another run to finish writing into " + directory_);
    auto giveUp = std::chrono::steady_clock::now() + kLockWait;
    bool locked = files_.Lock(
        [&] { return !run.CheckCancel() && std::chrono::steady_clock::now() < giveUp; });
    if (!locked && !run.CancelRequested()) {
      run.Fail(Status::FileFailure("Another run kept writing into the output directory",
                                   directory_));
    }
  }
  files_.RemoveLeftovers();
}

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
    Status written = WriteNow(name, text);
    report.Fail(written);
    if (written.ok() && !createdMessage.empty()) report.Log(createdMessage + path);
  };
  Post(path, std::move(write), bytes);
}

Status OutputFolder::WriteNow(const std::string& name, std::string_view text) {
  if (!Holds(name)) return OutsideFailure(name);
  std::string normal = NormalName(name);
  Status status = StatusOf(name, files_.Write(normal, text, "\r\n"));
  if (status.ok()) Record(std::move(normal));
  return status;
}

void OutputFolder::Produce(const std::string& name, Producer produce, size_t bytes) {
  std::string path = PathOf(name);
  if (!Holds(name)) {
    Post(path, [refusal = OutsideFailure(name)](RunReport& report) { report.Fail(refusal); }, 0);
    return;
  }
  Post(path, [this, name, produce = std::move(produce)](RunReport& report) {
    std::string normal = NormalName(name);
    Status made;
    auto result = files_.Produce(normal, [&](const std::string& temporary) {
      made = produce(temporary, report);
      return made.ok();
    });
    Status status = made.ok() ? StatusOf(name, result) : made;
    if (status.ok()) Record(std::move(normal));
    report.Fail(status);
  }, bytes);
}

std::vector<std::string> OutputFolder::WrittenNames() const {
  std::lock_guard<std::mutex> lock(written_mutex_);
  std::vector<std::string> names = written_;
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

Status OutputFolder::StatusOf(const std::string& name, automation::ConfinedFolder::Result result) {
  using Outcome = automation::ConfinedFolder::Outcome;
  if (result.outcome == Outcome::kLinkInTheWay) return OutsideFailure(name);
  if (result.outcome == Outcome::kFailed)
    return Status::FileFailure(std::strerror(result.error), PathOf(name));
  return Status();
}

void OutputFolder::Keep(const std::string& name) {
  if (Holds(name)) Record(NormalName(name));
}

void OutputFolder::Record(std::string name) {
  std::lock_guard<std::mutex> lock(written_mutex_);
  written_.push_back(std::move(name));
}

void OutputFolder::Post(const std::string& path, std::function<void(RunReport&)> work,
                        size_t bytes) {
  // Two spellings of one file ("a/../b.html", "b.html") share one key.
  std::string key = IsPlain(path) ? path : std::filesystem::path(path).lexically_normal().string();
  queue_.Post(OutputJob{std::move(work), bytes, true, std::move(key)});
}

}  // namespace tavelle
