#include "engine/html/search_index.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

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

bool IsPlain(unsigned char c) {
  return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&';
}

// `text` as the inside of a double-quoted script string of ASCII
// characters only: quotes and backslashes escaped, everything else that is
// not printable ASCII, and < > &, written as \u escapes.
void AppendScriptText(std::string& out, std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    size_t plain = at;
    while (plain < text.size() && IsPlain(text[plain])) ++plain;
    out.append(text.data() + at, plain - at);
    if (plain == text.size()) return;
    auto [length, code] = DecodeUtf8(text, plain);
    AppendCodePoint(out, code);
    at = plain + length;
  }
}

void AppendScriptString(std::string& out, std::string_view text) {
  out += '"';
  AppendScriptText(out, text);
  out += '"';
}

// A short description cut to about kSummaryBytes, with an ellipsis.
void AppendSummary(std::string& out, std::string_view text) {
  if (text.size() <= kSummaryBytes) return AppendScriptString(out, text);
  size_t cut = kSummaryBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  out += '"';
  AppendScriptText(out, text.substr(0, cut));
  out += "\\u2026\"";
}

void AppendFolded(std::string& out, std::string_view text) {
  size_t at = out.size();
  out += text;
  for (size_t i = at; i < out.size(); ++i)
    if (IsUpper(out[i])) out[i] = static_cast<char>(out[i] - 'A' + 'a');
}

// Appends where the words of `name` start (see the header), `offset` on.
void AppendWordStarts(std::string_view name, uint32_t offset, std::vector<uint32_t>& starts) {
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = name[i];
    if (i == 0) {
      starts.push_back(offset);
      continue;
    }
    if (!IsWordByte(c)) continue;
    unsigned char before = name[i - 1];
    bool hump = IsUpper(c) && (IsLowerOrDigit(before) ||
                               (IsUpper(before) && i + 1 < name.size() &&
                                name[i + 1] >= 'a' && name[i + 1] <= 'z'));
    if (!IsWordByte(before) || hump) starts.push_back(offset + static_cast<uint32_t>(i));
  }
}

// Whether `item.page` is the name a block without "File" gets.
bool IsDefaultPage(const SearchItem& item) {
  std::string_view page = item.page;
  if (!item.owner.empty()) {
    if (!page.starts_with(item.owner) || page.substr(item.owner.size(), 1) != "_") return false;
    page.remove_prefix(item.owner.size() + 1);
  }
  return page.size() == item.name.size() + 5 && page.starts_with(item.name) &&
         page.ends_with(".html");
}

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

// A stretch of one of the index's texts.
struct Span {
  uint32_t begin = 0;
  uint32_t end = 0;
};

// An item with what the index needs to rank and place it. Its texts lie
// in the index's two buffers: the folded names and the records.
struct IndexedItem {
  const SearchItem* item = nullptr;
  Span folded;           // the folded full name: "class::member" for members
  uint32_t nameAt = 0;   // where its own name starts in `folded`
  uint64_t foldedHead = 0;
  Span record;           // its entry in a shard
  Span name;             // the name's script string in `record`
  uint32_t pageAt = 0;   // the comma before the page in `record`
  Span whole;            // a class's entry with its members, if it has any
};

// One word start of an item: the folded full name from there on; for a
// class with members also its name and "::".
struct Posting {
  uint64_t head;  // Head(suffix)
  uint32_t item;
  Span suffix;    // in the folded names
};

