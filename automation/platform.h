// The few operating-system services the runtime needs, kept in one file
// (platform_posix.cpp) so that the rest of the code stays portable.
#ifndef TAVELLE_AUTOMATION_PLATFORM_H_
#define TAVELLE_AUTOMATION_PLATFORM_H_

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

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

// Whether the current user may create files in `folder`.
bool IsWritableFolder(const std::filesystem::path& folder);

// A clock in milliseconds that is cheap to read (a few nanoseconds) and
// only a few milliseconds coarse: good enough to space out periodic work.
int64_t CoarseClockMilliseconds();

// Lets the C library keep freed heap memory for reuse instead of handing
// it back to the system after every large free. A run allocates and frees
// a picture encoder's buffers thousands of times; without this each cycle
// costs system calls and fresh page faults. Affects the whole process.
void KeepFreedHeapMemory();

// Lowers the scheduling priority of the calling thread a little, so that
// background work yields the processor to the thread that waits for it.
void LowerThreadPriority();

// Restarts the program, once, so that the C library backs its heap with
// huge pages, when the system offers them only to programs that ask. A run
// touches hundreds of megabytes of fresh heap, and on some virtual machines
// each small-page fault costs microseconds. Returns only when no restart
// is needed or possible. Call first thing in main, before any thread.
void RestartWithHugePageHeap(char** argv);

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_PLATFORM_H_
