#include "engine/html/topic_pages.h"

#include <string>
#include <string_view>

#include "engine/core/content_key.h"
#include "engine/core/html_text.h"
#include "engine/html/auto_link.h"
#include "engine/html/list_pages.h"
#include "engine/html/page_frame.h"
#include "engine/scan/fields.h"

namespace tavelle {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// What pages are assembled in: the page text and the HTML of the field
// being linked. Their memory serves every page of a class and its members;
// each finished page is copied out at its exact size, so the pages waiting
// to be written hold no spare room.
struct PageText {
  std::string page;
  std::string fieldHTML;
};

// Appends a free-text field as linked HTML. With keepLayout false the field
// is flattened in place first.
void AppendLinkedHTML(PageText& text, std::string& field, bool keepLayout,
                      const PageContext& context) {
  text.fieldHTML.clear();
  AppendTextAsHTML(text.fieldHTML, field, keepLayout);
  AppendLinkedWords(text.page, text.fieldHTML, context.words);
}

void StartPage(PageText& text, const PageContext& context, std::string_view title) {
  text.page.clear();
  AppendTitledHead(text.page, context.head, title);
}

void AppendSeeAlso(PageText& text, std::string& seeAlso, std::string_view heading,
                   const PageContext& context) {
  text.page += "<br><br>\r\n";
  text.page += heading;
  text.page += "<H3>";
  AppendLinkedHTML(text, seeAlso, true, context);
  text.page += "</H3>\r\n";
}

void AppendExamplesLink(std::string& page, const std::string& exampleFile) {
  page += "<br><br><H3><a href=\"";
  AppendHTMLText(page, exampleFile);
  page += "\">Examples</a></H3>\r\n";
}

// A heading and its linked field, only when the field has text (after
// flattening, when keepLayout is false).
void AppendSection(PageText& text, std::string_view heading, std::string& field,
                   bool keepLayout, const PageContext& context) {
  if (!keepLayout) FlattenTextInPlace(field);
  if (field.empty()) return;
  text.page += heading;
  text.page += "<H3>";
  AppendLinkedHTML(text, field, true, context);
  text.page += "</H3><br>\r\n";
}

// Registers, writes and announces a page; `makePage` makes its text in
// `text` unless the file the previous run made from the same `key` can
// stay. A page whose file name would leave the output folder is refused by
// the writer and kept out of the register, so the help project never
// lists it.
template <class MakePage>
void FinishPage(PageContext& context, const std::string& fileName, uint64_t key,
                std::string_view createdMessage, PageText& text, MakePage makePage) {
  OutputFolder& output = context.run.Output();
  if (!OutputFolder::Holds(fileName)) {
    makePage();
    output.Write(fileName, std::string(text.page), createdMessage);
    return;
  }
  std::string path = output.PathOf(fileName);
  AddHTMLFile(context.htmlFiles, path, {});
  if (output.Reuse(fileName, key, std::string(createdMessage) + path)) return;
  makePage();
  output.Write(fileName, std::string(text.page), createdMessage, key);
}

// What every page is made from besides its own fields.
ContentKey& PageKey(ContentKey& key, const PageContext& context) {
  return key.Add(static_cast<int64_t>(context.frameKey));
}

// The key of a class member or function page: the fields RoutinePage
// shows, and its title.
template <class Routine>
uint64_t RoutineKey(const Routine& routine, std::string_view title, const PageContext& context) {
  ContentKey key;
  PageKey(key, context)
      .Add(title)
      .Add(routine.Definition)
      .Add(routine.Description)
      .Add(routine.Params)
      .Add(routine.ReturnVal)
      .Add(routine.SeeAlso)
      .Add(routine.Access)
      .Add(routine.ExampleFile);
  return key.Value();
}

// A class page shows its own fields and, in its group tables, the name,
// page, group and short description of every member.
uint64_t ClassKey(const ClassDoc& record, const PageContext& context) {
  ContentKey key;
  PageKey(key, context)
      .Add(record.Name)
      .Add(record.Description)
      .Add(record.DiagramHTML)
      .Add(record.SeeAlso)
      .Add(record.ExampleFile);
  for (const auto& member : record.Members)
    key.Add(member->Name).Add(member->filename).Add(member->Group).Add(member->ShortDescription);
  return key.Value();
}

// The body shared by class member and function pages, after their title
// heading: the definition line, then Access, Return Values, Parameters,
// Remarks, See Also and Examples, each only when it has text.
template <class Routine>
void RoutinePage(Routine& routine, const std::string& title, PageText& text,
                 const PageContext& context) {
  StartPage(text, context, title);
  std::string& page = text.page;
  page += "<center><H1>";
  AppendHTMLText(page, title);
  page += "</H1></center><br><H4>";
  AppendTextAsHTML(page, routine.Definition, true);
  page += "</H4><br>";
  page += kLineEnd;
  if (!routine.Access.empty()) {
    page += "<H2>Access: </H2><br><H3>&nbsp;&nbsp;&nbsp; ";
    page += routine.Access;
    page += "</H3><br>\r\n";
  }
  AppendSection(text, "<H2>Return Values:</H2><br>", routine.ReturnVal, true, context);
  AppendSection(text, "<H2>Parameters:</H2><br>", routine.Params, true, context);
  AppendSection(text, "<H2>Remarks:</H2><br>", routine.Description, false, context);
  if (!routine.SeeAlso.empty()) AppendSeeAlso(text, routine.SeeAlso, "<H2>See Also: </H2>", context);
  if (!routine.ExampleFile.empty()) AppendExamplesLink(page, routine.ExampleFile);
  page += context.tail;
}

void MemberPage(ClassMemberDoc& record, const std::string& className, PageText& text,
                PageContext& context) {
  std::string title = className + "::" + record.Name;
  FinishPage(context, record.filename, RoutineKey(record, title, context),
             "Created Class Member File: ", text,
             [&] { RoutinePage(record, title, text, context); });
}

void ClassPage(ClassDoc& record, PageText& text, PageContext& context) {
  StartPage(text, context, record.Name);
  std::string& page = text.page;
  page += "<center><H1>";
  AppendHTMLText(page, record.Name);
  page += "</H1></center><br>\r\n\r\n";
  if (!record.DiagramHTML.empty()) {
    page += record.DiagramHTML;
    page += kLineEnd;
  }
  page += "<H2>Description</H2><br><H3>";
  AppendLinkedHTML(text, record.Description, false, context);
  page += "</H3><br><br>\r\n<H2>Members</H2><br><br><br>\r\n";
  GenerateGroupTables(record.Members, page, context.words, context.run);
  if (!record.SeeAlso.empty()) AppendSeeAlso(text, record.SeeAlso, "<H2>See Also: </H2>", context);
  if (!record.ExampleFile.empty()) AppendExamplesLink(page, record.ExampleFile);
  page += context.tail;
}

// A general page has no heading of its own (its name is the page title),
// a first-level See Also heading and no Examples link.
void GeneralPage(GeneralDoc& record, PageText& text, PageContext& context) {
  StartPage(text, context, record.Name);
  AppendLinkedHTML(text, record.Description, false, context);
  text.page += "<br>\r\n";
  if (!record.SeeAlso.empty()) AppendSeeAlso(text, record.SeeAlso, "<H1>See Also: </H1>", context);
  text.page += context.tail;
}

}  // namespace

void GenerateHTML(ClassDoc& record, PageContext& context) {
  PageText text;
  FinishPage(context, record.filename, ClassKey(record, context), "Created Class File: ", text,
             [&] { ClassPage(record, text, context); });
  for (const auto& member : record.Members) {
    if (context.run.CheckCancel()) return;
    MemberPage(*member, record.Name, text, context);
  }
}

void GenerateHTML(ClassMemberDoc& record, const std::string& className, PageContext& context) {
  PageText text;
  MemberPage(record, className, text, context);
}

void GenerateHTML(FunctionDoc& record, PageContext& context) {
  PageText text;
  FinishPage(context, record.filename, RoutineKey(record, record.Name, context),
             "Created Function File: ", text,
             [&] { RoutinePage(record, record.Name, text, context); });
}

void GenerateHTML(GeneralDoc& record, PageContext& context) {
  PageText text;
  ContentKey key;
  PageKey(key, context).Add(record.Name).Add(record.Description).Add(record.SeeAlso);
  FinishPage(context, record.filename, key.Value(), "Created General File: ", text,
             [&] { GeneralPage(record, text, context); });
}

}  // namespace tavelle
