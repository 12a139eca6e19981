// tarnhollow: the stage editor.
#include "stage/gui/tarnhollow_program.h"

int main(int argc, char** argv) { return RunTarnhollow(argc, argv); }
