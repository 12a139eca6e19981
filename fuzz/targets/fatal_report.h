// The fuzz build's stand-in for the error log (foundation/error.cpp is not linked into the
// fuzz targets). Reports of levels 0-2 are dropped, so a run writes no log files. A level-3
// report ends a run as a finding (the input made a reader fail a misuse check or give up),
// except in the BMPFile1 target, whose reader ends the program on any bad file by design:
// there the report throws FatalReport, which the target catches.
#pragma once

struct FatalReport {};

// When true, level-3 reports throw FatalReport instead of aborting.
void SetFatalReportsThrow(bool throws);
