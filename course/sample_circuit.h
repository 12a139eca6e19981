// The sample course the suite ships: a small closed circuit with a hill, banked corners and
// road widths that vary around the lap. Built through the course's own edit operations so
// that the committed course file is exactly what the code makes.
#pragma once

class CourseData1;

// Replaces `course` (initialised) with the sample circuit: loop on, point 0 selected, the
// marker at the start, changed flag clear.
void BuildSampleCircuit(CourseData1& course);
