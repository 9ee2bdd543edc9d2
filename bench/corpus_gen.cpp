// tavelle-corpus: writes a benchmark corpus of C++ headers and sources
// documented in Tavelle's comment format, together with the configuration
// file and the four templates a run needs.
//
//   tavelle-corpus <small|medium|large|huge> <out-folder>
//
// The corpus imitates a real code base: classes derived from earlier
// classes, members whose names recur across many classes (so that linking
// has to choose between targets), free functions, overview topics, index
// entries, descriptions that mention other documented names, and plain
// code between the comment blocks. The same size always gives the same
// bytes: every choice comes from a fixed-seed splitmix64 generator and the
// tables below, never from the standard library's distributions, whose
// output differs between library versions.
//
// Besides the sources it writes corpus-stats.txt, one "key=value" a line,
// with the counts the benchmark driver reports against (pages, bytes...).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------------------
// Sizes

struct CorpusSize {
  std::string_view name;
  int classes;
  int members_per_class;
  int functions;
  int topics;
  int index_entries;
  int files;  // even: every unit is a header and a source file
};

constexpr CorpusSize kSizes[] = {
    {"small", 200, 8, 200, 20, 20, 40},
    {"medium", 2000, 10, 2000, 200, 200, 300},
    {"large", 10000, 10, 10000, 1000, 1000, 1500},
    {"huge", 50000, 10, 50000, 5000, 5000, 7500},  // measured once, not routinely
};

// Units of one header and one source file are grouped ten to a folder.
constexpr int kUnitsPerFolder = 10;
// Largest number of boxes in a class's hierarchy picture. The picture
// repeats a base reached along two paths, so without a cap multiple
// inheritance would make some pictures thousands of boxes tall.
constexpr int kMaxHierarchyBoxes = 12;
// Plain code lines are kept near this share of all lines (2 code lines for
// every 3 comment lines gives 40 %).
constexpr int kCodeLinesPerThreeDocLines = 2;

// ---------------------------------------------------------------------------
// Deterministic choices

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t Next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number in [0, n); the modulo bias is irrelevant for a corpus.
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
  int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
  bool Percent(int percent) { return Below(100) < static_cast<size_t>(percent); }
  template <typename List>
  const auto& Pick(const List& list) {
    return list[Below(std::size(list))];
  }

 private:
  uint64_t state_;
};

// ---------------------------------------------------------------------------
// Vocabulary. No word here ends in a field name (Name, Type, Text, File...),
// and no prose holds a colon or two backslashes, so generated values never
// look like the start or end of another field.

constexpr std::string_view kDomains[] = {
    "Shape",   "Texture", "Mesh",    "Scene",   "Camera",   "Light",   "Font",     "Glyph",
    "Layer",   "Brush",   "Pen",     "Path",    "Curve",    "Vertex",  "Frame",    "Window",
    "View",    "Document", "Record", "Table",   "Column",   "Query",   "Socket",   "Stream",
    "Packet",  "Channel", "Session", "Thread",  "Task",     "Timer",   "Event",    "Message",
    "Command", "Undo",    "Clip",    "Print",   "Page",     "Style",   "Theme",    "Color",
    "Palette", "Image",   "Bitmap",  "Sound",   "Audio",    "Key",     "Mouse",    "Touch",
    "Gesture", "Menu",    "Toolbar", "Status",  "Dialog",   "Form",    "Grid",     "Tree",
    "Node",    "Edge",    "Graph",   "Heap",    "Log",      "Trace",   "Profile",  "Plugin",
    "Module",  "Script",  "Token",   "Symbol",  "Cursor",   "Region",
};

constexpr std::string_view kRoles[] = {
    "Manager",  "Cache",      "Builder",    "Reader",    "Writer",    "Renderer",  "Controller",
    "Handler",  "Factory",    "Provider",   "Registry",  "Adapter",   "Proxy",     "Iterator",
    "Collection", "List",     "Map",        "Queue",     "Stack",     "Pool",      "Allocator",
    "Loader",   "Encoder",    "Decoder",    "Filter",    "Converter", "Validator", "Observer",
    "Listener", "Dispatcher", "Scheduler",  "Monitor",   "Tracker",   "Editor",    "Viewer",
    "Panel",    "Model",      "Info",       "State",     "Context",   "Settings",  "Helper",
    "Wrapper",  "Engine",     "Service",    "Client",    "Server",    "Source",    "Sink",
    "Buffer",
};

constexpr std::string_view kQualifiers[] = {
    "Basic",  "Shared", "Cached",   "Remote", "Local",  "Async",  "Static",  "Dynamic",  "Virtual",
    "Native", "Default", "Custom",  "Simple", "Compound", "Indexed", "Sorted", "Linked", "Scoped",
    "Threaded", "Buffered",
};

constexpr std::string_view kVerbs[] = {
    "Compute", "Build",   "Find",     "Parse",    "Format",  "Convert", "Merge",   "Split",
    "Sort",    "Load",    "Store",    "Encode",   "Decode",  "Measure", "Align",   "Clamp",
    "Blend",   "Collect", "Count",    "Copy",     "Compare", "Flatten", "Hash",    "Map",
    "Register", "Resolve", "Scan",    "Select",   "Trim",    "Validate", "Wrap",   "Query",
    "Create",  "Release", "Reset",    "Draw",     "Render",  "Export",  "Import",  "Print",
};

constexpr std::string_view kObjectSuffixes[] = {
    "",    "List",  "Bounds", "Count", "Path", "Data", "Hash", "Key", "Index", "Table", "Tree",
};

