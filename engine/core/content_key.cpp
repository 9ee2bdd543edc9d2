#include "engine/core/content_key.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace tavelle {

struct ContentKey::State {
  XXH3_state_t hash;
};

ContentKey::ContentKey() : state_(std::make_unique<State>()) { XXH3_64bits_reset(&state_->hash); }

ContentKey::~ContentKey() = default;

ContentKey& ContentKey::Add(std::string_view text) {
  return Add(static_cast<int64_t>(text.size())).AddBytes(text);
}

ContentKey& ContentKey::AddBytes(std::string_view bytes) {
  XXH3_64bits_update(&state_->hash, bytes.data(), bytes.size());
  return *this;
}

ContentKey& ContentKey::Add(int64_t number) {
  XXH3_64bits_update(&state_->hash, &number, sizeof number);
  return *this;
}

uint64_t ContentKey::Value() const {
  uint64_t value = XXH3_64bits_digest(&state_->hash);
  return value == 0 ? 1 : value;
}

}  // namespace tavelle
