// The course designer program: without arguments (or with a course file) its main window;
// with --export-pat or --export-cob a batch export without a window; --help explains. A wrong
// command line ends with status 64.
#pragma once

// Returns the process exit status.
int RunMerrowlindale(int argc, char** argv);
