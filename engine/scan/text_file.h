// ReadTextFile: the engine's reader of text files. It returns the whole
// text with every line followed by CR LF. A line ends at CR LF, at a lone
// CR or at a lone LF. When `prefix` is not empty, one occurrence of it is
// removed from the start of every line that begins with it (the comment
// string of documentation lines). A file that cannot be read gives a
// failure (the system's description of the error, "  File: ", the path)
// and the lines read before it (none when it could not be opened; a
// directory cannot be). Only regular files are read, and none larger than
// kMaxTextFileSize: anything else (a FIFO, a device) fails without being
// read, so that it can neither block the run nor fill its memory. A cancel
// request, checked before each line, stops the reading; the text then
// holds the lines read so far. When `lineStarts` is given, it receives the
// offset in `text` where each line starts (lines that start beyond 4 GiB
// are not recorded). When `bytesKey` is given, it receives the key of the
// file's bytes (BytesKeyOfFile) once the whole file was read.
#ifndef TAVELLE_ENGINE_SCAN_TEXT_FILE_H_
#define TAVELLE_ENGINE_SCAN_TEXT_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/run.h"
#include "engine/core/status.h"

namespace tavelle {

inline constexpr uintmax_t kMaxTextFileSize = uintmax_t{64} << 20;

Status ReadTextFile(const std::string& filePath, std::string& text, std::string_view prefix,
                    Run& run, std::vector<uint32_t>* lineStarts = nullptr,
                    uint64_t* bytesKey = nullptr);

// A key of the bytes of the regular file `filePath`, which changes when
// they do, read without taking them as text; 0 when it cannot be read.
uint64_t BytesKeyOfFile(const std::string& filePath);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_TEXT_FILE_H_
