// The few operating-system services the runtime needs, kept in one file
// (platform_posix.cpp) so that the rest of the code stays portable.
#ifndef TAVELLE_AUTOMATION_PLATFORM_H_
#define TAVELLE_AUTOMATION_PLATFORM_H_

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace automation {

// Loads lib<name>.so from the runtime's own folder; true when it is loaded
// (or was already).
bool LoadComponentLibrary(const std::string& name);

// The folder of the loaded library or program that contains `address`.
std::filesystem::path ModuleFolderOf(const void* address);

// The folder of the running program.
std::filesystem::path ExecutableFolder();

// The local date and time of `when` (thread-safe, unlike std::localtime).
std::tm LocalTime(std::time_t when);

// A file opened for reading only when it is a regular file: `file` is
// null with `error` 0 for anything else (a FIFO, a device), or with the
// system's error number when it could not be opened. Opening never blocks,
// and the type is checked on what was opened, not on the name.
struct RegularFile {
  std::FILE* file = nullptr;
  int error = 0;
};
RegularFile OpenRegularFile(const std::string& path, uintmax_t& size);

// Whether `stream` is a terminal.
bool IsTerminal(std::FILE* stream);

// Whether the current user may create files in `folder`.
bool IsWritableFolder(const std::filesystem::path& folder);

// A clock in milliseconds that is cheap to read (a few nanoseconds) and
// only a few milliseconds coarse: good enough to space out periodic work.
int64_t CoarseClockMilliseconds();

// Lets the C library keep freed heap memory for reuse instead of handing
// it back to the system after every large free. A run allocates and frees
// a picture encoder's buffers thousands of times; without this each cycle
// costs system calls and fresh page faults. The threads other than the
// first share one heap, so that what one worker frees serves the others.
// Affects the whole process; threads that allocated before the first call
// may keep heaps of their own.
void KeepFreedHeapMemory();

// Hands the pages of the heap's free memory back to the system, wherever
// they lie in the heap. For after a large free in the middle of the heap
// (which no trim threshold reaches), when the memory will not be needed
// again soon. Affects the whole process; costs a walk over the free lists.
void ReturnFreedHeapMemory();

// Lowers the scheduling priority of the calling thread a little, so that
// background work yields the processor to the thread that waits for it.
void LowerThreadPriority();

// Restarts the program, once, so that the C library backs its heap with
// huge pages, when the system offers them only to programs that ask. A run
// touches hundreds of megabytes of fresh heap, and on some virtual machines
// each small-page fault costs microseconds. Returns only when no restart
// is needed or possible. Call first thing in main, before any thread.
void RestartWithHugePageHeap(char** argv);

// A folder that files are written beneath without following links: no
// folder on the way to a file may be a symbolic link, and each file is
// written to a temporary file in the folder and renamed over its name, so
// that a reader never sees half a file and a failed write keeps the old
// one. Names are relative, normalised and free of "..". Safe to use from
// several threads.
class ConfinedFolder {
 public:
  enum class Outcome { kWritten, kUnchanged, kLinkInTheWay, kFailed };

  // What tells one version of a file from another without reading it:
  // writing or replacing the file changes at least one of these.
  struct Identity {
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds since the epoch
    uint64_t inode = 0;
    bool operator==(const Identity&) const = default;
  };

  struct Result {
    Outcome outcome;
    int error = 0;  // the system's error number when kFailed
    // The file as the write left it, when kWritten or kUnchanged.
    Identity identity = {};
  };

  explicit ConfinedFolder(std::filesystem::path root);
  ~ConfinedFolder();
  ConfinedFolder(const ConfinedFolder&) = delete;
  ConfinedFolder& operator=(const ConfinedFolder&) = delete;

  // How a file that is not there yet is made: written in place (there is
  // no old file to keep), or, for files whose half would mislead a reader,
  // written aside and renamed.
  enum class NewFile { kInPlace, kRenamed };

  // Writes `head` then `tail` as the file `name`; a file that already holds
  // exactly those bytes is left alone.
  Result Write(const std::string& name, std::string_view head, std::string_view tail,
               NewFile newFile = NewFile::kInPlace);

  // Makes `name` with `produce`, which writes the file at the full path it
  // is given (a picture drawn by a component): a temporary file in the
  // folder, named with the extension of `name` at its end, that is then
  // renamed over the name like a written one. The folders on the way are
  // checked before `produce` runs and again after it. When `produce` returns
  // false, its file is removed, the old one stays and the outcome is
  // kFailed with error 0.
  Result Produce(const std::string& name, const std::function<bool(const std::string&)>& produce);

  // The identity of the regular file `name`; false when there is no
  // regular file there or a link stands in the way.
  bool Identify(const std::string& name, Identity& identity);

  // Reads the regular file `name` whole; false when there is none, a link
  // stands in the way, or it holds more than `limit` bytes.
  bool ReadSmall(const std::string& name, size_t limit, std::string& text);

  // Takes the folder's advisory lock, which another process's run holds
  // while it writes there; false when that one holds it now. Kept until
  // the folder is let go.
  bool TryLock();
  // Waits for the lock as long as `keepWaiting` says so; false when it
  // gave up.
  bool Lock(const std::function<bool()>& keepWaiting);

  // Removes the temporary files a killed run left behind.
  void RemoveLeftovers();

 private:
  int Root(int& error);
  int OpenParent(const std::string& name, std::string& leaf, Result& failure);
  std::string TemporaryName(const std::string& extension);
  // Renames the temporary file, whose identity is `identity`, over `leaf`
  // in `folder`, or removes it.
  Result Replace(const std::string& temporary, int folder, const std::string& leaf,
                 const Identity& identity);

  std::filesystem::path root_;
  std::mutex mutex_;
  int root_fd_ = -1;
  std::atomic<uint64_t> next_temporary_{0};
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_PLATFORM_H_
