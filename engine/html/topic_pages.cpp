#include "engine/html/topic_pages.h"

#include <string>
#include <string_view>
#include <utility>

#include "engine/core/content_key.h"
#include "engine/core/html_text.h"
#include "engine/html/auto_link.h"
#include "engine/html/list_pages.h"
#include "engine/html/page_frame.h"

namespace tavelle {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Free text of a field as linked HTML. With keepLayout false the field is
// flattened in place.
std::string LinkedHTML(std::string& field, bool keepLayout, const PageContext& context) {
  return LinkSearchWords(TextToHTML(field, keepLayout), context.words);
}

void AppendSeeAlso(std::string& page, std::string_view seeAlso, std::string_view heading) {
  page += "<br><br>\r\n";
  page += heading;
  page += "<H3>";
  page += seeAlso;
  page += "</H3>\r\n";
}

void AppendExamplesLink(std::string& page, const std::string& exampleFile) {
  page += "<br><br><H3><a href=\"";
  AppendHTMLText(page, exampleFile);
  page += "\">Examples</a></H3>\r\n";
}

void AppendSection(std::string& page, std::string_view heading, std::string_view body) {
  page += heading;
  page += "<H3>";
  page += body;
  page += "</H3><br>\r\n";
}

// Registers, writes and announces a page; `makePage` makes its text
// unless the file the previous run made from the same `key` can stay. A
// page whose file name would leave the output folder is refused by the
// writer and kept out of the register, so the help project never lists it.
template <class MakePage>
void FinishPage(PageContext& context, const std::string& fileName, uint64_t key,
                std::string_view createdMessage, MakePage makePage) {
  OutputFolder& output = context.run.Output();
  if (!OutputFolder::Holds(fileName)) {
    output.Write(fileName, makePage(), createdMessage);
    return;
  }
  std::string path = output.PathOf(fileName);
  AddHTMLFile(context.htmlFiles, path, {});
  if (output.Reuse(fileName, key, std::string(createdMessage) + path)) return;
  output.Write(fileName, makePage(), createdMessage, key);
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
std::string RoutinePage(Routine& routine, const std::string& title, PageContext& context) {
  std::string definition = TextToHTML(routine.Definition, true);
  std::string description = LinkedHTML(routine.Description, false, context);
  std::string params = LinkedHTML(routine.Params, true, context);
  std::string returnValue = LinkedHTML(routine.ReturnVal, true, context);
  std::string seeAlso = LinkedHTML(routine.SeeAlso, true, context);

  std::string page = InsertTitle(context.head, HTMLText(title));
  page += "<center><H1>";
  AppendHTMLText(page, title);
  page += "</H1></center><br><H4>";
  page += definition;
  page += "</H4><br>";
  page += kLineEnd;
  if (!routine.Access.empty()) {
    page += "<H2>Access: </H2><br><H3>&nbsp;&nbsp;&nbsp; ";
    page += routine.Access;
    page += "</H3><br>\r\n";
  }
  if (!returnValue.empty()) AppendSection(page, "<H2>Return Values:</H2><br>", returnValue);
  if (!params.empty()) AppendSection(page, "<H2>Parameters:</H2><br>", params);
  if (!description.empty()) AppendSection(page, "<H2>Remarks:</H2><br>", description);
  if (!routine.SeeAlso.empty()) AppendSeeAlso(page, seeAlso, "<H2>See Also: </H2>");
  if (!routine.ExampleFile.empty()) AppendExamplesLink(page, routine.ExampleFile);
  page += context.tail;
  return page;
}

std::string ClassPage(ClassDoc& record, PageContext& context) {
  std::string description = LinkedHTML(record.Description, false, context);
  std::string seeAlso = LinkedHTML(record.SeeAlso, true, context);

  std::string page = InsertTitle(context.head, HTMLText(record.Name));
  page += "<center><H1>";
  AppendHTMLText(page, record.Name);
  page += "</H1></center><br>\r\n\r\n";
  if (!record.DiagramHTML.empty()) {
    page += record.DiagramHTML;
    page += kLineEnd;
  }
  page += "<H2>Description</H2><br><H3>";
  page += description;
  page += "</H3><br><br>\r\n<H2>Members</H2><br><br><br>\r\n";
  GenerateGroupTables(record.Members, page, context.words, context.run);
  if (!record.SeeAlso.empty()) AppendSeeAlso(page, seeAlso, "<H2>See Also: </H2>");
  if (!record.ExampleFile.empty()) AppendExamplesLink(page, record.ExampleFile);
  page += context.tail;
  return page;
}

// A general page has no heading of its own (its name is the page title),
// a first-level See Also heading and no Examples link.
std::string GeneralPage(GeneralDoc& record, PageContext& context) {
  std::string text = LinkedHTML(record.Description, false, context);
  std::string seeAlso = LinkedHTML(record.SeeAlso, true, context);

  std::string page = InsertTitle(context.head, HTMLText(record.Name));
  page += text;
  page += "<br>\r\n";
  if (!record.SeeAlso.empty()) AppendSeeAlso(page, seeAlso, "<H1>See Also: </H1>");
  page += context.tail;
  return page;
}

}  // namespace

void GenerateHTML(ClassDoc& record, PageContext& context) {
  FinishPage(context, record.filename, ClassKey(record, context), "Created Class File: ",
             [&] { return ClassPage(record, context); });
  for (const auto& member : record.Members) {
    if (context.run.CheckCancel()) return;
    GenerateHTML(*member, record.Name, context);
  }
}

void GenerateHTML(ClassMemberDoc& record, const std::string& className, PageContext& context) {
  std::string title = className + "::" + record.Name;
  FinishPage(context, record.filename, RoutineKey(record, title, context),
             "Created Class Member File: ", [&] { return RoutinePage(record, title, context); });
}

void GenerateHTML(FunctionDoc& record, PageContext& context) {
  FinishPage(context, record.filename, RoutineKey(record, record.Name, context),
             "Created Function File: ", [&] { return RoutinePage(record, record.Name, context); });
}

void GenerateHTML(GeneralDoc& record, PageContext& context) {
  ContentKey key;
  PageKey(key, context).Add(record.Name).Add(record.Description).Add(record.SeeAlso);
  FinishPage(context, record.filename, key.Value(), "Created General File: ",
             [&] { return GeneralPage(record, context); });
}

}  // namespace tavelle
