#include "engine/pipeline/run_memo.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/core/content_key.h"
#include "engine/core/file_stamp.h"
#include "engine/core/output_manifest.h"
#include "engine/scan/file_discovery.h"
#include "engine/scan/text_file.h"
#include "engine/search/search_store.h"

namespace tavelle {
namespace {

constexpr char kMemoName[] = ".tavelle-run";
constexpr std::string_view kVersionLine = "tavelle-run 2 " TAVELLE_VERSION;

// The file's bytes, read only when it is a regular file; false otherwise.
bool AddFileBytes(ContentKey& key, const std::string& path) {
  uint64_t bytes = BytesKeyOfFile(path);
  key.Add(static_cast<int64_t>(bytes));
  return bytes != 0;
}

// A template that is named must be readable; an empty name is no template.
bool AddTemplate(ContentKey& key, const std::string& path) {
  key.Add(path);
  return path.empty() || AddFileBytes(key, path);
}

void AddList(ContentKey& key, const SortedCollection<SearchWord>& list) {
  key.Add(static_cast<int64_t>(list.Count()));
  for (const auto& word : list) AddSearchWord(key, *word);
}

void AddSettings(ContentKey& key, const Settings& settings) {
  for (const PropertyInfo& property : SettingProperties()) {
    // The message sink is where rows go, not what they say.
    if (std::holds_alternative<automation::ObjectRef Settings::*>(property.field)) continue;
    key.Add(property.name).Add(ReadProperty(settings, property).AsText());
  }
}

bool AddTreeViewer(ContentKey& key, const std::string& folder) {
  key.Add(folder);
  if (folder.empty()) return true;
  std::error_code error;
  std::vector<std::string> files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error))
    files.push_back(it->path().string());
  if (error) return false;
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    key.Add(file);
    if (std::filesystem::is_regular_file(file, error) && !AddFileBytes(key, file)) return false;
  }
  return true;
}

