// Models of today's modelling tools (glTF, OBJ, FBX, COLLADA, 3DS, PLY, STL) read through the
// Open Asset Import Library and mapped onto the PO3 object a COB file of the same content
// would give: every mesh with its node transforms applied, triangles only, one attribute per
// material (diffuse colour, diffuse texture), texture v counted from the top, and the axes
// turned so that what stands upright in the modelling tool stands upright in the stage editor.
// Textures become files beside the object that the stage editor can load: a bitmap it reads
// is copied, anything else is written as a 24-bit bitmap of the same name with ".bmp".
#pragma once

#include <array>
#include <string>
#include <vector>

#include "converter/cob_file.h"
#include "converter/po3_file.h"

struct aiScene;

// One texture file to put beside the object.
struct ModelTexture {
  std::string name;         // file name in the output folder
  std::string source_path;  // a bitmap copied as it is; empty when `bytes` holds the file
  std::string bytes;
};

struct ImportedModel {
  Po3Object object;
  std::vector<ModelTexture> textures;
};

// Row-major 3 × 3 matrix taking a point of the model file to stage coordinates (y up).
using AxisMatrix = std::array<float, 9>;

// File name patterns of the model kinds offered besides COB, for file dialogs.
inline constexpr const char* kModelFilePatterns =
    "*.gltf *.glb *.obj *.fbx *.dae *.3ds *.ply *.stl";

// True when the path's extension (any letter case) is one of kModelFilePatterns.
bool IsModelPath(const std::string& path);

// The axes of a scene read from `path`. The library hands every scene over with y up except
// an FBX file (whose own axes are in the scene's metadata "UpAxis", "FrontAxis", "CoordAxis"
// with their signs) and STL and PLY files, which carry no axes and are z-up by custom. The
// suite's world is the COB world with y and z exchanged, so a y-up model has its z turned
// round.
AxisMatrix ModelAxes(const aiScene& scene, const std::string& path);

// Reads the model at `path` into `model`. Results (cob_conversion.h): kConverted,
// kModelOpenFailed, kModelUnreadable, kModelNoTriangles, kConversionCancelled (through
// `progress`), kImageOpenFailed, kImageNotSupported, kImageSizeNotPowerOfTwo. `scale`
// multiplies every position; `invert` reverses every face's corners.
int ImportModel(const std::string& path, bool invert, float scale, const CobProgress& progress,
                ImportedModel* model);
