#include "engine/core/settings.h"

#include <array>
#include <type_traits>

namespace tavelle {

#define TAVELLE_PROPERTY(name) PropertyInfo{#name, &Settings::name}

std::span<const PropertyInfo> SettingProperties() {
  static const std::array<PropertyInfo, 52> properties = {
      TAVELLE_PROPERTY(SearchRecursive),
      TAVELLE_PROPERTY(GenerateDiagrams),
      TAVELLE_PROPERTY(OutputDirectory),
      TAVELLE_PROPERTY(FunctionsHTMLFile),
      TAVELLE_PROPERTY(ClassesHTMLFile),
      TAVELLE_PROPERTY(CommentString),
      TAVELLE_PROPERTY(AutoLink),
      TAVELLE_PROPERTY(CompiledFile),
      TAVELLE_PROPERTY(ContentFile),
      TAVELLE_PROPERTY(DefTopicFile),
      TAVELLE_PROPERTY(IndexFile),
      TAVELLE_PROPERTY(ProjFile),
      TAVELLE_PROPERTY(ProcAccessLevel),
      TAVELLE_PROPERTY(OutputMsgBox),
      TAVELLE_PROPERTY(DefaultHTML),
      TAVELLE_PROPERTY(ProjFileTemplate),
      TAVELLE_PROPERTY(IndexFileTemplate),
      TAVELLE_PROPERTY(ContentFileTemplate),
      TAVELLE_PROPERTY(JavaScriptTreeFile),
      TAVELLE_PROPERTY(GenerateJScriptTreeFile),
      TAVELLE_PROPERTY(lStartJavaNode),
      TAVELLE_PROPERTY(JavaTreeFontColor),
      TAVELLE_PROPERTY(JavaTreeSelFontColor),
      TAVELLE_PROPERTY(JavaTreeFont),
      TAVELLE_PROPERTY(JavaTreeFontSize),
      TAVELLE_PROPERTY(ClosedClassImage),
      TAVELLE_PROPERTY(ClosedSelClassImage),
      TAVELLE_PROPERTY(OpenClassImage),
      TAVELLE_PROPERTY(OpenSelClassImage),
      TAVELLE_PROPERTY(ClosedMemberImage),
      TAVELLE_PROPERTY(ClosedSelMemberImage),
      TAVELLE_PROPERTY(OpenMemberImage),
      TAVELLE_PROPERTY(OpenSelMemberImage),
      TAVELLE_PROPERTY(ClosedFunctionImage),
      TAVELLE_PROPERTY(ClosedSelFunctionImage),
      TAVELLE_PROPERTY(OpenFunctionImage),
      TAVELLE_PROPERTY(OpenSelFunctionImage),
      TAVELLE_PROPERTY(ClosedGeneralImage),
      TAVELLE_PROPERTY(ClosedSelGeneralImage),
      TAVELLE_PROPERTY(OpenGeneralImage),
      TAVELLE_PROPERTY(OpenSelGeneralImage),
      TAVELLE_PROPERTY(ClosedFolderImage),
      TAVELLE_PROPERTY(ClosedSelFolderImage),
      TAVELLE_PROPERTY(OpenFolderImage),
      TAVELLE_PROPERTY(OpenSelFolderImage),
      TAVELLE_PROPERTY(JavaUrlPath),
      TAVELLE_PROPERTY(ProjectTitle),
      TAVELLE_PROPERTY(DiagramScale),
      TAVELLE_PROPERTY(TreeViewerFolder),
      TAVELLE_PROPERTY(GenerateSearchIndex),
      TAVELLE_PROPERTY(WarningsAsErrors),
      TAVELLE_PROPERTY(DisabledWarnings),
  };
  return properties;
}

#undef TAVELLE_PROPERTY

const PropertyInfo* FindProperty(std::string_view name) {
  for (const PropertyInfo& property : SettingProperties())
    if (name == property.name) return &property;
  return nullptr;
}

automation::Variant ReadProperty(const Settings& settings, const PropertyInfo& property) {
  return std::visit([&](auto field) { return automation::Variant(settings.*field); },
                    property.field);
}

namespace {

template <class T, class V>
bool Store(Settings& settings, T Settings::*field, const std::optional<V>& converted) {
  if (!converted) return false;
  settings.*field = *converted;
  return true;
}

}  // namespace

bool WriteProperty(Settings& settings, const PropertyInfo& property,
                   const automation::Variant& value) {
  return std::visit(
      [&](auto field) -> bool {
        using Field = decltype(field);
        if constexpr (std::is_same_v<Field, bool Settings::*>) {
          return Store(settings, field, value.ToBool());
        } else if constexpr (std::is_same_v<Field, int16_t Settings::*>) {
          return Store(settings, field, value.ToInt16());
        } else if constexpr (std::is_same_v<Field, int32_t Settings::*>) {
          return Store(settings, field, value.ToInt32());
        } else if constexpr (std::is_same_v<Field, std::string Settings::*>) {
          return Store(settings, field, value.ToText());
        } else {
          if (!value.IsEmpty() && value.kind() != automation::Variant::Kind::kObject) return false;
          settings.*field = value.AsObject();
          return true;
        }
      },
      property.field);
}

}  // namespace tavelle
