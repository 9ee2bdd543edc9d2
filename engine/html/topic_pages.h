// The topic pages: one page per class, class member, function and general
// topic, framed by the page template. Each page is assembled in full, then
// registered in the run's page list, written and announced by one row. A
// class page is followed by the pages of its members.
#ifndef TAVELLE_ENGINE_HTML_TOPIC_PAGES_H_
#define TAVELLE_ENGINE_HTML_TOPIC_PAGES_H_

#include <string>

#include "engine/html/page_context.h"
#include "engine/scan/records.h"

namespace tavelle {

// Each writer flattens the record's free-text fields in place.
void GenerateHTML(ClassDoc& record, PageContext& context);
void GenerateHTML(ClassMemberDoc& record, const std::string& className, PageContext& context);
void GenerateHTML(FunctionDoc& record, PageContext& context);
void GenerateHTML(GeneralDoc& record, PageContext& context);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_TOPIC_PAGES_H_
