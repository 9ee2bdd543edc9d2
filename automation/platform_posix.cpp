#include <dlfcn.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

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
#endif
}

}  // namespace automation
