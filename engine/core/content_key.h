// ContentKey: a 64-bit hash of everything one output file is made from,
// fed a piece at a time. Each piece is framed by its length, so "ab" then
// "c" and "a" then "bc" give different keys. Two runs that feed the same
// pieces get the same key; the value is never 0, which means "no key".
#ifndef TAVELLE_ENGINE_CORE_CONTENT_KEY_H_
#define TAVELLE_ENGINE_CORE_CONTENT_KEY_H_

#include <cstdint>
#include <memory>
#include <string_view>

namespace tavelle {

class ContentKey {
 public:
  ContentKey();
  ~ContentKey();
  ContentKey(const ContentKey&) = delete;
  ContentKey& operator=(const ContentKey&) = delete;

  ContentKey& Add(std::string_view text);
  ContentKey& Add(int64_t number);
  // Bytes without a frame, for one piece fed in parts; add its length
  // after the last part.
  ContentKey& AddBytes(std::string_view bytes);

  uint64_t Value() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_CONTENT_KEY_H_
