// The stage editor without its window: `tarnhollow --import-pat IN.pat --save OUT.ste`
// builds a new stage from a partition file and saves it with the tool state and views of a
// fresh start; `tarnhollow --open IN.ste --save OUT.ste` reads a stage file and saves it
// again (a file this program wrote comes back byte for byte). A message goes to `err` as one
// line of UTF-8 naming the file and the reason; the result is the exit status. Nothing is
// written unless the whole input was good.
#pragma once

#include <ostream>
#include <string>
#include <vector>

enum StageBatchStatus : int {
  kStageBatchDone = 0,
  kStageBatchCannotRead = 1,   // the input cannot be opened or read
  kStageBatchDamaged = 2,      // the input is damaged, short or of another kind
  kStageBatchCannotWrite = 3,  // the output cannot be written (nothing written)
  kStageBatchUsage = 64,       // a wrong command line
};

enum class StageBatchKind { kImportPartition, kResave };

struct StageBatchOptions {
  StageBatchKind kind = StageBatchKind::kResave;
  std::string input;
  std::string output;
};

// True when the arguments ask for one of these modes (they hold "--import-pat" or "--open").
bool IsStageBatch(const std::vector<std::string>& arguments);
// Parses "--import-pat IN --save OUT" or "--open IN --save OUT" (options in any order); false
// with a message in `error` otherwise.
bool ParseStageBatch(const std::vector<std::string>& arguments, StageBatchOptions* options,
                     std::string* error);
// Runs a parsed batch. The picture bank must be started (16 bits).
int RunStageBatch(const StageBatchOptions& options, std::ostream& err);
// Parses and runs with the picture bank started around the run; a wrong command line gives
// kStageBatchUsage.
int StageBatchMain(const std::vector<std::string>& arguments, std::ostream& err);

// The lines "--help" prints for these modes (UTF-8).
const char* StageBatchUsage();
