// FileStamp: what tells one version of a file from the next without
// reading it (size, modification time, inode). A file whose stamp is
// unchanged is most likely unchanged; one whose stamp changed certainly
// was written.
#ifndef TAVELLE_ENGINE_CORE_FILE_STAMP_H_
#define TAVELLE_ENGINE_CORE_FILE_STAMP_H_

#include <cstdint>
#include <filesystem>

namespace tavelle {

struct FileStamp {
  int64_t size = -1;  // -1: no file
  int64_t modified = 0;  // nanoseconds since the epoch
  int64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path`, following links; the default stamp
// when there is none.
FileStamp StampOf(const std::filesystem::path& path);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_FILE_STAMP_H_
