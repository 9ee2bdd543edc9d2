// The run memo: what a finished run did, kept in the output folder as
// ".tavelle-run", so that the next run with the same inputs, into a folder
// nobody has touched since, can give the same result without doing the
// work again.
//
// The inputs are everything a run reads: the settings and lists, the
// program's version, every source file the folder walk finds (name and
// bytes), the page and help templates, the tree viewer's files and the
// search-word database as that run left it. A memo is kept only for a run
// that finished without a failure and mended nothing; replaying it logs that run's rows again
// (all but the removal of stale files, which a second run has none of),
// and gives back its warnings and key words. Anything that does not match,
// or a memo that is missing or damaged, means a normal run; the memo still
// tells that run what the search-word table holds, so that unchanged words
// are not stored again.
#ifndef TAVELLE_ENGINE_PIPELINE_RUN_MEMO_H_
#define TAVELLE_ENGINE_PIPELINE_RUN_MEMO_H_

#include <cstdint>

#include "engine/core/run.h"
#include "engine/scan/project.h"
#include "engine/search/search_store.h"

namespace tavelle {

// A key over the inputs of a run of `project` but its source files, taken
// before the run (which adds key words); 0 when they cannot be told (a
// template that cannot be read), which no memo matches.
uint64_t RunSetupKey(const Project& project);

// Replays the memo when it was made from `setup` and the sources as they
// are now, and the output folder is as that run left it; false, having
// done nothing, otherwise. Either way `table` is what that run left in the
// search-word table, when the memo tells.
bool ReplayRunMemo(Project& project, Run& run, uint64_t setup, StoredTable& table);

// Keeps the memo of the run that just finished, whose rows `run` kept,
// with the sources it read and the key of the words it stored. Call after
// the output cache is saved.
void SaveRunMemo(const Project& project, Run& run, uint64_t setup, uint64_t words);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_RUN_MEMO_H_
