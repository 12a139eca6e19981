#include "stage/template_file.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"

namespace {
// Vertices a template polygon may have: the views clip polygons into arrays of 20 corners.
constexpr int32_t kMinPolygonCorners = 3;
constexpr int32_t kMaxPolygonCorners = 16;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// A forward-only reader over the text of one model.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  // Moves past the next occurrence of `keyword`.
  bool Find(std::string_view keyword) {
    const size_t at = text_.find(keyword, position_);
    if (at == std::string_view::npos) return false;
    position_ = at + keyword.size();
    return true;
  }

  bool Int(int32_t* value) {
    if (!Token()) return false;
    const auto result = std::from_chars(Begin(), End(), *value);
    return Consumed(result.ec, result.ptr);
  }

  bool Float(float* value) {
    if (!Token()) return false;
    const auto result = std::from_chars(Begin(), End(), *value);
    return Consumed(result.ec, result.ptr);
  }

 private:
  bool Token() {
    while (position_ < text_.size() && IsSeparator(text_[position_])) ++position_;
    if (position_ < text_.size() && text_[position_] == '+') ++position_;
    return position_ < text_.size();
  }
  const char* Begin() const { return text_.data() + position_; }
  const char* End() const { return text_.data() + text_.size(); }
  bool Consumed(std::errc error, const char* end) {
    if (error != std::errc()) return false;
    position_ = static_cast<size_t>(end - text_.data());
    return true;
  }

  std::string_view text_;
  size_t position_ = 0;
};

// The text of the section that starts at `open` (a "["): its name with brackets and its
// body up to the next "[". False when the name has no "]".
bool Section(std::string_view text, size_t open, std::string* name, std::string_view* body,
             size_t* next) {
  const size_t close = text.find(']', open);
  if (close == std::string_view::npos) return false;
  *name = std::string(text.substr(open, close - open + 1));
  const size_t end = std::min(text.find('[', close), text.size());
  *body = text.substr(close + 1, end - close - 1);
  *next = end;
  return true;
}

bool ReadDescriptor(std::string_view body, TemplateModelDescriptor* model) {
  Cursor cursor(body);
  if (!cursor.Find("Attribute") || !cursor.Int(&model->attribute_count) ||
      !cursor.Find("ViewPos") || !cursor.Find("Xnum") || !cursor.Int(&model->x_count) ||
      !cursor.Find("Ynum") || !cursor.Int(&model->y_count)) {
    return false;
  }
  // A side longer than the whole grid (possible when the other side is 0) would size the
  // dialog's slot area beyond any screen and overflow its arithmetic.
  if (model->attribute_count < 0 || model->x_count < 0 || model->y_count < 0 ||
      model->x_count > kTemplateGridCells || model->y_count > kTemplateGridCells ||
      static_cast<int64_t>(model->x_count) * model->y_count > kTemplateGridCells) {
    return false;
  }
  std::fill(std::begin(model->view_pos), std::end(model->view_pos), -1);
  for (int32_t i = 0; i < model->x_count * model->y_count; ++i) {
    int32_t& cell = model->view_pos[i];
    if (!cursor.Int(&cell) || cell < -1 || cell >= model->attribute_count) return false;
  }
  return true;
}

bool ReadModel(std::string_view body, int32_t count, ObjectShape* shape) {
  Cursor cursor(body);
  int32_t points = 0;
  if (!cursor.Find("World Vertices") || !cursor.Int(&points) || points < 0) return false;
  for (int32_t i = 0; i < points; ++i) {
    Point3f p;
    if (!cursor.Float(&p.x) || !cursor.Float(&p.y) || !cursor.Float(&p.z)) return false;
    shape->points.push_back(p);
  }
  int32_t maps = 0;
  if (!cursor.Find("Texture Vertices") || !cursor.Int(&maps) || maps < 0) return false;
  for (int32_t i = 0; i < maps; ++i) {
    TextureCorner uv;
    if (!cursor.Float(&uv.u) || !cursor.Float(&uv.v)) return false;
    shape->map_coordinates.push_back(uv);
  }
  int32_t faces = 0;
  if (!cursor.Find("Faces") || !cursor.Int(&faces) || faces < 0) return false;
  for (int32_t f = 0; f < faces; ++f) {
    int32_t corners = 0;
    int32_t attribute = 0;
    if (!cursor.Find("Face verts") || !cursor.Int(&corners) || corners < kMinPolygonCorners ||
        corners > kMaxPolygonCorners || !cursor.Find("mat") || !cursor.Int(&attribute)) {
      return false;
    }
    std::vector<int32_t> run(static_cast<size_t>(2 * corners + 2));
    run[0] = corners;
    const size_t n = static_cast<size_t>(corners);
    for (size_t k = 0; k < n; ++k) {
      if (!cursor.Find("<") || !cursor.Int(&run[1 + k]) || !cursor.Int(&run[1 + n + k]) ||
          !cursor.Find(">")) {
        return false;
      }
    }
    run.back() = attribute;
    shape->polygons.push_back(std::move(run));
  }
  int32_t attributes = 0;
  if (!cursor.Find("Attribute") || !cursor.Int(&attributes) || attributes != count) return false;
  shape->attributes.resize(static_cast<size_t>(count));
  for (const std::vector<int32_t>& polygon : shape->polygons) {
    if (!PolygonFitsShape(polygon, *shape)) return false;
  }
  return true;
}
}  // namespace

