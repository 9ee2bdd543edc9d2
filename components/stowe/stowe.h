// Stowe: the INI profile component, class "StoweProj.Stowe". It stores
// named values in named sections of an INI-style text file.
//
// Members (called by name):
//   filename            (get/put) the file to work on; set before the rest.
//   SetEntry(section, key, value) -> Boolean
//                       stores the value as text: Booleans as True/False,
//                       numbers in decimal.
//   GetEntry(section, key, default) -> value
//                       the stored value converted to the kind of `default`
//                       (Booleans read in any letter case); `default` when
//                       the file, section or key is missing or the stored
//                       text does not convert.
//   Clear()             forgets every entry, so that the next save replaces
//                       the whole file.
//   Save() -> Boolean   writes the file now.
//
// The file is read on the first GetEntry or SetEntry and kept in memory;
// changes are written by Save, or on release when they are still unsaved.
// Saving writes a temporary file beside the target and renames it over the
// target, so a failed save leaves the old file as it was. Sections and keys
// keep the order in which they were first written. Section and key names
// are matched without regard to letter case.
#ifndef TAVELLE_COMPONENTS_STOWE_STOWE_H_
#define TAVELLE_COMPONENTS_STOWE_STOWE_H_

#include <SimpleIni.h>

#include <string>

#include "automation/object.h"

namespace stowe {

class Stowe : public automation::Object {
 public:
  Stowe();
  ~Stowe() override;

  bool Invoke(std::string_view member, automation::CallKind kind,
              std::span<automation::Variant> args, automation::Variant& result) override;

  void SetFileName(std::string path);
  bool SetEntry(const std::string& section, const std::string& key,
                const automation::Variant& value);
  automation::Variant GetEntry(const std::string& section, const std::string& key,
                               const automation::Variant& fallback);
  void Clear();
  bool Save();

 private:
  void LoadOnce();

  std::string filename_;
  CSimpleIniA ini_;  // names compared without regard to letter case
  bool loaded_ = false;   // the file was read (or the entries were cleared)
  bool unsaved_ = false;  // entries changed since the last save
};

}  // namespace stowe

#endif  // TAVELLE_COMPONENTS_STOWE_STOWE_H_
