#include "components/stowe/stowe.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace stowe {
namespace {

using automation::CallKind;
using automation::Variant;

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A value that holds a line break is written on one line: "<<<", the value
// with backslash, CR and LF written as \\, \r and \n, then ">>>". Plain
// values that begin with "<<<" are quoted (below), so a stored value of
// that form always is an escaped one. SimpleIni's own multi-line blocks are not
// used: they end at a line "END_OF_TEXT", which a value may hold, and read
// every line break back as LF.
constexpr std::string_view kEscapedOpen = "<<<";
constexpr std::string_view kEscapedClose = ">>>";

std::string Escape(std::string_view value) {
  std::string escaped(kEscapedOpen);
  for (char c : value) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  escaped += kEscapedClose;
  return escaped;
}

std::string Unescape(std::string_view escaped) {
  std::string value;
  for (size_t i = 0; i < escaped.size(); ++i) {
    char c = escaped[i];
    if (c != '\\' || i + 1 == escaped.size()) {
      value += c;
      continue;
    }
    char next = escaped[++i];
    if (next == 'r') {
      value += '\r';
    } else if (next == 'n') {
      value += '\n';
    } else if (next == '\\') {
      value += '\\';
    } else {
      value += c;
      value += next;
    }
  }
  return value;
}

// SimpleIni trims blanks around a value. Values with blanks at either end,
// values that begin with "<<<" and values that are themselves enclosed in
// double quotes are stored in double quotes, which reading removes again,
// so every text reads back as written.
std::string Encode(const std::string& value) {
  if (value.empty()) return value;
  if (value.find_first_of("\r\n") != std::string::npos) return Escape(value);
  bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (quoted || IsBlank(value.front()) || IsBlank(value.back()) ||
      value.starts_with(kEscapedOpen))
    return '"' + value + '"';
  return value;
}

std::string Decode(std::string_view stored) {
  if (stored.size() >= kEscapedOpen.size() + kEscapedClose.size() &&
      stored.starts_with(kEscapedOpen) && stored.ends_with(kEscapedClose)) {
    return Unescape(stored.substr(kEscapedOpen.size(),
                                  stored.size() - kEscapedOpen.size() - kEscapedClose.size()));
  }
  if (stored.size() >= 2 && stored.front() == '"' && stored.back() == '"')
    stored = stored.substr(1, stored.size() - 2);
  return std::string(stored);
}

// Names that would change the file's structure when written (a line break,
// the bracket that ends a section line, the "=" that ends a key) are
// refused rather than written.
bool IsSafeSectionName(const std::string& name) {
  return name.find_first_of("]\r\n") == std::string::npos;
}

bool IsSafeKeyName(const std::string& name) {
  return !name.empty() && name.find_first_of("=\r\n") == std::string::npos &&
         name.front() != ';' && name.front() != '#' && name.front() != '[';
}

// Writes `text` to a temporary file beside the file `path` names (through
// any links) and renames it over that file, keeping its permission bits;
// on any failure the old file is left as it was.
bool ReplaceFile(const fs::path& name, const std::string& text) {
  std::error_code error;
  fs::path path = fs::weakly_canonical(name, error);
  if (error) path = name;
  fs::file_status old = fs::status(path, error);
  fs::path temp = path;
  temp += ".";
  temp += std::to_string(std::random_device()());
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  if (fs::exists(old)) fs::permissions(temp, old.permissions(), error);
  fs::rename(temp, path, error);
  if (!error) return true;
  fs::remove(temp, error);
  return false;
}

// `stored` converted to the kind of `fallback`, or `fallback` itself.
Variant ConvertLike(const Variant& fallback, const std::string& stored) {
  Variant text(stored);
  switch (fallback.kind()) {
    case Variant::Kind::kBoolean:
      if (auto value = text.ToBool()) return *value;
      return fallback;
    case Variant::Kind::kInt16:
      if (auto value = text.ToInt16()) return *value;
      return fallback;
    case Variant::Kind::kInt32:
      if (auto value = text.ToInt32()) return *value;
      return fallback;
    case Variant::Kind::kObject:
      return fallback;
    case Variant::Kind::kEmpty:
    case Variant::Kind::kText:
      break;
  }
  return text;
}

}  // namespace

Stowe::Stowe() : ini_(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false) {
  ini_.SetSpaces(false);
}

Stowe::~Stowe() {
  if (unsaved_) Save();
}

bool Stowe::Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
                   Variant& result) {
  static const automation::MemberNames names = {"filename", "SetEntry", "GetEntry", "Clear",
                                                "Save"};
  switch (names.Find(member)) {
    case 0:
      if (kind == CallKind::kPropertyPut) {
        if (args.empty()) return false;
        SetFileName(args.back().AsText());
      } else {
        result = filename_;
      }
      return true;
    case 1:
      if (args.size() < 3) return false;
      result = SetEntry(args[0].AsText(), args[1].AsText(), args[2]);
      return true;
    case 2:
      if (args.size() < 3) return false;
      result = GetEntry(args[0].AsText(), args[1].AsText(), args[2]);
      return true;
    case 3:
      Clear();
      return true;
    case 4:
      result = Save();
      return true;
    default:
      return false;
  }
}

void Stowe::SetFileName(std::string path) {
  if (unsaved_) Save();
  filename_ = std::move(path);
  ini_.Reset();
  loaded_ = false;
  unsaved_ = false;
}

bool Stowe::SetEntry(const std::string& section, const std::string& key, const Variant& value) {
  std::optional<std::string> text = value.ToText();
  if (!text || !IsSafeSectionName(section) || !IsSafeKeyName(key)) return false;
  LoadOnce();
  if (ini_.SetValue(section.c_str(), key.c_str(), Encode(*text).c_str()) < 0) return false;
  unsaved_ = true;
  return true;
}

Variant Stowe::GetEntry(const std::string& section, const std::string& key,
                        const Variant& fallback) {
  LoadOnce();
  const char* stored = ini_.GetValue(section.c_str(), key.c_str(), nullptr);
  if (stored == nullptr) return fallback;
  return ConvertLike(fallback, Decode(stored));
}

void Stowe::Clear() {
  ini_.Reset();
  loaded_ = true;
  unsaved_ = true;
}

bool Stowe::Save() {
  if (filename_.empty()) return false;
  LoadOnce();
  std::string text;
  if (ini_.Save(text) < 0 || !ReplaceFile(filename_, text)) return false;
  unsaved_ = false;
  return true;
}

void Stowe::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  // A missing or unreadable file reads as one without entries. Only plain
  // files are read: SimpleIni takes the size of whatever it opens, and a
  // folder reports a nonsense size.
  std::error_code error;
  if (!fs::is_regular_file(filename_, error)) return;
  if (ini_.LoadFile(filename_.c_str()) < 0) ini_.Reset();
}

}  // namespace stowe
