// What the programs that draw the committed pictures share: the command line (one folder to
// draw into) and the writing of each picture, whose path is printed so the run lists what
// it made.
#pragma once

#include <QImage>
#include <functional>
#include <string>

// Checks for exactly one argument (else prints `usage` and returns 2; "--help" prints it and
// returns 0), starts the application and calls `draw` with the folder. 0 when `draw` says
// everything was written, 1 otherwise.
int RunResourceGenerator(int argc, char** argv, const char* usage,
                         const std::function<bool(const std::string& folder)>& draw);

// Writes `image` as the PNG `folder`/`name` and prints the path; says so on stderr and
// returns false when it cannot.
bool SavePng(const QImage& image, const std::string& folder, const std::string& name);
