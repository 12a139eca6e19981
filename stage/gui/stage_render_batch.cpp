#include "stage/gui/stage_render_batch.h"

const char* RenderBatchUsage() {
  return "使い方: tarnhollow --render STAGE.ste OUT.png [--view top|side|front|pers|pat] "
         "[--size WxH] [--mode free|road|rend|lap] [--time MS]\n";
}

int RunRenderBatch(const std::vector<std::string>& arguments, std::ostream& err) {
  (void)arguments;
  err << "tarnhollow --render: 描画はまだ組み込まれていません\n";
  return 64;
}
