#pragma once
// Runs a scenario of user actions against the real screens, one command a line,
// and writes what the program does, one line an event.

#include <istream>
#include <ostream>

#include "platform/file_system.h"
#include "platform/screen_decl.h"

namespace nubera {

// Returns the exit status: 1 when any "error" line was written, 0 otherwise.
int runScript(const ScreenSet& screens, FileSystem& files, std::istream& in, std::ostream& out);

}  // namespace nubera
