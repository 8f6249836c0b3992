// Output files of a run, written so that they never destroy anything: a
// symbolic link is followed and its target written; an existing target that
// is not a regular file (a device, a FIFO) is written in place; a regular
// file is replaced whole or not at all, through a temporary file beside it
// that is renamed over it, and keeps its permission bits.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct OutputFile {
  std::string option;  // the option that asked for it, for messages: "--save"
  std::string path;    // as the user gave it
  std::string text;    // made once the run is over
};

// Checks, before anything is written, that each output can be: its folder
// exists and may be written, it is not a folder, and no two outputs go to the
// same file. Throws InputError "OPTION: cannot write PATH: REASON".
void CheckOutputFiles(const std::vector<OutputFile>& outputs);

// Writes the outputs: every regular file's text to its temporary file first,
// then the targets written in place, then the temporary files renamed over
// their targets. On a failure no file of this run is left behind (devices
// and FIFOs keep what they were sent); throws InputError as above.
void WriteOutputFiles(const std::vector<OutputFile>& outputs);

// One output on its own, written as above; throws InputError.
void WriteFileWhole(const std::string& path, const std::string& text);

}  // namespace sim
