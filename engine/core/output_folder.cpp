#include "engine/core/output_folder.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/core/content_key.h"
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

void AddIdentity(ContentKey& key, const std::string& name,
                 const automation::ConfinedFolder::Identity& identity) {
  key.Add(name).Add(static_cast<int64_t>(identity.size)).Add(identity.modified);
  key.Add(static_cast<int64_t>(identity.inode));
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
  // Without "..", only a leading "/" leads out.
  if (name.find("..") == std::string_view::npos) return !name.starts_with('/');
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
                         std::string_view createdMessage, uint64_t key) {
  size_t bytes = text.size();
  std::string path = PathOf(name);
  if (Holds(name)) SetKey(NormalName(name), key);
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
  automation::ConfinedFolder::Result result = files_.Write(normal, text, "\r\n");
  Status status = StatusOf(name, result);
  if (status.ok()) Record(std::move(normal), result.identity);
  return status;
}

bool OutputFolder::Reuse(const std::string& name, uint64_t key, std::string row) {
  if (key == 0 || !Holds(name)) return false;
  std::string normal = NormalName(name);
  {
    // A file this run made already holds other bytes by now, or will.
    std::lock_guard<std::mutex> lock(written_mutex_);
    if (keys_.contains(normal)) return false;
  }
  auto cached = previous_.find(normal);
  if (cached == previous_.end()) return false;
  // Whatever the answer, this run makes or keeps the file from here on and
  // never asks again, so the entry goes now rather than at the end.
  CachedFile before = cached->second;
  previous_.erase(cached);
  if (before.key != key) return false;
  automation::ConfinedFolder::Identity now;
  if (!files_.Identify(normal, now) || !(now == before.identity)) return false;
  SetKey(normal, key);
  Post(PathOf(name), [this, normal, now, row = std::move(row)](RunReport& report) {
    report.Log(row);
    Record(normal, now);
  }, 0);
  return true;
}

void OutputFolder::Produce(const std::string& name, Producer produce, size_t bytes,
                           uint64_t key) {
  std::string path = PathOf(name);
  if (!Holds(name)) {
    Post(path, [refusal = OutsideFailure(name)](RunReport& report) { report.Fail(refusal); }, 0);
    return;
  }
  SetKey(NormalName(name), key);
  Post(path, [this, name, produce = std::move(produce)](RunReport& report) {
    std::string normal = NormalName(name);
    Status made;
    auto result = files_.Produce(normal, [&](const std::string& temporary) {
      made = produce(temporary, report);
      return made.ok();
    });
    Status status = made.ok() ? StatusOf(name, result) : made;
    if (status.ok()) Record(std::move(normal), result.identity);
    report.Fail(status);
  }, bytes);
}

std::vector<std::string> OutputFolder::WrittenNames() {
  std::lock_guard<std::mutex> lock(written_mutex_);
  SettleWritten();
  std::vector<std::string> names;
  names.reserve(written_.size());
  for (const WrittenFile& file : written_) names.push_back(file.name);
  return names;
}

void OutputFolder::SettleWritten() {
  if (written_settled_) return;
  // The last write of a name is the file as it stands.
  std::stable_sort(written_.begin(), written_.end(),
                   [](const WrittenFile& a, const WrittenFile& b) { return a.name < b.name; });
  auto last = written_.begin();
  for (auto file = written_.begin(); file != written_.end(); ++file) {
    if (last != written_.begin() && std::prev(last)->name == file->name) {
      *std::prev(last) = std::move(*file);
    } else {
      if (last != file) *last = std::move(*file);
      ++last;
    }
  }
  written_.erase(last, written_.end());
  written_settled_ = true;
}

Status OutputFolder::StatusOf(const std::string& name, automation::ConfinedFolder::Result result) {
  using Outcome = automation::ConfinedFolder::Outcome;
  if (result.outcome == Outcome::kLinkInTheWay) return OutsideFailure(name);
  if (result.outcome == Outcome::kFailed)
    return Status::FileFailure(std::strerror(result.error), PathOf(name));
  return Status();
}

void OutputFolder::Keep(const std::string& name) {
  if (!Holds(name)) return;
  std::string normal = NormalName(name);
  automation::ConfinedFolder::Identity identity;
  if (files_.Identify(normal, identity)) Record(std::move(normal), identity);
}

void OutputFolder::LoadCache() {
  std::string text;
  if (ReadBookkeeping(kCacheName, text)) previous_ = ParseOutputCache(text);
  // This run most likely makes the same files again.
  std::lock_guard<std::mutex> lock(written_mutex_);
  keys_.reserve(previous_.size());
  written_.reserve(previous_.size());
}

Status OutputFolder::SaveCache() {
  std::vector<std::pair<std::string_view, CachedFile>> files;
  std::lock_guard<std::mutex> lock(written_mutex_);
  SettleWritten();
  files.reserve(written_.size());
  ContentKey written;
  for (const WrittenFile& file : written_) {
    auto key = keys_.find(file.name);
    files.push_back({file.name, CachedFile{key == keys_.end() ? 0 : key->second, file.identity}});
    AddIdentity(written, file.name, file.identity);
  }
  written_files_key_ = written.Value();
  return WriteBookkeeping(kCacheName, FormatOutputCache(files));
}

uint64_t OutputFolder::CurrentFilesKey(const std::vector<std::string>& names) {
  ContentKey current;
  automation::ConfinedFolder::Identity identity;
  for (const std::string& name : names) {
    if (!files_.Identify(name, identity)) return 0;
    AddIdentity(current, name, identity);
  }
  return current.Value();
}

bool OutputFolder::ReadBookkeeping(const std::string& name, std::string& text) {
  constexpr size_t kLimit = size_t{1} << 30;
  return files_.ReadSmall(name, kLimit, text);
}

Status OutputFolder::WriteBookkeeping(const std::string& name, std::string_view text) {
  return StatusOf(name, files_.Write(name, text, {}, automation::ConfinedFolder::NewFile::kRenamed));
}

void OutputFolder::SetKey(const std::string& name, uint64_t key) {
  std::lock_guard<std::mutex> lock(written_mutex_);
  auto [entry, added] = keys_.try_emplace(name, key);
  // One write without a key is enough to make the file's bytes unknown.
  if (!added && entry->second != 0) entry->second = key;
}

void OutputFolder::Record(std::string name, const automation::ConfinedFolder::Identity& identity) {
  std::lock_guard<std::mutex> lock(written_mutex_);
  written_.push_back({std::move(name), identity});
  written_settled_ = false;
}

void OutputFolder::Post(const std::string& path, std::function<void(RunReport&)> work,
                        size_t bytes) {
  // Two spellings of one file ("a/../b.html", "b.html") share one key.
  std::string key = IsPlain(path) ? path : std::filesystem::path(path).lexically_normal().string();
  queue_.Post(OutputJob{std::move(work), bytes, true, std::move(key)});
}

}  // namespace tavelle