// Member names shared by many classes.
constexpr std::string_view kCommonMembers[] = {
    "Create",    "Destroy",   "Initialize", "Reset",     "Clear",     "Update",    "Draw",
    "Paint",     "Refresh",   "Invalidate", "Size",      "Resize",    "Move",      "Load",
    "Save",      "Open",      "Close",      "Read",      "Write",     "Flush",     "Begin",
    "End",       "Add",       "Remove",     "Insert",    "Find",      "Contains",  "Count",
    "IsEmpty",   "GetName",   "SetName",    "GetParent", "SetParent", "GetBounds", "SetBounds",
    "Attach",    "Detach",    "Clone",      "Compare",   "Serialize", "Validate",  "Apply",
    "Cancel",    "Start",     "Stop",       "Pause",     "Resume",    "Lock",      "Unlock",
    "Show",      "Hide",      "Enable",     "Disable",   "IsEnabled", "Notify",    "Subscribe",
    "Register",  "OnCreate",  "OnDestroy",  "OnUpdate",  "OnDraw",    "OnSize",    "Execute",
    "Process",   "Dispatch",  "Measure",    "Layout",    "Merge",     "Sort",      "GetItem",
    "SetItem",   "GetCount",
};

// Groups of classes and functions; each source folder belongs to one.
constexpr std::string_view kItemGroups[] = {
    "Geometry", "Rendering",  "Text and Fonts", "Input",     "Documents",   "Storage",
    "Networking", "Threading", "User Interface", "Printing", "Scripting",  "Diagnostics",
    "Imaging",  "Audio",
};
constexpr std::string_view kFolderWords[] = {
    "geometry", "render", "text", "input", "document", "storage", "net",
    "thread",   "ui",     "print", "script", "diag",   "imaging", "audio",
};
static_assert(std::size(kItemGroups) == std::size(kFolderWords));

// Groups of class members, by what a member does.
constexpr std::string_view kConstruction = "Construction";
constexpr std::string_view kAttributes = "Attributes";
constexpr std::string_view kOperations = "Operations";
constexpr std::string_view kOverridables = "Overridables";
constexpr std::string_view kNotifications = "Notifications";
constexpr std::string_view kImplementation = "Implementation";

constexpr std::string_view kTopicAspects[] = {
    "Overview",  "Guide",      "Lifecycle",   "Threading Model", "Error Handling", "Memory Use",
    "Performance Notes", "Conventions", "Tutorial", "Design Notes", "Limits", "Migration Notes",
    "Examples",  "Questions",  "Internals",   "Extending",       "Configuration",  "Troubleshooting",
    "Glossary",  "Walkthrough",
};

constexpr std::string_view kKeywordConcepts[] = {
    "Space", "Budget", "Limit", "Policy", "Order", "Origin", "Scale", "Unit", "Span", "Range",
    "Mode",  "Flags",  "Pass",  "Stage",  "Phase", "Epoch",  "Layout", "Format", "Quota", "Depth",
};

struct Parameter {
  std::string_view type;  // "@" stands for a class name chosen per use
  std::string_view name;
  std::string_view description;
};

constexpr Parameter kParameters[] = {
    {"int", "nIndex", "Zero-based position of the item."},
    {"int", "nCount", "Number of items to process; 0 means all of them."},
    {"unsigned", "nFlags", "A combination of the flags described under {K}."},
    {"const std::string&", "strName", "Name to look up, compared without regard to case."},
    {"bool", "bRedraw", "true to redraw at once, false to wait for the next {M}."},
    {"double", "dScale", "Scale factor applied to every {d} coordinate."},
    {"const @&", "source", "The {C} whose contents are copied."},
    {"@*", "pOwner", "Owning object, or nullptr when there is none."},
    {"std::size_t", "nCapacity", "Number of items to reserve room for."},
    {"const void*", "pData", "Buffer holding the raw {d} data."},
    {"std::size_t", "cbData", "Size of pData in bytes."},
    {"int", "x", "Horizontal position in device units."},
    {"int", "y", "Vertical position in device units."},
    {"std::chrono::milliseconds", "timeout", "How long to wait before giving up."},
    {"@&", "context", "The {C} that receives the results."},
};

// Sentence templates. {C} a class, {F} a function, {M} a common member,
// {K} an index key word, {d} a lower-case domain noun, {r} a role noun.
constexpr std::string_view kSentences[] = {
    "Holds the {d} state that {C} reads while it draws.",
    "Derived classes override {M} to change how {d} data is stored.",
    "Most callers reach it through {F}, which also checks the {d} input.",
    "It is not thread safe, so guard shared instances as described under {K}.",
    "Instances are cheap to copy and may be kept in a {C}.",
    "Call {M} after changing the {d} settings, then {M} to apply them.",
    "The {d} {r} is rebuilt lazily the first time {M} runs.",
    "Errors are reported through {C} rather than by exceptions.",
    "See {F} for a helper that fills a whole {d} table at once.",
    "Works in {K} units unless the caller asks for another {d} scale.",
    "Keeps a weak reference to its owning {C}.",
    "Changes made here are visible to {C} only after {M} returns.",
    "The default {d} limit is 64 entries, which suits most documents.",
    "Prefer {F} when several {d} items change together.",
    "The {K} of the {d} decides which {r} handles the request.",
    "Nothing is allocated until {M} is called for the first time.",
    "Pairs with {C} for {d} work that has to survive a restart.",
    "Returns early, without touching the {d} {r}, when nothing changed.",
    "Undo support comes from {C}, which records every {M} call.",
    "Use {F} to build the {d} input for this call.",
    "Callers on other threads must post the request to {C} instead.",
    "The result follows the {K} rules, so {d} items keep their order.",
};

