#include <dlfcn.h>
#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "automation/platform.h"

namespace automation {

bool LoadComponentLibrary(const std::string& name) {
  std::filesystem::path path = ModuleFolderOf(reinterpret_cast<const void*>(&LoadComponentLibrary)) /
                               ("lib" + name + ".so");
  // Kept loaded for the life of the process: objects of the library may
  // outlive any handle we would close.
  return dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL) != nullptr;
}

std::filesystem::path ModuleFolderOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code error;
  std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
  if (error) path = info.dli_fname;
  return path.parent_path();
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path.parent_path();
}

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

RegularFile OpenRegularFile(const std::string& path, uintmax_t& size) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, errno};
  struct stat info;
  if (fstat(fd, &info) != 0) {
    int error = errno;
    close(fd);
    return {nullptr, error};
  }
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    return {nullptr, S_ISDIR(info.st_mode) ? EISDIR : 0};
  }
  size = static_cast<uintmax_t>(info.st_size);
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) {
    int error = errno;
    close(fd);
    return {nullptr, error};
  }
  return {file, 0};
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

bool IsWritableFolder(const std::filesystem::path& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

int64_t CoarseClockMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

void LowerThreadPriority() {
  // On Linux a thread has its own nice value, addressed by its thread id.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
}

namespace {

// Whether transparent huge pages are given only where a program asks.
bool HugePagesOnRequest() {
  std::FILE* file = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
  if (!file) return false;
  char mode[128] = {};
  bool read = std::fgets(mode, sizeof mode, file) != nullptr;
  std::fclose(file);
  return read && std::strstr(mode, "[madvise]") != nullptr;
}

}  // namespace

void RestartWithHugePageHeap(char** argv) {
#ifdef __GLIBC__
  // The C library reads its tunables once, at start-up; one the user has
  // set either way is left alone.
  constexpr char kTunable[] = "glibc.malloc.hugetlb";
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  if (tunables && std::strstr(tunables, kTunable)) return;
  if (!HugePagesOnRequest()) return;
  std::string value = tunables && *tunables ? std::string(tunables) + ":" : std::string();
  value += kTunable;
  value += "=1";
  if (setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0) return;
  execv("/proc/self/exe", argv);
  // The restart failed: carry on with small pages, and keep the setting
  // away from any program started later.
  if (tunables) {
    setenv("GLIBC_TUNABLES", tunables, 1);
  } else {
    unsetenv("GLIBC_TUNABLES");
  }
#else
  (void)argv;
#endif
}

void KeepFreedHeapMemory() {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, 16 << 20);
  // Two heaps: the run's thread has one, the worker threads share the
  // other. A heap per thread would keep each thread's freed memory from
  // the others; a single heap would make the run's thread wait for the
  // workers' allocations.
  mallopt(M_ARENA_MAX, 2);
#endif
}

void ReturnFreedHeapMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace automation

namespace automation {
namespace {

constexpr char kTemporaryPrefix[] = ".tavelle-";
constexpr char kTemporarySuffix[] = ".tmp";

// Reads the file `fd` and tells whether it holds exactly `head` + `tail`.
bool HoldsExactly(int fd, std::string_view head, std::string_view tail) {
  char buffer[1 << 16];
  size_t offset = 0;
  const size_t total = head.size() + tail.size();
  for (;;) {
    ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0) return false;
    if (count == 0) return offset == total;
    size_t got = static_cast<size_t>(count);
    if (got > total - offset) return false;
    // The part of `buffer` that falls in `head`, then the part in `tail`.
    size_t inHead = offset < head.size() ? std::min(got, head.size() - offset) : 0;
    if (inHead > 0 && std::memcmp(buffer, head.data() + offset, inHead) != 0) return false;
    if (got > inHead && std::memcmp(buffer + inHead, tail.data() + (offset + inHead - head.size()),
                                    got - inHead) != 0)
      return false;
    offset += got;
  }
}

ConfinedFolder::Identity IdentityOf(const struct stat& info) {
  return {static_cast<uint64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
          static_cast<uint64_t>(info.st_ino)};
}

// The identity of the open file `fd`, taken after its last write.
bool IdentifyOpen(int fd, ConfinedFolder::Identity& identity) {
  struct stat info;
  if (fstat(fd, &info) != 0) return false;
  identity = IdentityOf(info);
  return true;
}

// Whether `leaf` in `folder`, whose type and size `info` gives, is a
// regular file that holds exactly `head` + `tail`.
bool HoldsAlready(int folder, const std::string& leaf, const struct stat& info,
                  std::string_view head, std::string_view tail) {
  if (!S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) != head.size() + tail.size())
    return false;
  int existing = openat(folder, leaf.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  bool same = existing >= 0 && HoldsExactly(existing, head, tail);
  if (existing >= 0) close(existing);
  return same;
}

// Reads the rest of the file `fd` into `bytes`.
bool ReadAll(int fd, std::string& bytes) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return count == 0;
    bytes.append(buffer, static_cast<size_t>(count));
  }
}