// The items of an index, their records and their word starts.
class IndexTable {
 public:
  explicit IndexTable(const std::vector<SearchItem>& items) {
    // About what the texts take, so that they grow without copying.
    size_t names = 0, records = 0;
    for (const SearchItem& item : items) {
      names += item.owner.size() + item.name.size() + 4;
      records += 2 * item.name.size() + item.owner.size() + item.page.size() +
                 std::min(item.summary.size(), kSummaryBytes) + 24;
    }
    folds_.reserve(names);
    records_.reserve(records);
    starts_.reserve(2 * items.size());
    items_.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) Add(items, i);
    for (size_t i = 0; i < items.size(); ++i)
      if (items_[i].whole.end != 0) AddWholeRecord(i);
  }

  const IndexedItem& Item(uint32_t index) const { return items_[index]; }
  std::string_view Folded(Span span) const {
    return std::string_view(folds_).substr(span.begin, span.end - span.begin);
  }
  std::string_view Record(Span span) const {
    return std::string_view(records_).substr(span.begin, span.end - span.begin);
  }
  std::string_view FoldedName(const IndexedItem& item) const {
    return Folded({item.folded.begin + item.nameAt, item.folded.end});
  }

  // Every posting, sorted by suffix, then item.
  std::vector<Posting> SortedPostings() const {
    std::vector<Posting> postings;
    postings.reserve(starts_.size());
    for (const auto& [item, start] : starts_) {
      Span suffix{start, items_[item].folded.end};
      if (start == kWholeStart) suffix = {items_[item].folded.begin, items_[item].folded.end + 2};
      postings.push_back({Head(Folded(suffix)), item, suffix});
    }
    std::sort(postings.begin(), postings.end(), [this](const Posting& a, const Posting& b) {
      std::string_view x = Folded(a.suffix), y = Folded(b.suffix);
      if (a.head == b.head && x == y) return a.item < b.item;
      return ComesBefore(a.head, x, b.head, y);
    });
    return postings;
  }

 private:
  // Marks the posting of a class's name and "::".
  static constexpr uint32_t kWholeStart = UINT32_MAX;

  void Add(const std::vector<SearchItem>& items, size_t index) {
    const SearchItem& item = items[index];
    IndexedItem indexed;
    indexed.item = &item;
    uint32_t at = Size(folds_);
    if (!item.owner.empty()) {
      AppendFolded(folds_, item.owner);
      folds_ += "::";
    }
    indexed.nameAt = Size(folds_) - at;
    AppendFolded(folds_, item.name);
    indexed.folded = {at, Size(folds_)};
    indexed.foldedHead = Head(Folded(indexed.folded));

    uint32_t item32 = static_cast<uint32_t>(index);
    wordStarts_.clear();
    AppendWordStarts(item.name, at + indexed.nameAt, wordStarts_);
    for (uint32_t start : wordStarts_) starts_.push_back({item32, start});
    if (item.kind == SearchKind::kClass && index + 1 < items.size() &&
        items[index + 1].kind == SearchKind::kMember && items[index + 1].owner == item.name) {
      folds_ += "::";
      starts_.push_back({item32, kWholeStart});
      indexed.whole.end = 1;  // made once every record is
    }

    uint32_t begin = Size(records_);
    records_ += '[';
    records_ += static_cast<char>('0' + static_cast<int>(item.kind));
    records_ += ',';
    indexed.name.begin = Size(records_);
    AppendScriptString(records_, item.name);
    indexed.name.end = Size(records_);
    records_ += ',';
    AppendScriptString(records_, item.owner);
    indexed.pageAt = Size(records_);
    records_ += ',';
    AppendScriptString(records_, IsDefaultPage(item) ? std::string_view() : item.page);
    records_ += ',';
    AppendSummary(records_, item.summary);
    records_ += ']';
    indexed.record = {begin, Size(records_)};
    items_.push_back(indexed);
  }

  // The class's record with the name, page and short description of each
  // of the members that follow it.
  void AddWholeRecord(size_t index) {
    IndexedItem& owner = items_[index];
    uint32_t begin = Size(records_);
    records_.append(records_, owner.record.begin, owner.record.end - owner.record.begin - 1);
    records_ += ",[";
    for (size_t i = index + 1; i < items_.size(); ++i) {
      const IndexedItem& member = items_[i];
      if (member.item->kind != SearchKind::kMember || member.item->owner != owner.item->name)
        break;
      if (i > index + 1) records_ += ',';
      records_ += '[';
      records_.append(records_, member.name.begin, member.name.end - member.name.begin);
      records_.append(records_, member.pageAt, member.record.end - member.pageAt);
    }
    records_ += "]]";
    owner.whole = {begin, Size(records_)};
  }

  static uint32_t Size(const std::string& text) { return static_cast<uint32_t>(text.size()); }

  std::vector<IndexedItem> items_;
  std::string folds_;
  std::string records_;
  std::vector<std::pair<uint32_t, uint32_t>> starts_;  // item, where in `folds_`
  std::vector<uint32_t> wordStarts_;
};

