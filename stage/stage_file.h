// The stage file (".ste"): the whole stage with its pictures, the edit selection, and the
// state of the tool windows and views. Layout: the magic "Tarnhollow" and the version
// "Version1.1" (11 bytes each with their zero byte), the tool-state block (216 bytes), the
// view section (392 bytes), then the stage section: selection, free objects, start line,
// partitions, objects, shape library and the picture bank image. References between records
// are stored as ordinals (positions in iteration order), which become the IDs after loading.
//
// Reading is all or nothing: the stage section is read into a fresh stage, checked (every
// count against the bytes that remain, every ordinal, partition and wire index against what
// exists), and only then are the picture bank and the live stage replaced.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "stage/stage.h"
#include "stage/tool_state_block.h"
#include "stage/view_records.h"

enum class StageFileResult : int32_t {
  kOk = 0,
  kCannotOpen = 1,    // "ファイルのオープンに失敗"
  kNotStageFile = 2,  // "このファイルはTarnhollowのファイルでない"
  kOtherVersion = 3,  // "このファイルはバージョンが異なります"
  kDamaged = 4,       // "ファイルが破壊されている"
};

class StageFile {
 public:
  static constexpr size_t kHeaderBytes = 22;
  // Where the stage section starts.
  static constexpr size_t kStageSectionOffset =
      kHeaderBytes + ToolStateBlock::kBytes + ViewSection::kBytes;

  // The message shown for a result other than kOk (UTF-8).
  static const char* Message(StageFileResult result);

  // The bytes of a whole stage file.
  static std::string Image(const Stage& stage, const ToolStateBlock& tools,
                           const ViewSection& views);
  // The selection's records as the stage section stores them, for other images of the stage
  // (the undo history's).
  static constexpr size_t kFaceRefBytes = 12;
  static void WritePointRef(const PointRef& point, ByteWriter& out);
  static PointRef ReadPointRef(ByteReader& in);
  static void WriteFaceRef(const FaceRef& face, ByteWriter& out);
  static FaceRef ReadFaceRef(ByteReader& in);

  // Writes the stage section, the picture bank image included.
  static void WriteStageSection(const Stage& stage, ByteWriter& out);

  // Checks the magic and the version.
  static StageFileResult ReadHeader(ByteReader& in);
  // Reads the stage section. On kOk the picture bank holds the file's pictures, `stage`
  // holds the file's stage (modified flag clear) and its old contents are gone; on any
  // other result the bank and `stage` are exactly as they were.
  static StageFileResult ReadStageSection(ByteReader& in, Stage& stage);
  // Reads a whole stage file image; on kOk `stage`, `tools` and `views` hold the file's.
  // On failure nothing is changed.
  static StageFileResult ReadImage(const std::string& bytes, Stage& stage, ToolStateBlock* tools,
                                   ViewSection* views);

  // Saves atomically; false (old file kept, modified flag kept) when the file cannot be
  // written. On success the modified flag is cleared.
  static bool Save(const std::string& path, Stage& stage, const ToolStateBlock& tools,
                   const ViewSection& views, std::string* error = nullptr);
  // Reads the file at `path` (kCannotOpen when it cannot be read) as ReadImage does.
  static StageFileResult Load(const std::string& path, Stage& stage, ToolStateBlock* tools,
                              ViewSection* views);
};
