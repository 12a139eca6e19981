// Where placed objects get their shapes: polygon object files (".po3") and the two template
// files beside the program. Shapes are shared: a .po3 shape by its file name, a template
// shape by its name and pictures; each placed object holds one use of its shape.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/prompter.h"
#include "stage/stage.h"
#include "stage/stage_commands.h"

// Told how far a load has come: items (points, map coordinates, attributes) done of total.
using LoadProgress = std::function<void(int32_t done, int32_t total)>;

enum PolygonObjectResult : int32_t {
  kPolygonObjectLoaded = 0,
  kPolygonObjectCannotOpen = 1,
  kPolygonObjectDamaged = 2,  // shorter than its counts, or an index outside its tables
};

// The message shown for a result other than kPolygonObjectLoaded (UTF-8).
std::string PolygonObjectMessage(int32_t result);
// The absolute path of a texture named in the polygon file at `po3_path`: a path with a
// drive ("C:...") or starting with "/" stands as it is, any other is taken in the polygon
// file's folder.
std::string PolygonTexturePath(const std::string& po3_path, const std::string& texture);
// Where new objects are placed: the left end of the selected partition, or the origin.
Point3f PlacementPosition(const Stage& stage);

// The shape of the polygon file at `path`: the shape of that file name taken once more, or a
// new shape read from the file with use count 1 (its textures loaded with power-of-two sides
// demanded; a texture the bank refuses leaves its attribute untextured). `progress` (may be
// empty) is told after every 10th point, map coordinate and attribute. A file that cannot be
// read whole makes no shape and takes nothing.
int32_t LoadPolygonObject(Stage& stage, const std::string& path, const LoadProgress& progress,
                          int32_t* shape);
// Loads the shape and places an object showing it among the free objects (PlacementPosition).
int32_t CreateObjectFromPolygonFile(Stage& stage, const std::string& path,
                                    const LoadProgress& progress, int32_t* object);
// The menu command "オブジェクトファイル(.po3)を開く": asks for the file (section
// "Poly3FileOpen"), creates the object, selects it and redraws, or shows why not. 0 created, 1
// cancelled or refused.
int OpenPolygonObjectCommand(const StageCommandContext& context);

// The template files shipped with the program (beside it, or in the installed share folder).
std::string BitmapTemplatePath();
std::string BackgroundTemplatePath();

// Create bitmap object: the template shape of `name` with `pictures`, reused or read from
// `template_path`, placed at PlacementPosition among the free objects. 0, or 1 when the shape
// cannot be made (file missing, model missing or malformed, a picture that does not exist).
int32_t CreateBitmapObject(Stage& stage, const std::string& template_path, const std::string& name,
                           const int32_t* pictures, int32_t count);
// Create background object: the same at the origin; it replaces the background object.
int32_t CreateBackgroundObject(Stage& stage, const std::string& template_path,
                               const std::string& name, const int32_t* pictures, int32_t count);

enum class CreationMode { kBitmapObject = 0, kBackgroundObject = 1 };
// The creation dialog's title and template file.
std::string CreationDialogTitle(CreationMode mode);
std::string CreationTemplatePath(CreationMode mode);
// The message when the template file cannot be opened: its path and "ファイルが見当りません".
std::string TemplateMissingMessage(const std::string& path);
// The message for a picture-bank result of "NewTex" in a slot (UTF-8), "" for success.
std::string SlotPictureMessage(int32_t bank_result);
// "OK" of the creation dialog once every attribute has its picture: creates the object from
// `template_path` and selects it, or says "オブジェクトの作成に失敗しました。". 0 or 1 as the
// creators.
int32_t CreateObjectFromDialog(Stage& stage, CreationMode mode, const std::string& template_path,
                               const std::string& name, const std::vector<int32_t>& pictures,
                               PromptOwner owner);
