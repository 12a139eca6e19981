// The course designer program: without arguments (or with a course file) its main window;
// with --export-pat or --export-cob a batch export without a window; --help explains. A wrong
// command line ends with status 64.
#pragma once

#include <string>

class CourseDesignerWindow1;

// The start of the window after it was made: the colour-depth check (false, after its
// message, when the display's depth is refused: the program then ends), the saved placement,
// the window shown, the offer of work a crashed run left in a recovery copy, and
// `course_path` opened when it is not "" and no work was recovered.
bool StartCourseDesigner(CourseDesignerWindow1& window, const std::string& course_path);
// Returns the process exit status.
int RunMerrowlindale(int argc, char** argv);
