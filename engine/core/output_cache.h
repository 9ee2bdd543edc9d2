// OutputCache: what each file of the previous run was made from, so that a
// re-run can leave a file as it is instead of making it again.
//
// A writer gives a file a key (engine/core/content_key.h) that covers
// everything the file's bytes are made from. The cache, kept in the output
// folder as ".tavelle-cache", holds per file that key and the file's
// identity (size, modification time, inode) at the end of the run. A file
// may be left alone when this run's key equals the cached one and the file
// still has the cached identity, so a file that someone edited, replaced or
// removed is made again. A missing or damaged cache, or one written by
// another version of the program, reads as empty.
#ifndef TAVELLE_ENGINE_CORE_OUTPUT_CACHE_H_
#define TAVELLE_ENGINE_CORE_OUTPUT_CACHE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "automation/platform.h"

namespace tavelle {

inline constexpr char kCacheName[] = ".tavelle-cache";

struct CachedFile {
  uint64_t key = 0;
  automation::ConfinedFolder::Identity identity;
};

using OutputCache = std::unordered_map<std::string, CachedFile>;

// The cache held in `text`; empty unless `text` is a whole cache of this
// version.
OutputCache ParseOutputCache(std::string_view text);

// The text of a cache of `files`, by name.
std::string FormatOutputCache(const std::vector<std::pair<std::string_view, CachedFile>>& files);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_CACHE_H_