constexpr std::string_view kReturnSentences[] = {
    "true when the {d} data was accepted, false otherwise.",
    "true on success; false when the {r} is locked or {M} has not run yet.",
    "true if anything changed, so that callers know to call {M}.",
};

// ---------------------------------------------------------------------------
// The plan: every name and relation, decided before any text is written.

struct MemberPlan {
  std::string name;
  std::string_view access;  // "Public", "Protected" or "Private"
  std::string_view group;   // may be empty
  std::string kind;         // "Function", "Virtual Function", "Static Function"
  std::string return_type;  // "@" resolved already
  std::vector<int> parameters;  // indexes into kParameters
  std::vector<std::string> parameter_classes;  // class for an "@" type, else ""
  bool is_const = false;
};

struct ClassPlan {
  std::string name;
  std::string_view group;
  std::string_view access;  // empty: the block has no Access field
  std::vector<int> bases;   // indexes of earlier classes
  int hierarchy_boxes = 1;  // boxes in the class's hierarchy picture
  std::vector<MemberPlan> members;
  int unit = 0;
};

struct FunctionPlan {
  std::string name;
  std::string_view group;
  std::string_view access;
  MemberPlan signature;
  int unit = 0;
};

struct TopicPlan {
  std::string name;
  std::string file;
  int unit = 0;
};

struct IndexPlan {
  std::string name;
  int topic = 0;  // the topic the entry leads to
  int unit = 0;
};

struct UnitPlan {
  std::string folder;  // relative to src/
  std::string stem;    // file name without extension
  std::string_view group;
  std::vector<int> classes, functions, topics, index_entries;
};

struct Plan {
  std::vector<ClassPlan> classes;
  std::vector<FunctionPlan> functions;
  std::vector<TopicPlan> topics;
  std::vector<IndexPlan> index_entries;
  std::vector<UnitPlan> units;
  std::vector<std::string> keywords;  // index names that are not class names
};

// Item i of n spread evenly over `units` units.
int UnitOf(int i, int n, int units) {
  return static_cast<int>(static_cast<int64_t>(i) * units / n);
}

// Draws names from `make` until one is new. Once kNameDraws draws in a row
// are all taken, the list is (nearly) used up and the last draw gets the
// first free number after `separator`, so that a size larger than the word
// lists still ends. The smaller sizes never reach that many draws in a row,
// so their names stay exactly those of pure drawing.
constexpr int kNameDraws = 64;

template <typename Make>
std::string UniqueName(std::unordered_set<std::string>& taken, Make make,
                       std::string_view separator = "") {
  std::string name;
  for (int draw = 0; draw < kNameDraws; ++draw) {
    name = make();
    if (taken.insert(name).second) return name;
  }
  for (int number = 2;; ++number) {
    std::string numbered = name + std::string(separator) + std::to_string(number);
    if (taken.insert(numbered).second) return numbered;
  }
}

std::string SnakeCase(std::string_view camel) {
  std::string out;
  for (char c : camel) {
    if (c >= 'A' && c <= 'Z') {
      if (!out.empty() && out.back() != '_') out += '_';
      out += static_cast<char>(c - 'A' + 'a');
    } else if (c == ' ') {
      out += '_';
    } else {
      out += c;
    }
  }
  return out;
}

std::string_view MemberGroup(Random& random, const MemberPlan& member) {
  if (random.Percent(10)) return {};
  std::string_view name = member.name;
  if (member.access == "Private") return kImplementation;
  if (name.starts_with("On")) return kNotifications;
  if (name == "Create" || name == "Destroy" || name == "Initialize" || name == "Clone")
    return kConstruction;
  if (name.starts_with("Get") || name.starts_with("Set") || name.starts_with("Is") ||
      name == "Count" || name == "Size" || name == "Contains")
    return kAttributes;
  if (member.kind == "Virtual Function") return kOverridables;
  return kOperations;
}

std::string ReturnTypeFor(Random& random, std::string_view name,
                          const std::vector<ClassPlan>& classes, int known) {
  if (name.starts_with("Is") || name == "Contains") return "bool";
  if (name == "Count" || name == "GetCount" || name == "Size") return "std::size_t";
  if (name == "GetName") return "const std::string&";
  if (name == "GetBounds") return "CRect";
  if (name == "GetParent" || name == "GetItem") return classes[random.Below(known)].name + "*";
  if (name.starts_with("Set") || name.starts_with("On")) return "void";
  switch (random.Below(10)) {
    case 0: case 1: case 2: case 3: return "void";
    case 4: case 5: case 6: case 7: return "bool";
    case 8: return "int";
    default: return "double";
  }
}

// Fills the signature of a member or function. `known` classes may be
// named in parameter and return types.
void PlanSignature(Random& random, MemberPlan& member, const std::vector<ClassPlan>& classes,
                   int known) {
  member.return_type = ReturnTypeFor(random, member.name, classes, known);
  int count = random.Between(0, 3);
  while (static_cast<int>(member.parameters.size()) < count) {
    int p = static_cast<int>(random.Below(std::size(kParameters)));
    if (std::find(member.parameters.begin(), member.parameters.end(), p) !=
        member.parameters.end())
      continue;
    member.parameters.push_back(p);
    member.parameter_classes.push_back(
        kParameters[p].type.find('@') != std::string_view::npos
            ? classes[random.Below(known)].name
            : std::string());
  }
  member.is_const = member.name.starts_with("Get") || member.name.starts_with("Is") ||
                    member.name == "Count" || member.name == "Contains";
}

void PlanClassNames(Random& random, Plan& plan, const CorpusSize& size,
                    std::unordered_set<std::string>& taken) {
  plan.classes.resize(size.classes);
  for (auto& cls : plan.classes) {
    cls.name = UniqueName(taken, [&] {
      std::string name = "C";
      if (random.Percent(50)) name += random.Pick(kQualifiers);
      name += random.Pick(kDomains);
      name += random.Pick(kRoles);
      return name;
    });
  }
}