// How well an item of a shard keyed `key` matches `key` as a whole query:
// 0 the exact name, 1 a prefix of it, 2 the start of one of its words.
int Tier(const IndexTable& table, const IndexedItem& item, std::string_view key) {
  std::string_view folded = table.Folded(item.folded), name = table.FoldedName(item);
  if (name == key || folded == key) return 0;
  if (name.starts_with(key) || folded.starts_with(key)) return 1;
  return 2;
}

std::string FullName(const SearchItem& item) {
  std::string full(item.owner);
  if (!full.empty()) full += "::";
  full += item.name;
  return full;
}

class ShardWriter {
 public:
  ShardWriter(const IndexTable& table, size_t itemCount, const ShardSink& sink)
      : table_(table), sink_(sink), seen_(itemCount, 0), whole_seen_(itemCount, 0) {}

  // Emits the shard of `key`, which `postings` (sorted by suffix, each
  // starting with `key`) cover, and below it the shards it is split into.
  void Emit(std::string_view key, std::span<const Posting> postings) {
    Distinct(postings);
    size_t bytes = 0;
    for (uint32_t member : members_) bytes += RecordOf(member, true).size() + 1;
    // A large shard whose words all end at its key keeps its best items
    // too: no longer query can match them.
    bool longer = postings.back().suffix.end - postings.back().suffix.begin > key.size();
    bool split = bytes > kLeafBytes && (!longer || key.size() < kMaxKeyBytes);
    if (split) KeepBest(key);
    Write(key, split);
    if (!split || !longer) return;

    // Postings that end with the key sort first; the rest group by their
    // next byte.
    size_t first = 0;
    while (Suffix(postings[first]).size() == key.size()) ++first;
    EmitChildren(key.size(), postings.subspan(first));
  }

  void EmitChildren(size_t depth, std::span<const Posting> postings) {
    for (size_t begin = 0; begin < postings.size();) {
      std::string_view suffix = Suffix(postings[begin]);
      size_t end = begin + 1;
      while (end < postings.size() && Suffix(postings[end])[depth] == suffix[depth]) ++end;
      Emit(suffix.substr(0, depth + 1), postings.subspan(begin, end - begin));
      begin = end;
    }
  }

 private:
  std::string_view Suffix(const Posting& posting) const { return table_.Folded(posting.suffix); }

  // The items of `postings`, each once, in posting order, into members_;
  // whole_seen_ marks those whose name and "::" is among them.
  void Distinct(std::span<const Posting> postings) {
    ++stamp_;
    members_.clear();
    for (const Posting& posting : postings) {
      if (posting.suffix.end > table_.Item(posting.item).folded.end)
        whole_seen_[posting.item] = stamp_;
      if (seen_[posting.item] == stamp_) continue;
      seen_[posting.item] = stamp_;
      members_.push_back(posting.item);
    }
  }

  // The record of `index` in this shard: with its members where the
  // shard holds its name and "::" and, in a split shard, only when that
  // is the key.
  std::string_view RecordOf(uint32_t index, bool whole) const {
    const IndexedItem& item = table_.Item(index);
    if (whole && whole_seen_[index] == stamp_) return table_.Record(item.whole);
    return table_.Record(item.record);
  }