// Temporary files are named ".tavelle-<process>-<number>.tmp", followed by
// the extension of the file they become when someone else writes them.
bool IsTemporaryName(std::string_view file) {
  return file.starts_with(kTemporaryPrefix) && file.find(kTemporarySuffix) != std::string_view::npos;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// Writes `head` then `tail` to `fd`, takes the file's identity and closes
// it; the system's error number, or 0 when all of that went well.
int WriteWhole(int fd, std::string_view head, std::string_view tail,
               ConfinedFolder::Identity& identity) {
  bool written = WriteAll(fd, head) && WriteAll(fd, tail) && IdentifyOpen(fd, identity);
  int error = written ? 0 : (errno != 0 ? errno : EIO);
  if (close(fd) != 0 && written) error = errno;
  return error;
}

}  // namespace

ConfinedFolder::ConfinedFolder(std::filesystem::path root) : root_(std::move(root)) {
  if (root_.empty()) root_ = ".";
}

ConfinedFolder::~ConfinedFolder() {
  if (root_fd_ >= 0) close(root_fd_);
}

int ConfinedFolder::Root(int& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (root_fd_ < 0) {
    // The output folder itself may be a link the user made; below it, none.
    root_fd_ = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root_fd_ < 0) error = errno;
  }
  return root_fd_;
}

