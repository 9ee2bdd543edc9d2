#include "engine/html/search_index.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include "engine/core/output_queue.h"
#include "engine/html/page_frame.h"
#include "engine/html/search_script.h"
#include "engine/scan/fields.h"

namespace tavelle {
namespace {

// A shard larger than this is split, so that no query loads much more.
constexpr size_t kLeafBytes = 96 * 1024;
// How many items a split shard keeps: more than the box shows.
constexpr size_t kTopItems = 40;
// Keys stop growing here; a longer shard is kept whole.
constexpr size_t kMaxKeyBytes = 16;
// Short descriptions are cut to about this many bytes.
constexpr size_t kSummaryBytes = 120;

bool IsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsLowerOrDigit(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
bool IsWordByte(unsigned char c) { return IsUpper(c) || IsLowerOrDigit(c) || c >= 0x80; }

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded)
    if (IsUpper(c)) c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

// Where the words of `name` start (see the header).
std::vector<uint32_t> WordStarts(std::string_view name) {
  std::vector<uint32_t> starts;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = name[i];
    if (i == 0) {
      starts.push_back(0);
      continue;
    }
    if (!IsWordByte(c)) continue;
    unsigned char before = name[i - 1];
    bool hump = IsUpper(c) && (IsLowerOrDigit(before) ||
                               (IsUpper(before) && i + 1 < name.size() &&
                                name[i + 1] >= 'a' && name[i + 1] <= 'z'));
    if (!IsWordByte(before) || hump) starts.push_back(static_cast<uint32_t>(i));
  }
  return starts;
}

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendEscape(std::string& out, uint32_t unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
}

void AppendCodePoint(std::string& out, uint32_t code) {
  if (code == '"' || code == '\\') {
    out += '\\';
    out += static_cast<char>(code);
  } else if (code < 0x20 || code == '<' || code == '>' || code == '&' || code == 0x7F) {
    AppendEscape(out, code);
  } else if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x10000) {
    AppendEscape(out, code);
  } else {
    code -= 0x10000;
    AppendEscape(out, 0xD800 + (code >> 10));
    AppendEscape(out, 0xDC00 + (code & 0x3FF));
  }
}

// The length of the UTF-8 sequence starting at `text[at]` and its code
// point; a byte that starts no valid sequence counts alone as U+FFFD.
std::pair<size_t, uint32_t> DecodeUtf8(std::string_view text, size_t at) {
  unsigned char lead = text[at];
  if (lead < 0x80) return {1, lead};
  size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead >= 0xF5) length = 0;
  if (length == 0 || at + length > text.size()) return {1, 0xFFFD};
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    unsigned char next = text[at + i];
    if ((next & 0xC0) != 0x80) return {1, 0xFFFD};
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
    return {1, 0xFFFD};
  return {length, code};
}

// `text` as a double-quoted script string of ASCII characters only: quotes
// and backslashes escaped, everything else that is not printable ASCII, and
// < > &, written as \u escapes.
void AppendScriptString(std::string& out, std::string_view text) {
  out += '"';
  for (size_t at = 0; at < text.size();) {
    unsigned char c = text[at];
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&') {
      out += static_cast<char>(c);
      ++at;
      continue;
    }
    auto [length, code] = DecodeUtf8(text, at);
    AppendCodePoint(out, code);
    at += length;
  }
  out += '"';
}

std::string CutSummary(std::string text) {
  if (text.size() <= kSummaryBytes) return text;
  size_t cut = kSummaryBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  text += "\xE2\x80\xA6";
  return text;
}

// An item with what the index needs to rank and place it. Only members
// keep a full name of their own; the folded name is a part of `folded`.
struct IndexedItem {
  const SearchItem* item = nullptr;
  std::string memberFull;  // "Class::Member" for members, else empty
  std::string folded;      // Full() folded
  size_t nameStart = 0;    // where the item's own name starts in `folded`
  uint64_t foldedHead = 0;
  std::string record;      // its entry in a shard

  std::string_view Full() const { return item->owner.empty() ? item->name : memberFull; }
  std::string_view FoldedName() const { return std::string_view(folded).substr(nameStart); }
};