// Bases come mostly from the classes just before (the same folder), now
// and then from anywhere earlier, and never make the hierarchy picture
// larger than kMaxHierarchyBoxes.
void PlanBases(Random& random, std::vector<ClassPlan>& classes, int index) {
  ClassPlan& cls = classes[index];
  if (index == 0) return;
  int wanted;
  int roll = static_cast<int>(random.Below(100));
  if (roll < 35) wanted = 0;
  else if (roll < 75) wanted = 1;
  else if (roll < 93) wanted = 2;
  else wanted = 3;
  for (int attempt = 0; attempt < 8 && static_cast<int>(cls.bases.size()) < wanted; ++attempt) {
    int window = std::min(index, 30);
    int base = random.Percent(70) ? index - 1 - static_cast<int>(random.Below(window))
                                  : static_cast<int>(random.Below(index));
    if (std::find(cls.bases.begin(), cls.bases.end(), base) != cls.bases.end()) continue;
    if (cls.hierarchy_boxes + classes[base].hierarchy_boxes > kMaxHierarchyBoxes) continue;
    cls.bases.push_back(base);
    cls.hierarchy_boxes += classes[base].hierarchy_boxes;
  }
}

void PlanMembers(Random& random, std::vector<ClassPlan>& classes, int index, int count) {
  ClassPlan& cls = classes[index];
  std::vector<std::string> names;
  while (static_cast<int>(names.size()) < count) {
    std::string name = random.Percent(75)
                           ? std::string(random.Pick(kCommonMembers))
                           : std::string(random.Pick(kVerbs)) + std::string(random.Pick(kDomains));
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  for (auto& name : names) {
    MemberPlan member;
    member.name = name;
    int roll = static_cast<int>(random.Below(100));
    member.access = roll < 60 ? "Public" : roll < 85 ? "Protected" : "Private";
    roll = static_cast<int>(random.Below(100));
    member.kind = roll < 25 ? "Virtual Function" : roll < 35 ? "Static Function" : "Function";
    PlanSignature(random, member, classes, index + 1);
    member.group = MemberGroup(random, member);
    cls.members.push_back(std::move(member));
  }
}

std::string_view PlanAccess(Random& random, std::string_view usual) {
  int roll = static_cast<int>(random.Below(100));
  if (roll < 8) return {};
  if (roll < 13) return "Protected";
  if (roll < 16) return "Private";
  return usual;
}

std::string_view PlanGroup(Random& random, std::string_view folder_group) {
  int roll = static_cast<int>(random.Below(100));
  if (roll < 5) return {};
  if (roll < 20) return random.Pick(kItemGroups);
  return folder_group;
}

void PlanUnits(Plan& plan, const CorpusSize& size) {
  int units = size.files / 2;
  plan.units.resize(units);
  for (int u = 0; u < units; ++u) {
    int folder = u / kUnitsPerFolder;
    int word = folder % static_cast<int>(std::size(kFolderWords));
    int round = folder / static_cast<int>(std::size(kFolderWords));
    plan.units[u].folder = std::string(kFolderWords[word]);
    if (round > 0) plan.units[u].folder += "_" + std::to_string(round + 1);
    plan.units[u].group = kItemGroups[word];
  }
  for (int i = 0; i < size.classes; ++i) {
    int u = UnitOf(i, size.classes, units);
    plan.classes[i].unit = u;
    plan.units[u].classes.push_back(i);
  }
  // A unit is named after its first class, as real code bases tend to be.
  for (auto& unit : plan.units) {
    std::string_view first = plan.classes[unit.classes.front()].name;
    unit.stem = SnakeCase(first.substr(1));
  }
}

Plan MakePlan(const CorpusSize& size) {
  Random random(0x7A7E11E5EEDull);
  Plan plan;
  std::unordered_set<std::string> taken;
  PlanClassNames(random, plan, size, taken);
  PlanUnits(plan, size);
  for (int i = 0; i < size.classes; ++i) {
    ClassPlan& cls = plan.classes[i];
    cls.access = PlanAccess(random, "Public");
    cls.group = PlanGroup(random, plan.units[cls.unit].group);
    PlanBases(random, plan.classes, i);
    PlanMembers(random, plan.classes, i, size.members_per_class);
  }

  int units = static_cast<int>(plan.units.size());
  plan.functions.resize(size.functions);
  for (int f = 0; f < size.functions; ++f) {
    FunctionPlan& fn = plan.functions[f];
    fn.name = UniqueName(taken, [&] {
      return std::string(random.Pick(kVerbs)) + std::string(random.Pick(kDomains)) +
             std::string(random.Pick(kObjectSuffixes));
    });
    fn.unit = UnitOf(f, size.functions, units);
    fn.access = PlanAccess(random, "Public");
    fn.group = PlanGroup(random, plan.units[fn.unit].group);
    fn.signature.name = fn.name;
    PlanSignature(random, fn.signature, plan.classes, size.classes);
    plan.units[fn.unit].functions.push_back(f);
  }

  std::unordered_set<std::string> topic_names;
  plan.topics.resize(size.topics);
  for (int t = 0; t < size.topics; ++t) {
    TopicPlan& topic = plan.topics[t];
    topic.name = UniqueName(topic_names, [&] {
      return std::string(random.Pick(kDomains)) + " " + std::string(random.Pick(kTopicAspects));
    }, " ");
    topic.file = "topic_" + SnakeCase(topic.name) + ".html";
    topic.unit = UnitOf(t, size.topics, units);
    plan.units[topic.unit].topics.push_back(t);
  }

  // One entry in ten shares its name with a class, so that pages have to
  // prefer the class over the key word.
  std::unordered_set<std::string> index_names;
  plan.index_entries.resize(size.index_entries);
  for (int k = 0; k < size.index_entries; ++k) {
    IndexPlan& entry = plan.index_entries[k];
    if (random.Percent(10)) {
      entry.name = UniqueName(index_names, [&] { return random.Pick(plan.classes).name; });
    } else {
      entry.name = UniqueName(index_names, [&] {
        return std::string(random.Pick(kDomains)) + std::string(random.Pick(kKeywordConcepts));
      });
      plan.keywords.push_back(entry.name);
    }
    entry.topic = static_cast<int>(random.Below(size.topics));
    entry.unit = UnitOf(k, size.index_entries, units);
    plan.units[entry.unit].index_entries.push_back(k);
  }
  return plan;
}

// ---------------------------------------------------------------------------
// Files

bool CreateFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error) return true;
  std::fprintf(stderr, "tavelle-corpus: cannot create %s: %s\n", folder.string().c_str(),
               error.message().c_str());
  return false;
}