// Opens the folder that holds `name`, one component at a time and never
// through a link, and gives the last component in `leaf`. Returns the
// folder's descriptor (the root's own, not to be closed, when `name` has
// no folder) or -1 with `failure` filled in.
int ConfinedFolder::OpenParent(const std::string& name, std::string& leaf, Result& failure) {
  int error = 0;
  int root = Root(error);
  if (root < 0) {
    failure = {Outcome::kFailed, error};
    return -1;
  }
  int folder = root;
  size_t start = 0;
  for (size_t slash; (slash = name.find('/', start)) != std::string::npos; start = slash + 1) {
    std::string part = name.substr(start, slash - start);
    if (part.empty() || part == ".") continue;
    int next = openat(folder, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int openError = errno;
    // A link where a folder should be is refused like a path outside.
    struct stat info;
    bool link = next < 0 && (openError == ELOOP ||
                             (fstatat(folder, part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                              S_ISLNK(info.st_mode)));
    if (folder != root) close(folder);
    if (next < 0) {
      failure = {link ? Outcome::kLinkInTheWay : Outcome::kFailed, openError};
      return -1;
    }
    folder = next;
  }
  leaf = name.substr(start);
  return folder;
}

ConfinedFolder::Result ConfinedFolder::Write(const std::string& name, std::string_view head,
                                             std::string_view tail, NewFile newFile) {
  std::string leaf;
  Result result{Outcome::kWritten};
  int folder = OpenParent(name, leaf, result);
  if (folder < 0) return result;
  int root = root_fd_;
  auto finish = [&](Result outcome) {
    if (folder != root) close(folder);
    return outcome;
  };

  // A new name is written in place: there is no old file to keep, and
  // "exclusive" fails on anything, even a link, standing at the name.
  if (newFile == NewFile::kInPlace) {
    int fresh = openat(folder, leaf.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fresh >= 0) {
      Identity identity;
      int error = WriteWhole(fresh, head, tail, identity);
      if (error == 0) return finish({Outcome::kWritten, 0, identity});
      unlinkat(folder, leaf.c_str(), 0);
      return finish({Outcome::kFailed, error});
    }
    if (errno != EEXIST) return finish({Outcome::kFailed, errno});
  }

  struct stat info;
  if (fstatat(folder, leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
    if (S_ISDIR(info.st_mode)) return finish({Outcome::kFailed, EISDIR});
    if (HoldsAlready(folder, leaf, info, head, tail))
      return finish({Outcome::kUnchanged, 0, IdentityOf(info)});
  }

  std::string temporary = TemporaryName({});
  int fd = openat(root, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  0666);
  if (fd < 0) return finish({Outcome::kFailed, errno});
  Identity identity;
  if (int error = WriteWhole(fd, head, tail, identity); error != 0) {
    unlinkat(root, temporary.c_str(), 0);
    return finish({Outcome::kFailed, error});
  }
  return finish(Replace(temporary, folder, leaf, identity));
}

ConfinedFolder::Result ConfinedFolder::Produce(const std::string& name,
                                               const std::function<bool(const std::string&)>& produce) {
  std::string leaf;
  Result result{Outcome::kWritten};
  int folder = OpenParent(name, leaf, result);
  if (folder < 0) return result;
  if (folder != root_fd_) close(folder);

  std::string temporary = TemporaryName(std::filesystem::path(leaf).extension().string());
  int root = root_fd_;
  if (!produce((root_ / temporary).string())) {
    unlinkat(root, temporary.c_str(), 0);
    return {Outcome::kFailed, 0};
  }
  // A folder on the way may have become a link while the file was made.
  folder = OpenParent(name, leaf, result);
  if (folder < 0) {
    unlinkat(root, temporary.c_str(), 0);
    return result;
  }
  auto finish = [&](Result outcome) {
    if (folder != root) close(folder);
    return outcome;
  };

  int made = openat(root, temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  struct stat madeInfo;
  if (made < 0 || fstat(made, &madeInfo) != 0 || !S_ISREG(madeInfo.st_mode)) {
    int error = made < 0 ? errno : EINVAL;
    if (made >= 0) close(made);
    unlinkat(root, temporary.c_str(), 0);
    return finish({Outcome::kFailed, error});
  }
  // Only a file of the same size is read back and compared.
  struct stat info;
  std::string bytes;
  bool same = fstatat(folder, leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
              info.st_size == madeInfo.st_size && ReadAll(made, bytes) &&
              HoldsAlready(folder, leaf, info, bytes, {});
  close(made);
  if (same) {
    unlinkat(root, temporary.c_str(), 0);
    return finish({Outcome::kUnchanged, 0, IdentityOf(info)});
  }
  return finish(Replace(temporary, folder, leaf, IdentityOf(madeInfo)));
}

std::string ConfinedFolder::TemporaryName(const std::string& extension) {
  return kTemporaryPrefix + std::to_string(getpid()) + "-" + std::to_string(next_temporary_++) +
         kTemporarySuffix + extension;
}

ConfinedFolder::Result ConfinedFolder::Replace(const std::string& temporary, int folder,
                                               const std::string& leaf, const Identity& identity) {
  if (renameat(root_fd_, temporary.c_str(), folder, leaf.c_str()) == 0)
    return {Outcome::kWritten, 0, identity};
  int error = errno;
  unlinkat(root_fd_, temporary.c_str(), 0);
  return {Outcome::kFailed, error};
}

bool ConfinedFolder::Identify(const std::string& name, Identity& identity) {
  std::string leaf;
  Result result{Outcome::kWritten};
  int folder = OpenParent(name, leaf, result);
  if (folder < 0) return false;
  struct stat info;
  bool found = fstatat(folder, leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISREG(info.st_mode);
  if (folder != root_fd_) close(folder);
  if (!found) return false;
  identity = IdentityOf(info);
  return true;
}

bool ConfinedFolder::ReadSmall(const std::string& name, size_t limit, std::string& text) {
  std::string leaf;
  Result result{Outcome::kWritten};
  int folder = OpenParent(name, leaf, result);
  if (folder < 0) return false;
  int fd = openat(folder, leaf.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (folder != root_fd_) close(folder);
  if (fd < 0) return false;
  struct stat info;
  bool small = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
               static_cast<uint64_t>(info.st_size) <= limit;
  text.clear();
  if (small) {
    text.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    for (ssize_t count; done < text.size(); done += static_cast<size_t>(count)) {
      count = read(fd, text.data() + done, text.size() - done);
      if (count <= 0) break;
    }
    // A file that shrank while it was read is taken as it was when read.
    text.resize(done);
  }
  close(fd);
  return small;
}

bool ConfinedFolder::TryLock() {
  int error = 0;
  int root = Root(error);
  if (root < 0) return true;  // nothing to guard: every write will fail
  return flock(root, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

bool ConfinedFolder::Lock(const std::function<bool()>& keepWaiting) {
  while (!TryLock()) {
    if (!keepWaiting()) return false;
    usleep(100 * 1000);
  }
  return true;
}

void ConfinedFolder::RemoveLeftovers() {
  std::error_code error;
  for (std::filesystem::directory_iterator it(root_, error), end; !error && it != end;
       it.increment(error)) {
    std::string file = it->path().filename().string();
    if (IsTemporaryName(file)) std::filesystem::remove(it->path(), error);
  }
}

}  // namespace automation
