// The misuse checks of the library. In the diagnostic build a failed check writes its line
// to the error log and ends the program (level 3); in the lean build (LEAN_BUILD) the check
// and its condition are compiled out and the caller must keep within the limits.
#pragma once

#include "foundation/error.h"

#ifdef LEAN_BUILD
// sizeof keeps the names used without evaluating anything.
#define SUITE_CHECK(condition, class_tag, message) ((void)sizeof(!(condition)))
#define SUITE_FATAL(class_tag, message) ((void)0)
#else
#define SUITE_CHECK(condition, class_tag, message)  \
  do {                                              \
    if (!(condition)) {                             \
      ::Error1::Report((class_tag), (message), 3);  \
    }                                               \
  } while (0)
#define SUITE_FATAL(class_tag, message) ::Error1::Report((class_tag), (message), 3)
#endif