  // Keeps the best items for `key` as the whole query, best first: by
  // tier, kind, folded name, name, page.
  void KeepBest(std::string_view key) {
    ranked_.clear();
    for (uint32_t index : members_) {
      const IndexedItem& item = table_.Item(index);
      ranked_.push_back({item.foldedHead, Tier(table_, item, key), item.item->kind, index});
    }
    auto better = [&](const Ranked& a, const Ranked& b) {
      if (a.tier != b.tier) return a.tier < b.tier;
      if (a.kind != b.kind) return a.kind < b.kind;
      if (a.head != b.head) return a.head < b.head;
      const IndexedItem& x = table_.Item(a.index);
      const IndexedItem& y = table_.Item(b.index);
      std::string_view xFolded = table_.Folded(x.folded), yFolded = table_.Folded(y.folded);
      if (xFolded != yFolded) return ComesBefore(a.head, xFolded, b.head, yFolded);
      std::string xFull = FullName(*x.item), yFull = FullName(*y.item);
      return std::tie(xFull, x.item->page, a.index) < std::tie(yFull, y.item->page, b.index);
    };
    size_t kept = std::min(ranked_.size(), kTopItems);
    std::partial_sort(ranked_.begin(), ranked_.begin() + kept, ranked_.end(), better);
    members_.resize(kept);
    for (size_t i = 0; i < kept; ++i) members_[i] = ranked_[i].index;
  }

  void Write(std::string_view key, bool split) {
    std::string hex;
    for (unsigned char c : key) {
      hex += kHexDigits[c >> 4];
      hex += kHexDigits[c & 0xF];
    }
    std::vector<std::string_view> records;
    records.reserve(members_.size());
    size_t bytes = hex.size() + 32;
    for (uint32_t member : members_) {
      const IndexedItem& item = table_.Item(member);
      bool whole = !split || (item.whole.end != 0 && table_.Folded({item.folded.begin,
                                                                    item.folded.end + 2}) == key);
      records.push_back(RecordOf(member, whole));
      bytes += records.back().size() + 2;
    }
    std::string text;
    text.reserve(bytes);
    text += "tavelleSearch.shard(\"";
    text += hex;
    text += split ? "\",1,[" : "\",0,[";
    for (size_t i = 0; i < records.size(); ++i) {
      if (i > 0) text += ",\n";
      text += records[i];
    }
    text += "]);";
    sink_(OutputText{"tavelle-search-" + hex + ".js", std::move(text)});
  }

  // An item of a split shard with what ranks it, most of it at hand.
  struct Ranked {
    uint64_t head;  // of its folded name
    int tier;
    SearchKind kind;
    uint32_t index;
  };

  const IndexTable& table_;
  const ShardSink& sink_;
  std::vector<uint32_t> seen_;        // the last Distinct call that met each item
  std::vector<uint32_t> whole_seen_;  // and the last that met its name and "::"
  uint32_t stamp_ = 0;
  std::vector<uint32_t> members_;     // the items of the shard in hand
  std::vector<Ranked> ranked_;
};

}  // namespace

std::vector<std::string> TopicSummaries(const Project& project) {
  std::vector<std::string> summaries;
  summaries.reserve(project.GeneralDocs.Count());
  for (const auto& topic : project.GeneralDocs)
    summaries.emplace_back(FirstLine(FlattenText(topic->Description)));
  return summaries;
}

std::vector<SearchItem> CollectSearchItems(const Project& project,
                                           const std::vector<std::string>& topicSummaries) {
  std::vector<SearchItem> items;
  size_t count = project.Functions.Count() + project.GeneralDocs.Count() + project.KeyWords.Count();
  for (const auto& classDoc : project.Classes) count += 1 + classDoc->Members.Count();
  items.reserve(count);
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
  size_t topicIndex = 0;
  for (const auto& topic : project.GeneralDocs)
    items.push_back(
        {SearchKind::kTopic, topic->Name, {}, topic->filename, topicSummaries[topicIndex++]});
  for (const auto& entry : project.KeyWords)
    if (!entry->filename.empty())
      items.push_back({SearchKind::kIndexEntry, entry->Name, {}, entry->filename, {}});
  return items;
}

void BuildSearchIndex(const std::vector<SearchItem>& items, const ShardSink& sink) {
  IndexTable table(items);
  std::vector<Posting> postings = table.SortedPostings();
  ShardWriter writer(table, items.size(), sink);
  writer.EmitChildren(0, postings);
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

}  // namespace tavelle
