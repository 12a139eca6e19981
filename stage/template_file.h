// The template files "BitmapObject.bof" and "BackObject.bof": named models whose attributes
// get their pictures from the user. A model is a section "[name]" followed by "World
// Vertices" n and n points x y z, "Texture Vertices" m and m pairs u v, "Faces" and per face
// "Face verts" k, "mat" a and k pairs "<" point "," map ">", then "Attribute" and the number
// of pictures, then "ViewPos", "Xnum" x, "Ynum" y and the x * y grid of attribute indices
// (-1 = no picture slot) in rows. Tokens are separated by line ends, blanks, tabs and commas;
// keywords are found by scanning forward within the model's section (up to the next "[").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stage/shape_library.h"

constexpr int32_t kTemplateGridCells = 50;

// What the creation dialog keeps of one model.
struct TemplateModelDescriptor {
  std::string name;  // with its brackets, bytes as in the file
  int32_t attribute_count = 0;
  int32_t x_count = 0;
  int32_t y_count = 0;
  int32_t view_pos[kTemplateGridCells] = {};
};

struct TemplateScan {
  std::vector<TemplateModelDescriptor> models;
  int32_t largest_x = 0;
  int32_t largest_y = 0;
};

enum TemplateResult : int32_t { kTemplateRead = 0, kTemplateCannotOpen = 1, kTemplateBad = 2 };

// Reads the descriptors of every model. A model whose grid is missing, holds more than
// kTemplateGridCells cells or names an attribute outside 0 ... count - 1 is left out.
int32_t ScanTemplateText(const std::string& text, TemplateScan* scan);
int32_t ScanTemplateFile(const std::string& path, TemplateScan* scan);

// Builds the shape of model `name` (with brackets) with pictures[0 ... count - 1] on its
// attributes (a reference taken on each, texture switch 1, repeat 1, colour 0) and use count
// 1. kTemplateBad (nothing taken) when the model is missing, a keyword or number is missing,
// the attribute count is not `count`, or a polygon names a point, map coordinate or
// attribute that does not exist.
int32_t ReadTemplateModelText(const std::string& text, const std::string& name,
                              const int32_t* pictures, int32_t count, ObjectShape* shape);
int32_t ReadTemplateModel(const std::string& path, const std::string& name, const int32_t* pictures,
                          int32_t count, ObjectShape* shape);

// The creation dialog's layout: picture slots of 60 x 60 pixels at (115 + 60 * column,
// 10 + 60 * row) for the grid cells that hold an attribute, in rows.
struct TemplateSlot {
  int32_t x = 0;
  int32_t y = 0;
  int32_t attribute = -1;
};
std::vector<TemplateSlot> TemplateSlots(const TemplateModelDescriptor& model);
// Slot area of the dialog: 60 * largest Xnum and 60 * largest Ynum, each at least 100.
void TemplateSlotArea(const TemplateScan& scan, int32_t* width, int32_t* height);
// "OK": one picture per attribute from the slots (slot i holds slot_pictures[i], -1 = none,
// later slots of the same attribute winning). False when an attribute has none.
bool CollectSlotPictures(const TemplateModelDescriptor& model,
                         const std::vector<int32_t>& slot_pictures, std::vector<int32_t>* pictures);
