#include "engine/help/long_text.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace tavelle {
namespace {

// The piece is written out once it holds this much; what one record
// appends before the next cut rarely takes it past the room it starts with.
constexpr size_t kPieceBytes = 32 << 10;
constexpr size_t kPieceRoom = 48 << 10;

}  // namespace

LongText::LongText(std::FILE* file) : file_(file) { piece_.reserve(kPieceRoom); }

void LongText::Cut() {
  if (piece_.size() >= kPieceBytes) WritePiece();
}

int LongText::Finish() {
  piece_ += "\r\n";
  WritePiece();
  return error_;
}

void LongText::WritePiece() {
  if (!error_ && std::fwrite(piece_.data(), 1, piece_.size(), file_) != piece_.size())
    error_ = errno ? errno : EIO;
  piece_.clear();
}

void ProduceLongText(OutputFolder& output, const std::string& name,
                     std::function<void(LongText&)> build) {
  auto produce = [build = std::move(build), path = output.PathOf(name)](
                     const std::string& file, RunReport&) {
    std::FILE* stream = std::fopen(file.c_str(), "wb");
    if (!stream) return Status::FileFailure(std::strerror(errno), path);
    LongText text(stream);
    build(text);
    int error = text.Finish();
    if (std::fclose(stream) != 0 && !error) error = errno ? errno : EIO;
    return error ? Status::FileFailure(std::strerror(error), path) : Status();
  };
  output.Produce(name, std::move(produce), kPieceRoom);
}

}  // namespace tavelle
