// tessaly, the picture packer: the dialog without arguments, the batch mode with them.
#include "packer/gui/packer_program.h"

int main(int argc, char** argv) { return TessalyMain(argc, argv); }
