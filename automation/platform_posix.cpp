#include <dlfcn.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <time.h>
#include <unistd.h>

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

void KeepFreedHeapMemory() {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, 16 << 20);
#endif
}

}  // namespace automation
