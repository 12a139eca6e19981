#include "stage/tool_state_block.h"

ToolStateBlock ToolStateBlock::Initial() {
  ToolStateBlock block;
  for (int32_t word :
       {kMode0, kMode0CameraMove, kSelectPoint, kMode0PlanView, kMode1CameraMove, kRotateOnScreen,
        kSelectGluePartition, kMoveObjectCoordinates, kMode1PlanView}) {
    block.words[word] = 1;
  }
  return block;
}

void ToolStateBlock::Write(ByteWriter& out) const {
  for (int32_t word : words) out.I32(word);
}

bool ToolStateBlock::Read(ByteReader& in) {
  if (!in.CanRead(kWords, 4)) return false;
  for (int32_t& word : words) word = in.I32();
  return true;
}