bool WriteWhole(const fs::path& path, std::string_view text) {
  std::ofstream file(path, std::ios::binary);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (file) return true;
  std::fprintf(stderr, "tavelle-corpus: cannot write %s\n", path.string().c_str());
  return false;
}

// ---------------------------------------------------------------------------
// Writing

// Accumulates one file's text and counts its comment and code lines, so
// that code can be added where the share of code lines falls behind.
class SourceText {
 public:
  void Doc(std::string_view line) {
    text_ += "//";
    text_ += line;
    text_ += '\n';
    ++doc_lines_;
  }
  void Code(std::string_view line) {
    text_ += line;
    text_ += '\n';
    ++code_lines_;
  }
  // A field with its value (one or more lines) and its terminator line.
  void Field(std::string_view name, const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
      Doc(i == 0 ? std::string(name) + ": " + lines[i] : lines[i]);
    Doc("\\\\");
  }
  void Field(std::string_view name, std::string_view value) {
    Field(name, std::vector<std::string>{std::string(value)});
  }
  // Code lines still owed to keep code near its share of all lines.
  int CodeLinesOwed() const {
    int64_t owed = static_cast<int64_t>(doc_lines_) * kCodeLinesPerThreeDocLines / 3 - code_lines_;
    return owed > 0 ? static_cast<int>(owed) : 0;
  }
  const std::string& text() const { return text_; }
  int64_t doc_lines() const { return doc_lines_; }
  int64_t code_lines() const { return code_lines_; }

 private:
  std::string text_;
  int64_t doc_lines_ = 0;
  int64_t code_lines_ = 0;
};

class CorpusWriter {
 public:
  CorpusWriter(const Plan& plan, const fs::path& root) : plan_(plan), root_(root) {}

  // Writes every unit's header and source; false on a write failure.
  bool WriteSources();
  int64_t bytes() const { return bytes_; }
  int64_t doc_lines() const { return doc_lines_; }
  int64_t code_lines() const { return code_lines_; }

 private:
  std::string Sentence(std::string_view pattern);
  std::vector<std::string> Prose(int low, int high);
  std::string Declaration(const MemberPlan& member, std::string_view qualified_name,
                          bool in_class) const;
  std::string ParameterType(const MemberPlan& member, size_t i) const;
  std::string ReturnValue(const MemberPlan& member) const;

  void WriteClassBlock(SourceText& out, const ClassPlan& cls);
  void WriteClassDeclaration(SourceText& out, const ClassPlan& cls);
  void WriteMemberBlock(SourceText& out, const ClassPlan& cls, const MemberPlan& member);
  void WriteFunctionBlock(SourceText& out, const FunctionPlan& fn);
  void WriteSignatureFields(SourceText& out, const MemberPlan& member);
  void WriteBody(SourceText& out, const MemberPlan& member);
  void WriteTopicBlock(SourceText& out, const TopicPlan& topic);
  void WriteIndexBlock(SourceText& out, const IndexPlan& entry);
  void WriteHeader(SourceText& out, int unit_index);
  void WriteSourceFile(SourceText& out, const UnitPlan& unit);
  bool Save(const fs::path& path, const SourceText& text);

  const Plan& plan_;
  fs::path root_;
  Random random_{0xC0DE5EEDull};
  int64_t bytes_ = 0;
  int64_t doc_lines_ = 0;
  int64_t code_lines_ = 0;
};

std::string CorpusWriter::Sentence(std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '{' || i + 2 >= pattern.size() || pattern[i + 2] != '}') {
      out += pattern[i];
      continue;
    }
    switch (pattern[i + 1]) {
      case 'C': out += random_.Pick(plan_.classes).name; break;
      case 'F': out += random_.Pick(plan_.functions).name; break;
      case 'M': out += random_.Pick(kCommonMembers); break;
      case 'K':
        out += plan_.keywords.empty() ? std::string("layout") : random_.Pick(plan_.keywords);
        break;
      case 'd': out += SnakeCase(random_.Pick(kDomains)); break;
      case 'r': out += SnakeCase(random_.Pick(kRoles)); break;
    }
    i += 2;
  }
  return out;
}

std::vector<std::string> CorpusWriter::Prose(int low, int high) {
  std::vector<std::string> lines;
  int count = random_.Between(low, high);
  for (int i = 0; i < count; ++i) lines.push_back(Sentence(random_.Pick(kSentences)));
  return lines;
}

std::string CorpusWriter::ParameterType(const MemberPlan& member, size_t i) const {
  std::string type(kParameters[member.parameters[i]].type);
  size_t at = type.find('@');
  if (at != std::string::npos) type.replace(at, 1, member.parameter_classes[i]);
  return type;
}

