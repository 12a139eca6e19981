// Writes the sample circuit as a course file: make_sample_course OUTPUT.cus
#include <cstdio>
#include <string>

#include "course/course_data.h"
#include "course/course_file.h"
#include "course/sample_circuit.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fprintf(stderr, "usage: make_sample_course OUTPUT.cus\n");
    return argc == 2 ? 0 : 2;
  }
  CourseData1 course;
  course.Initialise();
  BuildSampleCircuit(course);
  std::string error;
  if (SaveCourseFile(course, argv[1], &error) != kCourseFileOk) {
    std::fprintf(stderr, "make_sample_course: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
