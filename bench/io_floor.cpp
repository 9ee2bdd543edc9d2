// tavelle-io-floor: the least work any documentation run has to do, to
// compare real runs against.
//
//   tavelle-io-floor <input-folder> <output-folder> <file-count> <total-bytes>
//
// Reads every file under the input folder once, whole (recursively), then
// writes `file-count` files of `total-bytes` bytes in all into the output
// folder, which it creates when missing. The files written carry input
// bytes, so nothing can shortcut either half. Prints one summary line.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tavelle-io-floor <input-folder> <output-folder> <file-count> "
               "<total-bytes>\n");
  return 2;
}

bool ParseCount(std::string_view text, uint64_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

struct ReadTotals {
  uint64_t files = 0;
  uint64_t bytes = 0;
};

// Reads every regular file below `folder`; keeps the first bytes read (up
// to `keep`) as material for the files written later.
bool ReadAll(const fs::path& folder, size_t keep, ReadTotals& totals, std::string& material) {
  std::error_code error;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) {
    std::fprintf(stderr, "tavelle-io-floor: cannot read %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return false;
  }
  std::string text;
  for (; it != end; it.increment(error)) {
    if (error) break;
    if (!it->is_regular_file(error)) continue;
    std::ifstream file(it->path(), std::ios::binary);
    uint64_t size = it->file_size(error);
    if (error || !file) {
      std::fprintf(stderr, "tavelle-io-floor: cannot read %s\n", it->path().string().c_str());
      return false;
    }
    text.resize(size);
    file.read(text.data(), static_cast<std::streamsize>(size));
    ++totals.files;
    totals.bytes += static_cast<uint64_t>(file.gcount());
    if (material.size() < keep)
      material.append(text, 0, std::min(keep - material.size(), text.size()));
  }
  if (error) {
    std::fprintf(stderr, "tavelle-io-floor: cannot list %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return false;
  }
  return true;
}

// Writes `count` files holding `total` bytes in all, the remainder spread
// one byte each over the first files.
bool WriteAll(const fs::path& folder, uint64_t count, uint64_t total, std::string material) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "tavelle-io-floor: cannot create %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return false;
  }
  if (count == 0) return true;
  uint64_t each = total / count, extra = total % count;
  if (material.empty()) material = "tavelle\n";
  while (material.size() < each + 64) material += material;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t size = each + (i < extra ? 1 : 0);
    fs::path path = folder / ("floor" + std::to_string(i) + ".html");
    std::ofstream file(path, std::ios::binary);
    file.write(material.data() + i % 64, static_cast<std::streamsize>(size));
    file.close();
    if (!file) {
      std::fprintf(stderr, "tavelle-io-floor: cannot write %s\n", path.string().c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t count = 0, total = 0;
  if (argc != 5 || !ParseCount(argv[3], count) || !ParseCount(argv[4], total)) return Usage();
  if (count == 0 && total > 0) {
    std::fprintf(stderr, "tavelle-io-floor: %llu bytes cannot go into 0 files\n",
                 static_cast<unsigned long long>(total));
    return 2;
  }
  uint64_t largest = count ? total / count + 1 : 0;
  // Enough input bytes to fill the largest output file from any of the
  // 64 starting offsets used in WriteAll.
  size_t keep = static_cast<size_t>(std::min<uint64_t>(largest + 64, uint64_t{1} << 30));

  ReadTotals read;
  std::string material;
  if (!ReadAll(argv[1], keep, read, material)) return 1;
  if (!WriteAll(argv[2], count, total, std::move(material))) return 1;
  std::printf("read %llu files, %llu bytes; wrote %llu files, %llu bytes\n",
              static_cast<unsigned long long>(read.files),
              static_cast<unsigned long long>(read.bytes),
              static_cast<unsigned long long>(count), static_cast<unsigned long long>(total));
  return 0;
}