std::string CorpusWriter::Declaration(const MemberPlan& member, std::string_view qualified_name,
                                      bool in_class) const {
  std::string text;
  if (in_class && member.kind == "Virtual Function") text += "virtual ";
  if (in_class && member.kind == "Static Function") text += "static ";
  text += member.return_type + " ";
  text += qualified_name;
  text += "(";
  for (size_t i = 0; i < member.parameters.size(); ++i) {
    if (i > 0) text += ", ";
    text += ParameterType(member, i) + " " + std::string(kParameters[member.parameters[i]].name);
  }
  text += ")";
  if (member.is_const && member.kind != "Static Function") text += " const";
  return text;
}

std::string CorpusWriter::ReturnValue(const MemberPlan& member) const {
  const std::string& type = member.return_type;
  if (type == "bool") return "!m_items.empty()";
  if (type == "std::size_t") return "m_items.size()";
  if (type == "int") return "static_cast<int>(m_items.size())";
  if (type == "double") return "m_dScale";
  if (type == "const std::string&") return "m_strName";
  if (type == "CRect") return "m_rcBounds";
  return "nullptr";  // a pointer to a class
}

void CorpusWriter::WriteClassBlock(SourceText& out, const ClassPlan& cls) {
  out.Doc("DOC_DEFINE_CLASS_START");
  out.Field("Name", cls.name);
  if (!cls.bases.empty()) {
    std::string bases;
    for (int base : cls.bases) bases += (bases.empty() ? "" : ", ") + plan_.classes[base].name;
    out.Field("Base Classes", bases);
  }
  if (!cls.access.empty()) out.Field("Access", cls.access);
  if (!cls.group.empty()) out.Field("Group", cls.group);
  std::vector<std::string> description = Prose(1, 4);
  if (random_.Percent(60)) out.Field("Short Descr", Sentence(random_.Pick(kSentences)));
  out.Field("Description", description);
  if (random_.Percent(40))
    out.Field("See Also", random_.Pick(plan_.classes).name + ", " + random_.Pick(plan_.functions).name);
  out.Doc("DOC_DEFINE_CLASS_END");
}

void CorpusWriter::WriteClassDeclaration(SourceText& out, const ClassPlan& cls) {
  std::string head = "class " + cls.name;
  for (size_t i = 0; i < cls.bases.size(); ++i)
    head += (i == 0 ? " : public " : ", public ") + plan_.classes[cls.bases[i]].name;
  out.Code(head);
  out.Code("{");
  for (std::string_view access : {"Public", "Protected", "Private"}) {
    std::string label = access == "Public" ? "public:" : access == "Protected" ? "protected:" : "private:";
    out.Code(label);
    if (access == "Public") {
      out.Code("    " + cls.name + "();");
      out.Code("    virtual ~" + cls.name + "();");
    }
    for (const auto& member : cls.members)
      if (member.access == access) out.Code("    " + Declaration(member, member.name, true) + ";");
    if (access == "Private") {
      out.Code("    std::string m_strName;");
      out.Code("    std::vector<int> m_items;");
      out.Code("    CRect m_rcBounds;");
      out.Code("    double m_dScale = 1.0;");
    }
  }
  out.Code("};");
  out.Code("");
}

void CorpusWriter::WriteSignatureFields(SourceText& out, const MemberPlan& member) {
  out.Field("Definition", Declaration(member, member.name, true) + ";");
  if (!member.parameters.empty()) {
    std::vector<std::string> lines;
    for (int p : member.parameters)
      lines.push_back(std::string(kParameters[p].name) + " - " +
                      Sentence(kParameters[p].description));
    out.Field("Parameters", lines);
  }
  if (member.return_type == "void") return;
  if (member.return_type == "bool")
    out.Field("Return Values", Sentence(random_.Pick(kReturnSentences)));
  else
    out.Field("Return Values", "The requested value; see " + random_.Pick(plan_.classes).name + ".");
}

void CorpusWriter::WriteMemberBlock(SourceText& out, const ClassPlan& cls, const MemberPlan& member) {
  out.Doc("DOC_DEFINE_CLASS_MEMBER_START");
  out.Field("Name", member.name);
  out.Field("Class", cls.name);
  out.Field("Type", member.kind);
  out.Field("Access", member.access);
  if (!member.group.empty()) out.Field("Group", member.group);
  std::vector<std::string> description = Prose(1, 2);
  if (random_.Percent(35)) out.Field("Short Descr", Sentence(random_.Pick(kSentences)));
  out.Field("Description", description);
  WriteSignatureFields(out, member);
  if (random_.Percent(30)) out.Field("See Also", random_.Pick(kCommonMembers));
  out.Doc("DOC_DEFINE_CLASS_MEMBER_END");
  out.Code(Declaration(member, cls.name + "::" + member.name, false));
  WriteBody(out, member);
}

void CorpusWriter::WriteFunctionBlock(SourceText& out, const FunctionPlan& fn) {
  out.Doc("DOC_DEFINE_FUNCTION_START");
  out.Field("Name", fn.name);
  if (!fn.access.empty()) out.Field("Access", fn.access);
  if (!fn.group.empty()) out.Field("Group", fn.group);
  std::vector<std::string> description = Prose(1, 3);
  if (random_.Percent(50)) out.Field("Short Descr", Sentence(random_.Pick(kSentences)));
  out.Field("Description", description);
  WriteSignatureFields(out, fn.signature);
  if (random_.Percent(30)) out.Field("See Also", random_.Pick(plan_.functions).name);
  out.Doc("DOC_DEFINE_FUNCTION_END");
  out.Code(Declaration(fn.signature, fn.name, false));
  WriteBody(out, fn.signature);
}

