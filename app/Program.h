// The program's entry point, apart from main() itself so that tests can run it.
#pragma once

namespace quorvel {

// Makes the toolkit's process-wide settings, builds the main window from the command line,
// runs it until it closes and returns the exit status.
int Main(int argc, char** argv);

} // namespace quorvel
