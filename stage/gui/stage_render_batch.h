// `tarnhollow --render STAGE.ste OUT.png [--view top|side|front|pers|pat] [--size WxH]
// [--mode free|road|rend|lap] [--time MS]`: draws one view of a stage file, placed from the
// view records the file carries, with the same code the windows use, and writes it as a
// picture. Needs a QGuiApplication (the offscreen platform will do) for the picture writer.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The lines "--help" prints for the render mode (UTF-8, ending with a newline).
const char* RenderBatchUsage();

// Runs the render mode; `arguments` are the program's arguments without the program name,
// starting with "--render". Messages go to `err`; returns the exit status (0 written, 64 a
// wrong command line, another non-zero status when the stage cannot be read or the picture
// cannot be written; nothing is written then).
int RunRenderBatch(const std::vector<std::string>& arguments, std::ostream& err);
