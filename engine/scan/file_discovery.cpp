#include "engine/scan/file_discovery.h"

namespace tavelle {

void FindSourceFiles(const std::string&, std::vector<FileInfo>&, const SortedCollection<SearchWord>&,
                     const std::string&, const automation::ObjectRef&) {}

void FindSourceFilesRecursive(const std::string&, std::vector<FileInfo>&,
                              const SortedCollection<SearchWord>&, const std::string&,
                              const automation::ObjectRef&) {}

}  // namespace tavelle
