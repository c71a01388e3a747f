// The runner's exit statuses, for the runner, the checker that reads them and
// the scripts of teachers. 4 to 8 only come from a confined run.
#pragma once

namespace orv {

enum RunnerStatus : int {
  kStatusFinished = 0,     // the program ran to its end
  kStatusStopped = 1,      // an error (the last stderr line says where)
  kStatusUsage = 2,        // bad arguments or a program that cannot be read
  kStatusInterrupted = 3,  // the line budget or Ctrl+C
  kStatusTime = 4,         // CPU or wall-clock time
  kStatusMemory = 5,
  kStatusDisk = 6,
  kStatusOutput = 7,       // an output file reached its size limit
  kStatusNotConfined = 8,  // the confinement could not be set up: nothing ran
};

}  // namespace orv
