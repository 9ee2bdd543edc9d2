#include "engine/html/search_index.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tavelle {
namespace {

std::string Hex(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kHex[c >> 4];
    hex += kHex[c & 0xF];
  }
  return hex;
}

// The shard a query ends at, as the search script walks to it: one byte
// more for as long as the shard is split and the query is longer.
std::string Walk(const std::map<std::string, std::string>& shards, const std::string& query) {
  for (size_t depth = 1; depth <= query.size(); ++depth) {
    std::string key = Hex(query.substr(0, depth));
    auto found = shards.find("tavelle-search-" + key + ".js");
    if (found == shards.end()) return "";
    bool split = found->second.starts_with("tavelleSearch.shard(\"" + key + "\",1,");
    if (!split || depth == query.size()) return found->second;
  }
  return "";
}

size_t Rows(const std::string& shard) {
  size_t rows = 0;
  for (size_t at = 0; (at = shard.find("\n[", at)) != std::string::npos; ++at) ++rows;
  return shard.ends_with(",[]);") ? 0 : rows + 1;
}

// The texts the items name.
std::deque<std::string> texts;

std::string_view Kept(std::string text) { return texts.emplace_back(std::move(text)); }

// Many classes whose members share names, as in a large code base, and
// names that need escaping.
std::vector<SearchItem> LargeItems() {
  std::vector<SearchItem> items;
  const char* names[] = {"GetName", "SetName", "Area", "HTMLFile", "draw_all"};
  for (int widget = 0; widget < 400; ++widget) {
    std::string_view owner = Kept("Widget" + std::to_string(widget));
    items.push_back({SearchKind::kClass, owner, {}, Kept(std::string(owner) + ".html"),
                     "A widget."});
    for (int i = widget; i < 4000; i += 400) {
      std::string name = names[i % 5];
      if (i >= 2000) name += std::to_string(i);
      items.push_back({SearchKind::kMember, Kept(name), owner,
                       Kept(std::string(owner) + "_" + name + ".html"),
                       Kept("Does the work of " + name + " for its widget.")});
    }
  }
  items.push_back({SearchKind::kFunction, "Area", {}, "Area.html", "Free area"});
  items.push_back({SearchKind::kIndexEntry, "a\"b\\<c>\xC3\xA9\xF0\x9F\x98\x80\x01\xFF", {},
                   "q.html", Kept(std::string(400, 'x'))});
  return items;
}

TEST(SearchIndex, EveryWordStartLeadsToAShardHoldingTheItemAndShardsStaySmall) {
  std::vector<SearchItem> items = LargeItems();
  std::vector<OutputText> files = BuildSearchIndex(items);
  std::map<std::string, std::string> shards;
  for (const OutputText& file : files) shards[file.name] = file.text;
  ASSERT_EQ(shards.size(), files.size()) << "one file per key";

  for (const auto& [name, text] : shards) {
    EXPECT_LT(text.size(), 100u * 1024) << name;
    for (unsigned char c : text) ASSERT_TRUE(c >= 0x20 || c == '\n') << name;
    for (unsigned char c : text) ASSERT_TRUE(c < 0x7F && c != '<') << name;
  }
  // The whole name, a prefix, a camel-case hump, a word after "_" and
  // after "::", in any case.
  EXPECT_NE(Walk(shards, "htmlfile").find("[3,\"HTMLFile\",\"Widget103\","), std::string::npos);
  EXPECT_NE(Walk(shards, "file2003").find("\"HTMLFile2003\""), std::string::npos);
  EXPECT_NE(Walk(shards, "all2004").find("\"draw_all2004\""), std::string::npos);
  // "Class::" leads to the class's record with its members, which no
  // split shard above it carries.
  EXPECT_NE(Walk(shards, "widget1::")
                .find("[0,\"Widget1\",\"\",\"\",\"A widget.\",[[\"SetName\",\"\",\"Does "
                      "the work of SetName for its widget.\"],[\"SetName\","),
            std::string::npos);
  for (const char* above : {"w", "widget", "widget1"}) {
    std::string shard = Walk(shards, above);
    bool split = shard.find("\",1,") != std::string::npos;
    EXPECT_FALSE(split && shard.find("\",[[\"") != std::string::npos) << above;
  }
  EXPECT_NE(Walk(shards, "name2000").find("\"GetName2000\""), std::string::npos);
  EXPECT_NE(Walk(shards, "area").find("[1,\"Area\",\"\",\"\",\"Free area\"]"),
            std::string::npos)
      << "a split shard keeps the best: the function before 400 members";
  EXPECT_LE(Rows(Walk(shards, "w")), 40u);
  EXPECT_EQ(Walk(shards, "zebra"), "");

  std::string hostile = Walk(shards, "a\"");
  EXPECT_NE(hostile.find("[4,\"a\\\"b\\\\\\u003cc\\u003e\\u00e9\\ud83d\\ude00\\u0001\\ufffd\","
                         "\"\",\"q.html\",\"" +
                         std::string(120, 'x') + "\\u2026\"]"),
            std::string::npos)
      << hostile;

  std::vector<OutputText> again = BuildSearchIndex(items);
  ASSERT_EQ(again.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(again[i].name, files[i].name);
    EXPECT_TRUE(again[i].text == files[i].text) << files[i].name;
  }
}

}  // namespace
}  // namespace tavelle
