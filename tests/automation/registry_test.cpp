#include <gtest/gtest.h>

#include "automation/list_view.h"
#include "automation/registry.h"

namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

TEST(Registry, CreatesTheEngineFromItsLibraryByClassIdentifier) {
  ObjectRef engine = automation::CreateObject("Corvane.Tavelle");
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->Get("FunctionsHTMLFile").AsText(), "Functions.html");
  EXPECT_TRUE(engine->Get("autolink").AsBool()) << "member names ignore letter case";
  EXPECT_EQ(automation::CreateObject("No.Such.Class"), nullptr);
}

TEST(Registry, ARegisteredClassTakesThePlaceOfTheLibraryClassWhileItLives) {
  ASSERT_NE(automation::CreateObject("Corvane.Tavelle"), nullptr) << "library loaded first";
  {
    automation::ClassRegistration fake("Corvane.Tavelle",
                                       [] { return std::make_shared<automation::ListView>(); });
    ObjectRef object = automation::CreateObject("Corvane.Tavelle");
    EXPECT_NE(std::dynamic_pointer_cast<automation::ListView>(object), nullptr);
    automation::ClassRegistration failing("Corvane.Tavelle", [] { return nullptr; });
    EXPECT_EQ(automation::CreateObject("Corvane.Tavelle"), nullptr);
  }
  ObjectRef engine = automation::CreateObject("Corvane.Tavelle");
  ASSERT_NE(engine, nullptr) << "the library's own class is back";
  EXPECT_EQ(std::dynamic_pointer_cast<automation::ListView>(engine), nullptr);
}

TEST(Variant, ConvertsLikeAnAutomationClient) {
  EXPECT_EQ(Variant(true).AsText(), "True");
  EXPECT_EQ(Variant("FALSE").ToBool(), false);
  EXPECT_EQ(Variant(" 42 ").ToInt16(), int16_t{42});
  EXPECT_FALSE(Variant("70000").ToInt16().has_value());
  EXPECT_FALSE(Variant("maybe").ToBool().has_value());
  EXPECT_EQ(Variant(int16_t{-3}).AsText(), "-3");
}

TEST(ListView, OffersTheMembersOfAListViewControl) {
  auto view = std::make_shared<automation::ListView>();
  ObjectRef items = view->Get("ListItems").AsObject();
  ObjectRef row = items->Call("Add").AsObject();
  row->Put("Text", "date");
  Variant args[2] = {Variant(int32_t{1}), Variant("message")};
  Variant ignored;
  ASSERT_TRUE(row->Invoke("SubItems", CallKind::kPropertyPut, args, ignored));
  EXPECT_EQ(items->Get("Count").AsInt32(), 1);
  EXPECT_EQ(view->Row(0).text(), "date");
  EXPECT_EQ(view->Row(0).sub_item(1), "message");
  view->Put("SelectedItem", ObjectRef(row));
  EXPECT_EQ(view->SelectedRow(), 0);
  items->Call("Clear");
  EXPECT_EQ(view->RowCount(), 0u);

  view.reset();  // a client may keep the collection longer than the view
  EXPECT_TRUE(items->Get("Count").IsEmpty());
  EXPECT_TRUE(items->Call("Add").IsEmpty());
}

}  // namespace
