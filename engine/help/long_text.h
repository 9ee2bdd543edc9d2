// LongText: a help file of many megabytes (the contents, index and script
// tree of a large run) made on the output queue by appending to a short
// piece that is written out whenever it is long enough, so the file is
// never held whole. Built as one string, such a file would take fresh
// memory from the system (half as much again each time it doubled) and
// keep it until a worker had written it.
//
// ProduceLongText runs `build` on a worker, which reads the records while
// the run's thread goes on: the records must stay as they are until the
// run's output queue is drained, as they do once the pages are written.
#ifndef TAVELLE_ENGINE_HELP_LONG_TEXT_H_
#define TAVELLE_ENGINE_HELP_LONG_TEXT_H_

#include <cstdio>
#include <functional>
#include <string>

#include "engine/core/output_folder.h"

namespace tavelle {

class LongText {
 public:
  explicit LongText(std::FILE* file);

  // Where to append: the end of the text.
  std::string& Piece() { return piece_; }

  // Writes out what was appended once it is long enough; call it between
  // appends, wherever the text may be split.
  void Cut();

  // Writes the rest and CR LF. Returns 0, or the first error of a write.
  int Finish();

 private:
  void WritePiece();

  std::FILE* file_;
  std::string piece_;
  int error_ = 0;
};

// Makes the file `name` from what `build` appends, as OutputFolder::Write
// writes a text: followed by CR LF, and left alone when it already holds
// those bytes.
void ProduceLongText(OutputFolder& output, const std::string& name,
                     std::function<void(LongText&)> build);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_LONG_TEXT_H_