int32_t ScanTemplateText(const std::string& text, TemplateScan* scan) {
  TemplateScan read;
  size_t open = text.find('[');
  while (open != std::string::npos && open < text.size()) {
    TemplateModelDescriptor model;
    std::string_view body;
    size_t next = 0;
    if (!Section(text, open, &model.name, &body, &next)) break;
    if (ReadDescriptor(body, &model)) {
      read.largest_x = std::max(read.largest_x, model.x_count);
      read.largest_y = std::max(read.largest_y, model.y_count);
      read.models.push_back(model);
    }
    open = next;
  }
  *scan = std::move(read);
  return kTemplateRead;
}

int32_t ScanTemplateFile(const std::string& path, TemplateScan* scan) {
  std::string text;
  if (!ReadWholeFile(path, text)) return kTemplateCannotOpen;
  return ScanTemplateText(text, scan);
}

int32_t ReadTemplateModelText(const std::string& text, const std::string& name,
                              const int32_t* pictures, int32_t count, ObjectShape* shape) {
  const size_t at = name.empty() ? std::string::npos : text.find(name);
  if (at == std::string::npos || count < 0) return kTemplateBad;
  // The body runs from the end of the name to the next section.
  const size_t begin = at + name.size();
  const size_t end = std::min(text.find('[', begin), text.size());
  ObjectShape read;
  if (!ReadModel(std::string_view(text).substr(begin, end - begin), count, &read)) {
    return kTemplateBad;
  }
  for (int32_t i = 0; i < count; ++i) {
    ShapeAttribute& attribute = read.attributes[static_cast<size_t>(i)];
    attribute.texture_switch = 1;
    attribute.picture = pictures[i];
    attribute.repeat_u = 1.0f;
    attribute.repeat_v = 1.0f;
    PictureBankHighColor1::AddRef(pictures[i]);
  }
  read.use_count = 1;
  read.name = name;
  *shape = std::move(read);
  return kTemplateRead;
}

int32_t ReadTemplateModel(const std::string& path, const std::string& name, const int32_t* pictures,
                          int32_t count, ObjectShape* shape) {
  std::string text;
  if (!ReadWholeFile(path, text)) return kTemplateCannotOpen;
  return ReadTemplateModelText(text, name, pictures, count, shape);
}

std::vector<TemplateSlot> TemplateSlots(const TemplateModelDescriptor& model) {
  std::vector<TemplateSlot> slots;
  for (int32_t row = 0; row < model.y_count; ++row) {
    for (int32_t column = 0; column < model.x_count; ++column) {
      const int32_t cell = model.view_pos[row * model.x_count + column];
      if (cell != -1) slots.push_back({115 + 60 * column, 10 + 60 * row, cell});
    }
  }
  return slots;
}

void TemplateSlotArea(const TemplateScan& scan, int32_t* width, int32_t* height) {
  *width = std::max(100, 60 * scan.largest_x);
  *height = std::max(100, 60 * scan.largest_y);
}

bool CollectSlotPictures(const TemplateModelDescriptor& model,
                         const std::vector<int32_t>& slot_pictures,
                         std::vector<int32_t>* pictures) {
  const std::vector<TemplateSlot> slots = TemplateSlots(model);
  // Every attribute needs a slot of its own; the count comes from the file and may be huge.
  if (model.attribute_count > static_cast<int64_t>(slots.size())) return false;
  std::vector<int32_t> collected(static_cast<size_t>(std::max(0, model.attribute_count)), -1);
  for (size_t i = 0; i < slots.size() && i < slot_pictures.size(); ++i) {
    if (slot_pictures[i] >= 0)
      collected[static_cast<size_t>(slots[i].attribute)] = slot_pictures[i];
  }
  for (int32_t picture : collected) {
    if (picture < 0) return false;
  }
  *pictures = std::move(collected);
  return true;
}