// A function body of plausible statements, as long as the code share needs.
void CorpusWriter::WriteBody(SourceText& out, const MemberPlan& member) {
  bool returns = member.return_type != "void";
  int lines = std::clamp(out.CodeLinesOwed() - 3 - (returns ? 1 : 0), 1, 14);
  out.Code("{");
  size_t previous = 12;
  for (int written = 0; written < lines;) {
    size_t statement = random_.Below(12);
    if (statement == previous) continue;
    previous = statement;
    switch (statement) {
      case 0:
        out.Code("    for (auto& item : m_items)");
        out.Code("        item = " + std::string(random_.Pick(kCommonMembers)) + "(item);");
        written += 2;
        continue;
      case 1:
        out.Code("    if (m_items.empty())");
        out.Code(returns ? "        return " + ReturnValue(member) + ";" : "        return;");
        written += 2;
        continue;
      case 2: out.Code("    ASSERT(m_nLockCount >= 0);"); break;
      case 3: out.Code("    m_bDirty = true;"); break;
      case 4: out.Code("    ++m_nRevision;"); break;
      case 5: out.Code("    std::lock_guard<std::mutex> lock(m_mutex);"); break;
      case 6: out.Code("    " + random_.Pick(plan_.functions).name + "(m_items, 0);"); break;
      case 7: out.Code("    m_rcBounds.Inflate(1, 1);"); break;
      case 8: out.Code("    m_nOldCount = m_items.size();"); break;
      case 9: out.Code("    // Keep the old " + Sentence("{d}") + " data until the new one is complete."); break;
      case 10: out.Code("    NotifyObservers(kChanged, " + std::to_string(random_.Below(64)) + ");"); break;
      default: out.Code("    m_dScale = std::max(m_dScale, 0.5);"); break;
    }
    ++written;
  }
  if (returns) out.Code("    return " + ReturnValue(member) + ";");
  out.Code("}");
  out.Code("");
}

void CorpusWriter::WriteTopicBlock(SourceText& out, const TopicPlan& topic) {
  out.Doc("DOC_DEFINE_GENERAL_START");
  out.Field("Name", topic.name);
  out.Field("File", topic.file);
  out.Field("See Also", random_.Pick(plan_.classes).name + ", " + random_.Pick(plan_.topics).name);
  out.Field("Text", Prose(10, 20));
  out.Doc("DOC_DEFINE_GENERAL_END");
  out.Code("");
}

void CorpusWriter::WriteIndexBlock(SourceText& out, const IndexPlan& entry) {
  const TopicPlan& topic = plan_.topics[entry.topic];
  out.Doc("DOC_DEFINE_INDEX_START");
  out.Field("Name", entry.name);
  out.Field("File", topic.file);
  out.Field("ReplaceString", "<a href=\"" + topic.file + "\">" + entry.name + "</a>");
  out.Doc("DOC_DEFINE_INDEX_END");
  out.Code("");
}

void CorpusWriter::WriteHeader(SourceText& out, int unit_index) {
  const UnitPlan& unit = plan_.units[unit_index];
  out.Code("// " + unit.stem + ".h - part of the " + std::string(unit.group) + " library.");
  out.Code("#pragma once");
  out.Code("");
  out.Code("#include <chrono>");
  out.Code("#include <string>");
  out.Code("#include <vector>");
  out.Code("");
  for (int t : unit.topics) WriteTopicBlock(out, plan_.topics[t]);
  std::vector<int> included{unit_index};
  for (int c : unit.classes) {
    for (int base : plan_.classes[c].bases) {
      int base_unit = plan_.classes[base].unit;
      if (std::find(included.begin(), included.end(), base_unit) != included.end()) continue;
      included.push_back(base_unit);
      out.Code("#include \"" + plan_.units[base_unit].stem + ".h\"");
    }
  }
  out.Code("");
  for (int c : unit.classes) {
    WriteClassBlock(out, plan_.classes[c]);
    WriteClassDeclaration(out, plan_.classes[c]);
  }
  for (int f : unit.functions)
    out.Code(Declaration(plan_.functions[f].signature, plan_.functions[f].name, false) + ";");
  out.Code("");
  for (int k : unit.index_entries) WriteIndexBlock(out, plan_.index_entries[k]);
}

void CorpusWriter::WriteSourceFile(SourceText& out, const UnitPlan& unit) {
  out.Code("// " + unit.stem + ".cpp");
  out.Code("");
  out.Code("#include \"" + unit.stem + ".h\"");
  out.Code("");
  out.Code("#include <algorithm>");
  out.Code("#include <mutex>");
  out.Code("");
  for (int c : unit.classes) {
    const ClassPlan& cls = plan_.classes[c];
    out.Code(cls.name + "::" + cls.name + "() = default;");
    out.Code(cls.name + "::~" + cls.name + "() = default;");
    out.Code("");
    for (const auto& member : cls.members) WriteMemberBlock(out, cls, member);
  }
  for (int f : unit.functions) WriteFunctionBlock(out, plan_.functions[f]);
}

bool CorpusWriter::Save(const fs::path& path, const SourceText& text) {
  if (!WriteWhole(path, text.text())) return false;
  bytes_ += static_cast<int64_t>(text.text().size());
  doc_lines_ += text.doc_lines();
  code_lines_ += text.code_lines();
  return true;
}