// The memo's text: its version line, then fields written as
// "length:bytes\n", so that rows may hold any byte.
class MemoWriter {
 public:
  MemoWriter() : text_(kVersionLine) { text_ += '\n'; }
  MemoWriter& Put(std::string_view field) {
    text_ += std::to_string(field.size());
    text_ += ':';
    text_ += field;
    text_ += '\n';
    return *this;
  }
  MemoWriter& Put(int64_t number) { return Put(std::to_string(number)); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

class MemoReader {
 public:
  explicit MemoReader(std::string_view text) : rest_(text) {
    ok_ = rest_.starts_with(kVersionLine) && rest_.substr(kVersionLine.size()).starts_with("\n");
    if (ok_) rest_.remove_prefix(kVersionLine.size() + 1);
  }
  std::string_view Take() {
    size_t colon = rest_.find(':');
    size_t length = 0;
    if (!ok_ || colon == std::string_view::npos ||
        std::from_chars(rest_.data(), rest_.data() + colon, length).ptr != rest_.data() + colon ||
        rest_.size() - colon - 1 < length + 1 || rest_[colon + 1 + length] != '\n') {
      ok_ = false;
      return {};
    }
    std::string_view field = rest_.substr(colon + 1, length);
    rest_.remove_prefix(colon + 2 + length);
    return field;
  }
  int64_t TakeNumber() {
    std::string_view field = Take();
    int64_t number = 0;
    if (std::from_chars(field.data(), field.data() + field.size(), number).ptr !=
        field.data() + field.size())
      ok_ = false;
    return number;
  }
  // Whether everything was read, and read well.
  bool Finished() const { return ok_ && rest_.empty(); }
  bool ok() const { return ok_; }

 private:
  std::string_view rest_;
  bool ok_;
};

// A source file as the run read it: its bytes' key, and its stamp then,
// which tells the next run which files to look at first.
struct SourceEntry {
  std::string name;
  uint64_t bytes = 0;
  FileStamp stamp;
};

// The memo's head, which decides whether it can be replayed; the rest
// (rows, warnings, key words) is read only when it can.
struct MemoHead {
  uint64_t setup = 0, outputs = 0;
  StoredTable table;
  std::vector<SourceEntry> sources;
};

struct MemoTail {
  std::vector<std::string> rows;
  std::vector<Warning> warnings;
  std::vector<SearchWord> keyWords;
};

FileStamp TakeStamp(MemoReader& reader) {
  FileStamp stamp;
  stamp.size = reader.TakeNumber();
  stamp.modified = reader.TakeNumber();
  stamp.inode = reader.TakeNumber();
  return stamp;
}

void PutStamp(MemoWriter& memo, const FileStamp& stamp) {
  memo.Put(stamp.size).Put(stamp.modified).Put(stamp.inode);
}

bool ParseHead(MemoReader& reader, MemoHead& head) {
  head.setup = static_cast<uint64_t>(reader.TakeNumber());
  head.outputs = static_cast<uint64_t>(reader.TakeNumber());
  head.table.words = static_cast<uint64_t>(reader.TakeNumber());
  head.table.database = TakeStamp(reader);
  for (int64_t count = reader.TakeNumber(); reader.ok() && count > 0; --count) {
    SourceEntry source;
    source.name = reader.Take();
    source.bytes = static_cast<uint64_t>(reader.TakeNumber());
    source.stamp = TakeStamp(reader);
    head.sources.push_back(std::move(source));
  }
  return reader.ok();
}

bool ParseTail(MemoReader& reader, MemoTail& tail) {
  for (int64_t count = reader.TakeNumber(); reader.ok() && count > 0; --count)
    tail.rows.emplace_back(reader.Take());
  for (int64_t count = reader.TakeNumber(); reader.ok() && count > 0; --count) {
    Warning warning;
    warning.Path = reader.Take();
    warning.Line = static_cast<int32_t>(reader.TakeNumber());
    warning.Kind = reader.Take();
    warning.Message = reader.Take();
    tail.warnings.push_back(std::move(warning));
  }
  for (int64_t count = reader.TakeNumber(); reader.ok() && count > 0; --count) {
    SearchWord word;
    word.ID = static_cast<int32_t>(reader.TakeNumber());
    word.Name = reader.Take();
    word.ReplaceString = reader.Take();
    word.filename = reader.Take();
    word.WordType = reader.Take();
    word.Class = reader.Take();
    word.OrderID = static_cast<int16_t>(reader.TakeNumber());
    word.ClassOrderID = static_cast<int16_t>(reader.TakeNumber());
    tail.keyWords.push_back(std::move(word));
  }
  return reader.Finished();
}

// Whether the folder walk finds the memo's sources, in its order, with the
// bytes the run read. Files whose stamp changed are read first, so that an
// edit is found without reading the others.
bool SourcesUnchanged(const Project& project, const std::vector<SourceEntry>& sources) {
  std::vector<const SourceEntry*> sameStamp;
  size_t next = 0;
  for (const SearchWordRef& folder : project.InputFolders) {
    for (const SourceStep& step :
         ListSourceFiles(folder->Name, project.settings.SearchRecursive, project.FileTypes)) {
      if (!step.failure.ok() || next == sources.size() || sources[next].name != step.file)
        return false;
      const SourceEntry& source = sources[next++];
      if (StampOf(source.name) == source.stamp) {
        sameStamp.push_back(&source);
      } else if (BytesKeyOfFile(source.name) != source.bytes) {
        return false;
      }
    }
  }
  if (next != sources.size()) return false;
  // A stamp can stay while the bytes change (a copy that keeps times).
  return std::all_of(sameStamp.begin(), sameStamp.end(), [](const SourceEntry* source) {
    return BytesKeyOfFile(source->name) == source->bytes;
  });
}

std::string FormatMemo(const Project& project, Run& run, uint64_t setup, uint64_t words) {
  MemoWriter memo;
  memo.Put(static_cast<int64_t>(setup)).Put(static_cast<int64_t>(run.Output().WrittenFilesKey()));
  memo.Put(static_cast<int64_t>(words));
  PutStamp(memo, StampOf(SearchDatabasePath()));
  memo.Put(static_cast<int64_t>(project.SourceFiles.size()));
  for (const FileInfo& file : project.SourceFiles) {
    memo.Put(file.Name).Put(static_cast<int64_t>(file.BytesKey));
    PutStamp(memo, StampOf(file.Name));
  }
  const std::vector<std::string>& rows = run.KeptRows();
  memo.Put(static_cast<int64_t>(rows.size()));
  for (const std::string& row : rows) memo.Put(row);
  memo.Put(project.Warnings.Count());
  for (const Warning& warning : project.Warnings.Entries())
    memo.Put(warning.Path).Put(warning.Line).Put(warning.Kind).Put(warning.Message);
  memo.Put(static_cast<int64_t>(project.KeyWords.Count()));
  for (const auto& word : project.KeyWords) {
    memo.Put(word->ID).Put(word->Name).Put(word->ReplaceString).Put(word->filename);
    memo.Put(word->WordType).Put(word->Class).Put(word->OrderID).Put(word->ClassOrderID);
  }
  return memo.Text();
}

}  // namespace

uint64_t RunSetupKey(const Project& project) {
  const Settings& settings = project.settings;
  ContentKey key;
  key.Add(kVersionLine);
  AddSettings(key, settings);
  AddList(key, project.FileTypes);
  AddList(key, project.KeyWords);
  AddList(key, project.InputFolders);
  key.Add(project.ConfigFile).Add(project.ConfigLacksSections);
  key.Add(SearchDatabasePath().string());
  for (const std::string* path : {&settings.DefaultHTML, &settings.ProjFileTemplate,
                                  &settings.IndexFileTemplate, &settings.ContentFileTemplate})
    if (!AddTemplate(key, *path)) return 0;
  if (!AddTreeViewer(key, settings.TreeViewerFolder)) return 0;
  return key.Value();
}

bool ReplayRunMemo(Project& project, Run& run, uint64_t setup, StoredTable& table) {
  OutputFolder& output = run.Output();
  std::string text;
  table = {};
  if (!output.ReadBookkeeping(kMemoName, text)) return false;
  MemoReader reader(text);
  MemoHead head;
  if (!ParseHead(reader, head)) return false;
  table = head.table;
  // The cheap checks first: the sources' stamps before the output files',
  // since an edited source is the common reason to run again.
  if (setup == 0 || head.setup != setup || !(StampOf(SearchDatabasePath()) == table.database) ||
      !SourcesUnchanged(project, head.sources) ||
      output.CurrentFilesKey(ReadManifest(output)) != head.outputs)
    return false;
  MemoTail tail;
  if (!ParseTail(reader, tail)) return false;
  for (const std::string& row : tail.rows) run.Log(row);
  for (const Warning& warning : tail.warnings)
    project.Warnings.Add(warning.Path, warning.Line, warning.Kind, warning.Message);
  project.KeyWords.Clear();
  for (SearchWord& word : tail.keyWords)
    project.KeyWords.AddSorted(std::make_shared<SearchWord>(std::move(word)));
  return true;
}

void SaveRunMemo(const Project& project, Run& run, uint64_t setup, uint64_t words) {
  if (setup == 0 || run.Failures() > 0 || run.CancelRequested() || run.Repaired()) return;
  run.Fail(run.Output().WriteBookkeeping(kMemoName, FormatMemo(project, run, setup, words)));
}

}  // namespace tavelle
