// A whole stage as glTF 2.0: the road quads and the terrain faces (in their colours, or with
// their pictures and corner coordinates), and every placed object (the background object
// too) as a node placing its shape, shapes shared by the objects that show them. Pictures
// come from the picture bank: an animation shows its first frame, a transparent colour
// becomes transparent texels. Axes and units as in course_gltf.h, so the stage lies on the
// exported course.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "exchange/gltf_scene.h"

class Stage;

// Exit statuses of the batch export, shared with the stage editor's other batch modes.
enum StageGltfStatus : int {
  kStageGltfDone = 0,
  kStageGltfCannotOpen = 1,   // the stage file cannot be opened
  kStageGltfDamaged = 2,      // not a stage file, another version, or damaged
  kStageGltfCannotWrite = 3,  // the output cannot be written (or there is nothing to write)
  kStageGltfUsage = 64,
};

// The stage as a scene. The picture bank must hold the stage's pictures.
GltfScene StageGltfScene(const Stage& stage);

// Writes the stage at `path` (".glb", or ".gltf" with its files beside it), atomically.
GltfWriteResult WriteStageGltf(const Stage& stage, const std::string& path,
                               std::string* error = nullptr);

// The message for a result other than kWritten (UTF-8), for the batch mode and the menu.
const char* StageGltfMessage(GltfWriteResult result);

// `tarnhollow --export-gltf OUT.glb STAGE.ste`: `arguments` are those after the program name,
// with or without the leading "--export-gltf". Loads the stage file with its pictures (the
// picture bank is started and shut down here), writes OUT (".glb" or ".gltf") and returns a
// StageGltfStatus; every failure is one line on `err`, naming the file and the reason, and
// nothing is written.
int RunStageGltfExport(const std::vector<std::string>& arguments, std::ostream& err);