// The first eight bytes of `text` as a number that orders as they do,
// so that most comparisons of names cost one integer comparison.
uint64_t Head(std::string_view text) {
  uint64_t head = 0;
  for (size_t i = 0; i < 8; ++i)
    head = (head << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
  return head;
}

// `a` < `b` in byte order, given their heads.
bool ComesBefore(uint64_t headA, std::string_view a, uint64_t headB, std::string_view b) {
  if (headA != headB) return headA < headB;
  int rest = a.substr(std::min<size_t>(8, a.size())).compare(b.substr(std::min<size_t>(8, b.size())));
  if (rest != 0) return rest < 0;
  return a.size() < b.size();
}

// One word start of an item: the folded full name from there on.
struct Posting {
  uint64_t head;  // Head(suffix)
  uint32_t item;
  std::string_view suffix;
};

IndexedItem Indexed(const SearchItem& item) {
  IndexedItem indexed;
  indexed.item = &item;
  if (!item.owner.empty()) indexed.memberFull = item.owner + "::" + item.name;
  // Folding keeps every byte in its place, so the name folded ends `folded`.
  indexed.folded = Folded(indexed.Full());
  indexed.nameStart = indexed.folded.size() - item.name.size();
  indexed.foldedHead = Head(indexed.folded);
  std::string& record = indexed.record;
  record = "[" + std::to_string(static_cast<int>(item.kind)) + ",";
  AppendScriptString(record, item.name);
  record += ",";
  AppendScriptString(record, item.owner);
  record += ",";
  // Pages named as a block without "File" names them are left out.
  std::string defaultPage = (item.owner.empty() ? "" : item.owner + "_") + item.name + ".html";
  AppendScriptString(record, item.page == defaultPage ? std::string() : item.page);
  record += ",";
  AppendScriptString(record, CutSummary(item.summary));
  record += "]";
  return indexed;
}

// How well an item of a shard keyed `key` matches `key` as a whole query:
// 0 the exact name, 1 a prefix of it, 2 the start of one of its words.
int Tier(const IndexedItem& item, std::string_view key) {
  if (item.FoldedName() == key || item.folded == key) return 0;
  if (item.FoldedName().starts_with(key) || item.folded.starts_with(key)) return 1;
  return 2;
}

// Hands each shard to `emit` as soon as it is made, so that the index is
// never held whole.
class ShardWriter {
 public:
  ShardWriter(const std::vector<IndexedItem>& items, const ShardSink& emit)
      : items_(items), emit_(emit), seen_(items.size(), 0) {}

  // Emits the shard of `key`, which `postings` (sorted by suffix, each
  // starting with `key`) cover, and below it the shards it is split into.
  void Emit(std::string_view key, std::span<const Posting> postings) {
    std::vector<uint32_t> members = Distinct(postings);

    size_t bytes = 0;
    for (uint32_t member : members) bytes += items_[member].record.size() + 1;
    // A large shard whose words all end at its key keeps its best items
    // too: no longer query can match them.
    bool longer = postings.back().suffix.size() > key.size();
    bool split = bytes > kLeafBytes && (!longer || key.size() < kMaxKeyBytes);
    if (split) KeepBest(members, key);
    Write(key, split, members);
    if (!split || !longer) return;

    // Postings that end with the key sort first; the rest group by their
    // next byte.
    size_t first = 0;
    while (postings[first].suffix.size() == key.size()) ++first;
    EmitChildren(key.size(), postings.subspan(first));
  }

  void EmitChildren(size_t depth, std::span<const Posting> postings) {
    for (size_t begin = 0; begin < postings.size();) {
      char next = postings[begin].suffix[depth];
      size_t end = begin;
      while (end < postings.size() && postings[end].suffix[depth] == next) ++end;
      Emit(postings[begin].suffix.substr(0, depth + 1), postings.subspan(begin, end - begin));
      begin = end;
    }
  }

 private:
  // The items of `postings`, each once, in posting order.
  std::vector<uint32_t> Distinct(std::span<const Posting> postings) {
    ++stamp_;
    std::vector<uint32_t> members;
    for (const Posting& posting : postings) {
      if (seen_[posting.item] == stamp_) continue;
      seen_[posting.item] = stamp_;
      members.push_back(posting.item);
    }
    return members;
  }

  // Keeps the best items for `key` as the whole query, best first: by
  // tier, kind, folded name, name, page.
  void KeepBest(std::vector<uint32_t>& members, std::string_view key) const {
    struct Ranked {
      int tier;
      SearchKind kind;
      uint32_t index;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(members.size());
    for (uint32_t index : members)
      ranked.push_back({Tier(items_[index], key), items_[index].item->kind, index});
    auto better = [&](const Ranked& a, const Ranked& b) {
      if (a.tier != b.tier) return a.tier < b.tier;
      if (a.kind != b.kind) return a.kind < b.kind;
      const IndexedItem& x = items_[a.index];
      const IndexedItem& y = items_[b.index];
      if (x.foldedHead != y.foldedHead || x.folded != y.folded)
        return ComesBefore(x.foldedHead, x.folded, y.foldedHead, y.folded);
      return std::make_tuple(x.Full(), std::string_view(x.item->page), a.index) <
             std::make_tuple(y.Full(), std::string_view(y.item->page), b.index);
    };
    size_t kept = std::min(ranked.size(), kTopItems);
    std::partial_sort(ranked.begin(), ranked.begin() + kept, ranked.end(), better);
    members.resize(kept);
    for (size_t i = 0; i < kept; ++i) members[i] = ranked[i].index;
  }

  void Write(std::string_view key, bool split, const std::vector<uint32_t>& members) {
    std::string hex;
    for (unsigned char c : key) {
      hex += kHexDigits[c >> 4];
      hex += kHexDigits[c & 0xF];
    }
    std::string text = "tavelleSearch.shard(\"" + hex + "\"," + (split ? "1" : "0") + ",[";
    for (size_t i = 0; i < members.size(); ++i) {
      if (i > 0) text += ",\n";
      text += items_[members[i]].record;
    }
    text += "]);";
    emit_({"tavelle-search-" + hex + ".js", std::move(text)});
  }

  const std::vector<IndexedItem>& items_;
  const ShardSink& emit_;
  std::vector<uint32_t> seen_;  // the last Distinct call that met each item
  uint32_t stamp_ = 0;
};

}  // namespace

std::vector<SearchItem> CollectSearchItems(const Project& project) {
  std::vector<SearchItem> items;
  for (const auto& classDoc : project.Classes) {
    items.push_back({SearchKind::kClass, classDoc->Name, {}, classDoc->filename,
                     classDoc->ShortDescription});
    for (const auto& member : classDoc->Members)
      items.push_back({SearchKind::kMember, member->Name, classDoc->Name, member->filename,
                       member->ShortDescription});
  }
  for (const auto& function : project.Functions)
    items.push_back({SearchKind::kFunction, function->Name, {}, function->filename,
                     function->ShortDescription});
  for (const auto& topic : project.GeneralDocs)
    items.push_back(
        {SearchKind::kTopic, topic->Name, {}, topic->filename, FirstLine(topic->Description)});
  for (const auto& entry : project.KeyWords)
    if (!entry->filename.empty())
      items.push_back({SearchKind::kIndexEntry, entry->Name, {}, entry->filename, {}});
  return items;
}

void BuildSearchIndex(const std::vector<SearchItem>& items, const ShardSink& emit) {
  std::vector<IndexedItem> indexed;
  indexed.reserve(items.size());
  for (const SearchItem& item : items) indexed.push_back(Indexed(item));

  // A member is found by the start of its class, not by the class's inner
  // words: those find the class itself. The postings are counted first, so
  // that the largest array of the index is made once, at its size.
  auto postingStarts = [&indexed](uint32_t i) {
    std::vector<uint32_t> starts = WordStarts(indexed[i].Full());
    size_t memberStart = indexed[i].nameStart;
    std::erase_if(starts, [memberStart](uint32_t start) {
      return start != 0 && start < memberStart;
    });
    return starts;
  };
  size_t postingCount = 0;
  for (uint32_t i = 0; i < indexed.size(); ++i) postingCount += postingStarts(i).size();
  std::vector<Posting> postings;
  postings.reserve(postingCount);
  for (uint32_t i = 0; i < indexed.size(); ++i) {
    std::string_view folded = indexed[i].folded;
    for (uint32_t start : postingStarts(i)) {
      std::string_view suffix = folded.substr(start);
      postings.push_back({Head(suffix), i, suffix});
    }
  }
  std::sort(postings.begin(), postings.end(), [](const Posting& a, const Posting& b) {
    if (a.head == b.head && a.suffix == b.suffix) return a.item < b.item;
    return ComesBefore(a.head, a.suffix, b.head, b.suffix);
  });

  ShardWriter(indexed, emit).EmitChildren(0, postings);
}

std::vector<OutputText> BuildSearchIndex(const std::vector<SearchItem>& items) {
  std::vector<OutputText> shards;
  BuildSearchIndex(items, [&shards](OutputText shard) { shards.push_back(std::move(shard)); });
  return shards;
}

std::vector<OutputText> SearchPages(const std::string& head, const std::string& tail) {
  std::string page = InsertTitle(head, "Search");
  page += "<h1>Search</h1>\r\n<div id=\"tavelle-search-results\"></div>\r\n";
  // A template without the search box still gets a working results page.
  if (head.find(kSearchScriptFile) == std::string::npos &&
      tail.find(kSearchScriptFile) == std::string::npos)
    page += std::string("<script src=\"") + kSearchScriptFile + "\"></script>\r\n";
  page += tail;
  return {{kSearchScriptFile, std::string(kSearchScript)}, {"tavelle-search.html", std::move(page)}};
}

void WriteSearchIndex(const Project& project, Run& run, const std::string& head,
                      const std::string& tail) {
  std::vector<OutputText> pages = SearchPages(head, tail);
  size_t bytes = pages[0].text.size() + pages[1].text.size();
  // Gathered, built and written on the worker thread while the run writes
  // its help files; the run waits for its queue before its records go.
  auto write = [&project, &output = run.Output(), pages = std::move(pages)](
                   RunReport& report) {
    auto writeFile = [&](const OutputText& file) {
      report.Fail(output.WriteNow(file.name, file.text));
    };
    BuildSearchIndex(CollectSearchItems(project), writeFile);
    for (const OutputText& page : pages) writeFile(page);
  };
  run.Queue().Post(OutputJob{std::move(write), bytes, true, "tavelle-search"});
}

}  // namespace tavelle
