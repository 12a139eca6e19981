// The colour-depth check at program start: the drawing code needs a display of 16, 24 or 32
// bits per pixel (a 24-bit colour display usually reports 32 today).
#pragma once

#include <functional>

#include "foundation/prompter.h"

class DisplayDepth {
 public:
  // Bits per pixel of the primary screen, or the injected query's answer.
  static int Current();
  // Replaces the query (tests); an empty function restores the screen's own.
  static void InjectQuery(std::function<int()> query);
  static bool Accepted(int bits) { return bits == 16 || bits == 24 || bits == 32; }
  // True when the depth is accepted; otherwise tells the user in a box titled "Error"
  // through the Prompter and returns false (the program then ends).
  static bool Check(PromptOwner owner = nullptr);
};