bool CorpusWriter::WriteSources() {
  for (int u = 0; u < static_cast<int>(plan_.units.size()); ++u) {
    const UnitPlan& unit = plan_.units[u];
    fs::path folder = root_ / "src" / unit.folder;
    if (!CreateFolder(folder)) return false;
    SourceText header, source;
    WriteHeader(header, u);
    WriteSourceFile(source, unit);
    if (!Save(folder / (unit.stem + ".h"), header)) return false;
    if (!Save(folder / (unit.stem + ".cpp"), source)) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Configuration and templates

constexpr std::string_view kConfig =
    "[TavellePaths]\n"
    "OutputDirectory=out\n"
    "FunctionsHTMLFile=Functions.html\n"
    "ClassesHTMLFile=Classes.html\n"
    "\n"
    "[TavelleConfig]\n"
    "SearchRecursive=True\n"
    "GenerateDiagrams=True\n"
    "CommentString=//\n"
    "AutoLink=True\n"
    "DefaultHTML=page.html\n"
    "ProjFileTemplate=project.hhp\n"
    "IndexFileTemplate=index.hhk\n"
    "ContentFileTemplate=contents.hhc\n"
    "\n"
    "[InputFolders]\n"
    "NumInputFolders=1\n"
    "Folder1=src\n"
    "\n"
    "[FileTypes]\n"
    "NumFileTypes=2\n"
    "TypeName1=.cpp\n"
    "TypeName2=.h\n"
    "\n"
    "[KeyWords]\n"
    "NumKeyWords=0\n"
    "\n"
    "[HelpProjInfo]\n"
    "CompiledFile=Corpus.chm\n"
    "ContentFile=Contents.hhc\n"
    "DefTopicFile=\n"
    "IndexFile=Index.hhk\n"
    "ProjFile=Corpus.hhp\n"
    "ProcAccessLevel=All Access\n";

constexpr std::string_view kPageTemplate =
    "<html>\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title></title>\n"
    "<link rel=\"stylesheet\" href=\"corpus.css\">\n"
    "</head>\n"
    "<body>\n"
    "<!--Begin HTML Body-->\n"
    "<!--End HTML Body-->\n"
    "<p class=\"footer\">Corpus reference</p>\n"
    "</body>\n"
    "</html>\n";

constexpr std::string_view kProjectTemplate =
    "[OPTIONS]\n"
    "Compatibility=1.1 or later\n"
    "Compiled file=Corpus.chm\n"
    "Contents file=contents.hhc\n"
    "Index file=index.hhk\n"
    "Default topic=Classes.html\n"
    "Display compile progress=No\n"
    "Language=0x409 English (United States)\n"
    "Title=Corpus Reference\n"
    "\n"
    "[FILES]\n"
    "\n"
    "[INFOTYPES]\n";

constexpr std::string_view kContentsTemplate =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n"
    "<HTML>\n"
    "<HEAD>\n"
    "</HEAD><BODY>\n"
    "<OBJECT type=\"text/site properties\">\n"
    "<param name=\"ImageType\" value=\"Folder\">\n"
    "</OBJECT>\n"
    "<UL>\n"
    "<LI> <OBJECT type=\"text/sitemap\">\n"
    "<param name=\"Name\" value=\"{Tavelle Output}\">\n"
    "</OBJECT>\n"
    "</UL>\n"
    "</BODY></HTML>\n";

constexpr std::string_view kIndexTemplate =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n"
    "<HTML>\n"
    "<HEAD>\n"
    "</HEAD><BODY>\n"
    "<UL>\n"
    "</UL>\n"
    "</BODY></HTML>\n";

std::string Stats(const CorpusSize& size, const CorpusWriter& writer) {
  int64_t pages = size.classes + int64_t{size.classes} * size.members_per_class +
                  size.functions + size.topics;
  int64_t lines = writer.doc_lines() + writer.code_lines();
  std::string text;
  auto add = [&](std::string_view key, int64_t value) {
    text += std::string(key) + "=" + std::to_string(value) + "\n";
  };
  text += "size=" + std::string(size.name) + "\n";
  add("classes", size.classes);
  add("members", int64_t{size.classes} * size.members_per_class);
  add("functions", size.functions);
  add("topics", size.topics);
  add("index_entries", size.index_entries);
  add("files", size.files);
  add("pages", pages);
  add("bytes", writer.bytes());
  add("lines", lines);
  add("code_lines", writer.code_lines());
  return text;
}

const CorpusSize* FindSize(std::string_view name) {
  for (const auto& size : kSizes)
    if (size.name == name) return &size;
  return nullptr;
}

int Usage() {
  std::fprintf(stderr, "usage: tavelle-corpus <small|medium|large|huge> <out-folder>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const CorpusSize* size = FindSize(argv[1]);
  if (!size) return Usage();
  fs::path root = argv[2];
  std::error_code error;
  // Refusing a used folder keeps stale files out of a corpus whose
  // contents are meant to be exactly reproducible.
  if (fs::exists(root, error) && !fs::is_empty(root, error)) {
    std::fprintf(stderr, "tavelle-corpus: %s is not empty\n", root.string().c_str());
    return 2;
  }
  if (!CreateFolder(root)) return 1;

  Plan plan = MakePlan(*size);
  CorpusWriter writer(plan, root);
  if (!writer.WriteSources()) return 1;
  std::string stats = Stats(*size, writer);
  bool written = WriteWhole(root / "corpus.tvg", kConfig) &&
                 WriteWhole(root / "page.html", kPageTemplate) &&
                 WriteWhole(root / "project.hhp", kProjectTemplate) &&
                 WriteWhole(root / "contents.hhc", kContentsTemplate) &&
                 WriteWhole(root / "index.hhk", kIndexTemplate) &&
                 WriteWhole(root / "corpus-stats.txt", stats);
  if (!written) return 1;
  std::fputs(stats.c_str(), stdout);
  return 0;
}
