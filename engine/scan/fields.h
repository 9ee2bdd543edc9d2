// Field parsing inside a definition block.
//
// A field is its name, a colon, and a value closed by two backslashes that
// normally stand alone at the start of the next line ("Name: Shape", line
// break, two backslashes). Every field is looked up on its own by a plain
// text search from the start of the block; the first "Name:" anywhere in
// the block counts, even inside another field's value. The value stops two characters before the
// terminator (dropping the CR LF that ends its last line), then loses the
// blanks at both ends. A single-line value also has its line breaks and
// tabs flattened into blanks. A missing field or terminator gives "".
#ifndef TAVELLE_ENGINE_SCAN_FIELDS_H_
#define TAVELLE_ENGINE_SCAN_FIELDS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavelle {

std::string GetField(std::string_view block, std::string_view fieldName, bool singleLine);

// Appends the comma-separated items of the single-line field `fieldName`,
// each trimmed of blanks. Empty and repeated items are kept; a trailing
// comma adds nothing; an empty or missing field adds nothing.
void GetFieldList(std::string_view block, std::string_view fieldName,
                  std::vector<std::string>& list);

// The first line of a description: leading line breaks are skipped and the
// blanks at both ends dropped; the text before the first CR LF is returned,
// as part of `description`.
std::string_view FirstLine(std::string_view description);

// `text` without the CR and LF characters at its start. The result views
// the argument's characters.
std::string_view StripLeadingLineBreaks(std::string_view text);

// One line of text: every CR and every TAB becomes a blank, every LF is
// dropped (so CR LF becomes one blank); other characters stay.
std::string FlattenText(std::string_view text);
void FlattenTextInPlace(std::string& text);

// The outline of a block: the field names that begin its lines, and the
// lines that begin with a definition marker (blocks written inside it). A
// field may begin on the block's first line or on the first non-blank line
// after a terminator line, after any blanks and tabs; its `offset` is where
// its name stands in the block. Field names are letters, digits, "_" and
// blanks. The fields of blocks written inside the block are passed over.
struct FieldHead {
  std::string_view name;
  size_t offset;
};

struct BlockOutline {
  std::vector<FieldHead> fields;
  std::vector<size_t> markers;  // offsets of the markers that begin a line

  // The offset of the first field named `name`, or npos.
  size_t FieldOffset(std::string_view name) const;
};

// Replaces the contents of `outline`, so that one outline can serve every
// block of a scan.
void OutlineBlock(std::string_view block, BlockOutline& outline);

// `text` without the blanks (spaces only) at both ends.
std::string_view TrimSpaces(std::string_view text);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_FIELDS_H_
