#include "pictures/gui/picture_drawing.h"

#include <algorithm>

#include "pictures/picture_bank_high_color1.h"

namespace picture_drawing {

void Checkerboard(Surface16& surface) {
  for (int32_t y = 0; y < surface.Height(); ++y) {
    uint16_t* row = surface.ScreenRow(y);
    const int32_t square_row = y / kSquare;
    for (int32_t x = 0; x < surface.Width(); ++x) {
      row[x] = ((square_row + x / kSquare) % 2 == 0) ? kGrey : kLightBlue;
    }
  }
}

namespace {

// The source column of every target column. Each is x times the factor rather than a sum
// of factors: summed float steps fall just short of whole columns (40 steps of 2/80 give
// 0.99999994), which would shift every block edge of an exact enlargement by a pixel.
void SourceColumns(int target_width, int source_width, int32_t* columns) {
  const float factor = float(source_width) / float(target_width);
  for (int x = 0; x < target_width; ++x) {
    columns[x] = std::min(int32_t(float(x) * factor), source_width - 1);
  }
}

}  // namespace

void StretchPicture(Surface16& surface, const QRect& target, const uint8_t* pixels,
                    const PictureInfo& info) {
  if (pixels == nullptr || target.width() <= 0 || target.height() <= 0 || info.width <= 0 ||
      info.height <= 0) {
    return;
  }
  const float vertical = float(info.height) / float(target.height());
  std::vector<int32_t> columns(size_t(target.width()));
  SourceColumns(target.width(), info.width, columns.data());
  const bool keyed = info.transparency_switch == 1;
  const uint16_t key = uint16_t(info.transparent_colour);
  for (int y = 0; y < target.height(); ++y) {
    const int screen_y = target.top() + y;
    if (screen_y < 0 || screen_y >= surface.Height()) continue;
    const int32_t source_row = std::min(int32_t(float(y) * vertical), info.height - 1);
    const int64_t row_start = int64_t(source_row) * info.width;
    uint16_t* row = surface.ScreenRow(screen_y);
    for (int x = 0; x < target.width(); ++x) {
      const int screen_x = target.left() + x;
      if (screen_x < 0 || screen_x >= surface.Width()) continue;
      const uint16_t word = Word(pixels, row_start + columns[size_t(x)]);
      if (keyed && word == key) continue;
      row[screen_x] = word;
    }
  }
}

int32_t SourcePixelAt(const QRect& target, const PictureInfo& info, int x, int y,
                      int32_t* source_x, int32_t* source_y) {
  if (!target.contains(x, y) || info.width <= 0 || info.height <= 0) return -1;
  std::vector<int32_t> columns(size_t(target.width()));
  SourceColumns(target.width(), info.width, columns.data());
  const float vertical = float(info.height) / float(target.height());
  *source_x = columns[size_t(x - target.left())];
  *source_y = std::min(int32_t(float(y - target.top()) * vertical), info.height - 1);
  return 0;
}

void Frame(Surface16& surface, const QRect& rect, uint16_t colour, int thickness) {
  for (int t = 0; t < thickness; ++t) {
    const QRect r = rect.adjusted(t, t, -t, -t);
    if (r.width() <= 0 || r.height() <= 0) return;
    for (int x = r.left(); x <= r.right(); ++x) {
      surface.Set(x, r.top(), colour);
      surface.Set(x, r.bottom(), colour);
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
      surface.Set(r.left(), y, colour);
      surface.Set(r.right(), y, colour);
    }
  }
}

}  // namespace picture_drawing
