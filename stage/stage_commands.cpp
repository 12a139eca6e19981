#include "stage/stage_commands.h"

std::string PartitionEndsEarlyMessage(int32_t lines_read, int32_t line_count) {
  return "ファイルが途中で終わっています。" + std::to_string(line_count) + "本のラインのうち" +
         std::to_string(lines_read) + "本を読み込みました。";
}
