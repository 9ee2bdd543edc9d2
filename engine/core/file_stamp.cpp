#include "engine/core/file_stamp.h"

#include <sys/stat.h>

namespace tavelle {

FileStamp StampOf(const std::filesystem::path& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return {};
  return {static_cast<int64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
          static_cast<int64_t>(info.st_ino)};
}

}  // namespace tavelle
