#include "stage/views/sample_stage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "converter/cob_conversion.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "foundation/file_io.h"
#include "pictures/bmp_writer.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"
#include "stage/object_library.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "stage/views/camera_modes.h"

namespace {

using Bank = PictureBankHighColor1;
namespace fs = std::filesystem;

// --- Pictures ----------------------------------------------------------------------------

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct Picture {
  int32_t width;
  int32_t height;
  std::vector<Rgb> pixels;

  Picture(int32_t w, int32_t h, Rgb fill)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  Rgb& At(int32_t x, int32_t y) {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

// A fixed sequence of numbers, the same on every machine.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  // -1 ... 1
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
  }

 private:
  uint32_t state_;
};

uint8_t Level(float value) {
  return static_cast<uint8_t>(std::lround(std::fmin(255.0f, std::fmax(0.0f, value))));
}

Rgb Shade(Rgb base, float amount) {
  return {Level(base.r + amount), Level(base.g + amount), Level(base.b + amount)};
}

std::string BmpBytes(const Picture& picture) {
  return Bmp24Bytes(picture.width, picture.height, [&picture](int32_t x, int32_t y) {
    const Rgb& c = picture.pixels[static_cast<size_t>(y * picture.width + x)];
    return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
  });
}

Picture Asphalt() {
  Picture p(64, 64, {});
  Noise noise(11);
  for (int32_t y = 0; y < 64; ++y) {
    for (int32_t x = 0; x < 64; ++x) p.At(x, y) = Shade({86, 88, 94}, noise.Next() * 10.0f);
  }
  const Rgb paint{236, 236, 228};
  for (int32_t y = 0; y < 64; ++y) {
    for (int32_t x : {1, 2, 61, 62}) p.At(x, y) = paint;
    if (y < 32) {
      for (int32_t x : {31, 32}) p.At(x, y) = {240, 200, 40};
    }
  }
  return p;
}

Picture Kerb() {
  Picture p(16, 16, {});
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) p.At(x, y) = y < 8 ? Rgb{206, 32, 28} : Rgb{240, 240, 236};
  }
  return p;
}

Picture Gravel() {
  Picture p(64, 64, {});
  Noise noise(23);
  for (int32_t y = 0; y < 64; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const float speck = noise.Next();
      p.At(x, y) = Shade({196, 178, 136}, speck * 26.0f + (speck > 0.8f ? 30.0f : 0.0f));
    }
  }
  return p;
}

Picture Grass() {
  Picture p(64, 64, {});
  Noise noise(37);
  for (int32_t y = 0; y < 64; ++y) {
    // Mown stripes across the face, lighter and darker.
    const float stripe = (y / 16) % 2 == 0 ? 8.0f : -8.0f;
    for (int32_t x = 0; x < 64; ++x) {
      const float n = noise.Next();
      p.At(x, y) = {Level(58 + stripe + n * 10), Level(132 + stripe + n * 22),
                    Level(48 + stripe + n * 8)};
    }
  }
  return p;
}

// Frame k of the flashing sign: yellow chevrons moving on a dark blue board, a lit border
// that blinks.
Picture SignFrame(int32_t k) {
  Picture p(64, 32, {20, 30, 90});
  const Rgb yellow{255, 214, 40};
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const int32_t dy = y < 16 ? 15 - y : y - 16;
      const int32_t phase = (x + dy + 64 - 4 * k) % 16;
      if (y >= 6 && y < 26 && phase < 5) p.At(x, y) = yellow;
      const bool border = x < 2 || x >= 62 || y < 2 || y >= 30;
      if (border) p.At(x, y) = k % 2 == 0 ? Rgb{250, 250, 250} : Rgb{120, 20, 20};
    }
  }
  return p;
}

// The start banner: a checkered band above and below a red field with a white stripe.
Picture Banner() {
  Picture p(128, 32, {200, 24, 24});
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 128; ++x) {
      if (y < 8 || y >= 24) {
        const bool dark = ((x / 4) + (y / 4)) % 2 == 0;
        p.At(x, y) = dark ? Rgb{16, 16, 16} : Rgb{245, 245, 245};
      } else if (y >= 14 && y < 18) {
        p.At(x, y) = {245, 245, 245};
      }
    }
  }
  return p;
}

// --- The start gate as a COB scene ---------------------------------------------------------

struct Vec {
  float x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, float k) { return {a.x * k, a.y * k, a.z * k}; }

// Triangles in model space (y up), two per rectangle, each running clockwise when seen from
// outside, as the views draw front faces.
class CobMesh {
 public:
  // A rectangle around `centre` facing `outward`, `half_right` and `half_up` long.
  void Rectangle(Vec centre, Vec outward, Vec half_right, Vec half_up, int32_t material) {
    (void)outward;
    const Vec bl = centre - half_right - half_up;
    const Vec tl = centre - half_right + half_up;
    const Vec tr = centre + half_right + half_up;
    const Vec br = centre + half_right - half_up;
    const int32_t first = static_cast<int32_t>(vertices_.size());
    for (const Vec& v : {bl, tl, tr, br}) vertices_.push_back(v);
    faces_.push_back({first, first + 1, first + 2, 3, 0, 1, material});
    faces_.push_back({first, first + 2, first + 3, 3, 1, 2, material});
  }
  // A box of the given half sizes; its front and back carry `face_material`.
  void Box(Vec centre, Vec half, int32_t side_material, int32_t face_material) {
    const Vec x{half.x, 0, 0}, y{0, half.y, 0}, z{0, 0, half.z};
    // Seen from outside, the viewer's right is up x (towards the viewer).
    Rectangle(centre - z, {0, 0, -1}, x, y, face_material);          // front (-z)
    Rectangle(centre + z, {0, 0, 1}, x * -1.0f, y, face_material);   // back (+z)
    Rectangle(centre + x, {1, 0, 0}, z, y, side_material);           // +x
    Rectangle(centre - x, {-1, 0, 0}, z * -1.0f, y, side_material);  // -x
    Rectangle(centre + y, {0, 1, 0}, x, z, side_material);           // top
    Rectangle(centre - y, {0, -1, 0}, x, z * -1.0f, side_material);  // bottom
  }

  // The scene text; COB files have z up, so model (x, y, z) is written as (x, z, y), and
  // their texture v runs upwards.
  std::string Text(const std::string& texture) const {
    std::string text = "Caligari V00.01ALH             \n";
    text += "PolH V0.08 Id 1000 Parent 0 Size 00092429\nName StartGate\n";
    text += "center 0 0 0\nx axis 1 0 0\ny axis 0 1 0\nz axis 0 0 1\n";
    text += "Transform\n1 0 0 0\n0 1 0 0\n0 0 1 0\n0 0 0 1\n";
    char line[128];
    text += "World Vertices " + std::to_string(vertices_.size()) + "\n";
    for (const Vec& v : vertices_) {
      std::snprintf(line, sizeof line, "%.6f %.6f %.6f\n", static_cast<double>(v.x),
                    static_cast<double>(v.z), static_cast<double>(v.y));
      text += line;
    }
    // Texture corners top left, top right, bottom right, bottom left (v upwards).
    text +=
        "Texture Vertices 4\n0.000000 1.000000\n1.000000 1.000000\n1.000000 0.000000\n"
        "0.000000 0.000000\n";
    text += "Faces " + std::to_string(faces_.size()) + "\n";
    for (const Face& f : faces_) {
      std::snprintf(line, sizeof line, "Face verts 3 flags 0 mat %d\n<%d,%d> <%d,%d> <%d,%d>\n",
                    f.material, f.a, f.ta, f.b, f.tb, f.c, f.tc);
      text += line;
    }
    text += "DrawFlags 0\nUnit V0.01 Id 1001 Parent 1000 Size 00000009\nUnits 2\n";
    const char* rgb[2] = {"0.72,0.72,0.78", "0.8,0.1,0.1"};
    for (int material = 0; material < 2; ++material) {
      text += "Mat1 V0.06 Id " + std::to_string(1002 + material) + " Parent 1000 Size 00000094\n";
      text += "mat# " + std::to_string(material) + "\nshader: phong  facet: auto40\n";
      text += std::string("rgb ") + rgb[material] + "\nalpha 1  ka 0.1  ks 0.1  exp 0  ior 1\n";
      if (material == 1) {
        text += "texture: " + std::to_string(texture.size()) + texture + "\n";
        text += "offset 0,0  repeats 1,1\n";
      }
    }
    text += "END  V1.00 Id 0 Parent 0 Size        0\n";
    return text;
  }

 private:
  struct Face {
    int32_t a, b, c;
    int32_t ta, tb, tc;  // texture corners: bottom left 3, top left 0, top right 1, bottom right 2
    int32_t material;
  };
  std::vector<Vec> vertices_;
  std::vector<Face> faces_;
};

std::string StartGateCob(const std::string& texture) {
  CobMesh mesh;
  // In model units (the object's zoom of 100 % makes 1 unit 100 world units): two pillars
  // 0.84 apart across a 0.6-wide road and a banner beam between their tops.
  for (float x : {-0.42f, 0.42f}) mesh.Box({x, 0.12f, 0.0f}, {0.02f, 0.12f, 0.02f}, 0, 0);
  mesh.Box({0.0f, 0.2f, 0.0f}, {0.44f, 0.035f, 0.015f}, 0, 1);
  return mesh.Text(texture);
}

// --- The stage ----------------------------------------------------------------------------

Point3f Add(const Point3f& a, const Point3f& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3f Scaled(const Point3f& a, float k) { return {a.x * k, a.y * k, a.z * k}; }

// The unit direction from the right end to the left end of partition p's closing line.
Point3f Lateral(const Point3f& left, const Point3f& right) {
  Point3f d{left.x - right.x, 0.0f, left.z - right.z};
  const float length = std::sqrt(d.x * d.x + d.z * d.z);
  return length > 0.0f ? Scaled(d, 1.0f / length) : Point3f{1.0f, 0.0f, 0.0f};
}

// Where the start gate and the flashing sign stand, ahead of the road camera.
constexpr int32_t kGatePartition = 4;
constexpr int32_t kBillboardPartition = 7;

// Wire k of a side: distance outward from the road's edge and height above it.
struct WireStep {
  float out;
  float up;
};

class SampleBuilder {
 public:
  SampleBuilder(Stage& stage, const std::string& templates)
      : stage_(stage), templates_(templates) {}

  std::string Build() {
    std::string error;
    if (!LoadPictures(&error)) return error;
    if (LoadPartitionFile(stage_, "circuit.pat") != kPartitionLoaded) {
      return "circuit.pat cannot be loaded";
    }
    stage_.SelectPartition(0);
    Terrain();
    if (!StartGate(&error) || !Trees(&error) || !Fences(&error) || !Billboard(&error) ||
        !Background(&error)) {
      return error;
    }
    for (int32_t id : own_) Bank::Release(id);
    own_.clear();
    return "";
  }

 private:
  int32_t Register(const std::string& path, std::string* error) {
    const int32_t id = Bank::Register(path, Bank::kModePowerOfTwo);
    if (id < 0) *error = path + ": the picture bank refuses it (" + std::to_string(id) + ")";
    if (id >= 0) own_.push_back(id);
    return id;
  }

  // A picture with black as its transparent colour, packed into a multi-picture file as the
  // picture packer would.
  int32_t Transparent(const std::string& bmp, const std::string& tsy, std::string* error) {
    const int32_t id = Bank::Register(bmp, Bank::kModePowerOfTwo);
    if (id < 0) {
      *error = bmp + ": the picture bank refuses it";
      return -1;
    }
    Bank::SetTransparentColour(id, 0);
    const bool written = TsyFileWriter::Write(tsy, {id}, {0}, error);
    Bank::Release(id);
    return written ? Register(tsy, error) : -1;
  }

  bool LoadPictures(std::string* error) {
    asphalt_ = Register("asphalt.bmp", error);
    kerb_ = Register("kerb.bmp", error);
    gravel_ = Register("gravel.bmp", error);
    grass_ = Register("grass.bmp", error);
    std::vector<int32_t> frames;
    for (int32_t k = 0; k < 4; ++k) {
      const int32_t id =
          Bank::Register("sign_" + std::to_string(k) + ".bmp", Bank::kModePowerOfTwo);
      if (id < 0) {
        *error = "sign frame refused";
        return false;
      }
      frames.push_back(id);
    }
    const bool packed = TsyFileWriter::Write("sign.tsy", frames, {250, 250, 250, 250}, error);
    for (int32_t id : frames) Bank::Release(id);
    if (!packed) return false;
    sign_ = Register("sign.tsy", error);
    tree_ = Transparent(templates_ + "/template_textures/tree.bmp", "tree.tsy", error);
    fence_ = Transparent(templates_ + "/template_textures/fence.bmp", "fence.tsy", error);
    post_ = Register(templates_ + "/template_textures/billboard_post.bmp", error);
    for (const char* side : {"north", "east", "south", "west", "top"}) {
      sky_.push_back(Register(templates_ + "/template_textures/sky_" + side + ".bmp", error));
    }
    for (int32_t id : own_) {
      if (id < 0) return false;
    }
    return asphalt_ >= 0 && kerb_ >= 0 && gravel_ >= 0 && grass_ >= 0 && sign_ >= 0 && tree_ >= 0 &&
           fence_ >= 0 && post_ >= 0;
  }

  void Look(const FaceRef& face, int32_t picture, float red, float green, float blue,
            float v_repeat) {
    const TextureCorner corners[4] = {
        {1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, v_repeat}, {1.0f, v_repeat}};
    stage_.SetFaceLook(face, red, green, blue, corners);
    stage_.SetFacePicture(face, picture);
  }

  void Terrain() {
    const ::Terrain& terrain = stage_.GetTerrain();
    const int32_t count = terrain.PartitionCount();
    for (int32_t p = 0; p < count; ++p) {
      Point3f corners[4];
      terrain.PartitionCorners(p, corners);
      const Point3f left = corners[0];
      const Point3f right = corners[1];
      const Point3f across = Lateral(left, right);
      for (int32_t side = 0; side < 2; ++side) {
        const Point3f edge = side == kLeftSide ? left : right;
        const Point3f outward = side == kLeftSide ? across : Scaled(across, -1.0f);
        // Low banks rolling along the course, different on each side.
        const float phase = static_cast<float>(p) * 0.21f + static_cast<float>(side) * 1.7f;
        const WireStep steps[4] = {{4.0f, -0.2f},
                                   {16.0f, -0.6f},
                                   {60.0f, 4.0f + 6.0f * std::sin(phase)},
                                   {140.0f, 14.0f + 12.0f * std::sin(phase * 0.6f + 0.5f)}};
        for (const WireStep& step : steps) {
          Point3f at = Add(edge, Scaled(outward, step.out));
          at.y = edge.y + step.up;
          stage_.AddWire(p, side, at);
        }
      }
    }
    for (int32_t p = 0; p < count; ++p) {
      Look({p, kRoadFaceSide, -1}, asphalt_, 0.35f, 0.35f, 0.38f, 2.0f);
      for (int32_t side = 0; side < 2; ++side) {
        if (terrain.FaceRun(p, side) < 4) continue;
        Look({p, side, 0}, kerb_, 0.8f, 0.1f, 0.1f, 8.0f);
        Look({p, side, 1}, gravel_, 0.75f, 0.7f, 0.5f, 1.0f);
        Look({p, side, 2}, grass_, 0.25f, 0.55f, 0.2f, 1.0f);
        Look({p, side, 3}, grass_, 0.25f, 0.55f, 0.2f, 1.0f);
      }
    }
  }

  // The object made by the last creation call.
  int32_t NewObject(const std::vector<int32_t>& before) const {
    for (int32_t id = stage_.FirstObject(); id != -1; id = stage_.NextObject(id)) {
      bool seen = false;
      for (int32_t old : before) seen = seen || old == id;
      if (!seen) return id;
    }
    return -1;
  }

  std::vector<int32_t> Objects() const {
    std::vector<int32_t> ids;
    for (int32_t id = stage_.FirstObject(); id != -1; id = stage_.NextObject(id)) ids.push_back(id);
    return ids;
  }

  void Place(int32_t id, const Point3f& position, float heading, const Point3f& zoom) {
    PlacedObject object = stage_.Object(id);
    object.position = position;
    object.rotation = {0.0f, heading, 0.0f};
    object.zoom = zoom;
    stage_.UpdateObject(id, object);
    stage_.ResetObjectCoordinates(id);
  }

  // Heading that lays a model's x axis along the world direction d (on the ground).
  static float HeadingOfX(const Point3f& d) { return std::atan2(d.z, d.x); }

  bool StartGate(std::string* error) {
    const std::string picture = BmpBytes(Banner());
    if (!AtomicWriteFile("gate_banner.bmp", picture, error) ||
        !AtomicWriteFile("start_gate.cob", StartGateCob("gate_banner.bmp"), error)) {
      return false;
    }
    ConversionRequest request;
    request.input_path = "start_gate.cob";
    request.output_directory = "./";
    request.output_path = "start_gate.po3";
    const int converted = ConvertCobToPo3(request, [](int) { return 0; });
    if (converted != kConverted) {
      *error = std::string("start_gate.cob: ") + ConversionMessage(converted);
      return false;
    }
    int32_t object = -1;
    if (CreateObjectFromPolygonFile(stage_, "start_gate.po3", {}, &object) !=
        kPolygonObjectLoaded) {
      *error = "start_gate.po3 cannot be placed";
      return false;
    }
    // Across the road at the end of partition kGatePartition, glued to it.
    Point3f corners[4];
    if (!stage_.GetTerrain().PartitionCorners(kGatePartition, corners)) {
      *error = "the course is too short for the start gate";
      return false;
    }
    const Point3f centre = Scaled(Add(corners[0], corners[1]), 0.5f);
    Place(object, centre, HeadingOfX(Lateral(corners[0], corners[1])), {100.0f, 100.0f, 100.0f});
    stage_.GlueObject(object, kGatePartition);
    return true;
  }

  bool Trees(std::string* error) {
    const ::Terrain& terrain = stage_.GetTerrain();
    const std::string path = templates_ + "/BitmapObject.bof";
    Noise noise(53);
    for (int32_t p = 2; p < terrain.PartitionCount(); p += 3) {
      Point3f corners[4];
      terrain.PartitionCorners(p, corners);
      const Point3f across = Lateral(corners[0], corners[1]);
      for (int32_t side = 0; side < 2; ++side) {
        const Point3f edge = side == kLeftSide ? corners[0] : corners[1];
        const Point3f outward = side == kLeftSide ? across : Scaled(across, -1.0f);
        const std::vector<int32_t> before = Objects();
        if (CreateBitmapObject(stage_, path, "[Tree]", &tree_, 1) != 0) {
          *error = path + ": [Tree] cannot be made";
          return false;
        }
        const int32_t tree = NewObject(before);
        const TerrainWire outer = terrain.Wire(p, side, 3);
        const float out = 90.0f + 40.0f * noise.Next();
        Point3f at = Add(edge, Scaled(outward, out));
        // On the slope between the third and the fourth wire.
        const TerrainWire bank = terrain.Wire(p, side, 2);
        at.y = bank.end_a.y + (outer.end_a.y - bank.end_a.y) * (out - 60.0f) / 80.0f;
        const float size = 100.0f + 30.0f * noise.Next();
        Place(tree, at, noise.Next() * 3.0f, {size, size, size});
      }
    }
    return true;
  }

  bool Fences(std::string* error) {
    const ::Terrain& terrain = stage_.GetTerrain();
    const std::string path = templates_ + "/BitmapObject.bof";
    for (int32_t p = 3; p < 16 && p < terrain.PartitionCount(); ++p) {
      Point3f now[4];
      terrain.PartitionCorners(p, now);
      const Point3f mid_left = Scaled(Add(now[0], now[3]), 0.5f);
      const Point3f mid_right = Scaled(Add(now[1], now[2]), 0.5f);
      const Point3f along =
          Add(Scaled(Add(now[0], now[1]), 0.5f), Scaled(Add(now[2], now[3]), -0.5f));
      const float length = std::sqrt(along.x * along.x + along.z * along.z);
      if (length <= 0.0f) continue;
      const Point3f outward = Lateral(mid_right, mid_left);  // the right side's outward
      const std::vector<int32_t> before = Objects();
      if (CreateBitmapObject(stage_, path, "[Fence]", &fence_, 1) != 0) {
        *error = path + ": [Fence] cannot be made";
        return false;
      }
      const int32_t fence = NewObject(before);
      Point3f at = Add(mid_right, Scaled(outward, 17.0f));
      at.y -= 0.6f;
      // The fence model is 0.2 long: stretch it over the partition.
      Place(fence, at, HeadingOfX(Scaled(along, 1.0f / length)), {length / 0.2f, 100.0f, 100.0f});
      stage_.GlueObject(fence, p);
    }
    return true;
  }

  bool Billboard(std::string* error) {
    const ::Terrain& terrain = stage_.GetTerrain();
    const int32_t p = kBillboardPartition;
    if (!terrain.HasPartition(p)) return true;
    Point3f corners[4];
    terrain.PartitionCorners(p, corners);
    const Point3f across = Lateral(corners[0], corners[1]);
    const Point3f along =
        Add(Scaled(Add(corners[0], corners[1]), 0.5f), Scaled(Add(corners[2], corners[3]), -0.5f));
    const std::vector<int32_t> before = Objects();
    const int32_t pictures[2] = {sign_, post_};
    const std::string path = templates_ + "/BitmapObject.bof";
    if (CreateBitmapObject(stage_, path, "[Billboard]", pictures, 2) != 0) {
      *error = path + ": [Billboard] cannot be made";
      return false;
    }
    const int32_t board = NewObject(before);
    Point3f at = Add(corners[1], Scaled(across, -24.0f));
    at.y -= 0.6f;
    // Its face looks back along the road at the cars coming.
    Place(board, at, std::atan2(-along.x, along.z), {220.0f, 220.0f, 220.0f});
    stage_.GlueObject(board, p);
    return true;
  }

  bool Background(std::string* error) {
    const std::string path = templates_ + "/BackObject.bof";
    if (CreateBackgroundObject(stage_, path, "[SkyBox]", sky_.data(),
                               static_cast<int32_t>(sky_.size())) != 0) {
      *error = path + ": [SkyBox] cannot be made";
      return false;
    }
    return true;
  }

  Stage& stage_;
  std::string templates_;
  std::vector<int32_t> own_;  // references taken here, given back at the end
  int32_t asphalt_ = -1, kerb_ = -1, gravel_ = -1, grass_ = -1, sign_ = -1, tree_ = -1, fence_ = -1,
          post_ = -1;
  std::vector<int32_t> sky_;
};

// The views the sample opens with: the split view; the rendered perspective view on the
// road before the start gate; the plan over the whole course.
ViewSection SampleViews(const Stage& stage) {
  ViewSection views;
  float min_x = 1e30f, max_x = -1e30f, min_z = 1e30f, max_z = -1e30f;
  const ::Terrain& terrain = stage.GetTerrain();
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    Point3f corners[4];
    terrain.PartitionCorners(p, corners);
    for (const Point3f& c : corners) {
      min_x = std::fmin(min_x, c.x);
      max_x = std::fmax(max_x, c.x);
      min_z = std::fmin(min_z, c.z);
      max_z = std::fmax(max_z, c.z);
    }
  }
  const double cx = (min_x + max_x) / 2.0, cz = (min_z + max_z) / 2.0;
  views.parallel[0] = {cx, 0.0, cz, 0.0005};
  // The side and front views look closer at the partitions shown first (0 ... 20).
  Point3f first[4], last[4];
  terrain.PartitionCorners(0, first);
  terrain.PartitionCorners(std::min(20, terrain.PartitionCount() - 1), last);
  const double near_x = (first[0].x + last[0].x) / 2.0, near_z = (first[0].z + last[0].z) / 2.0;
  views.parallel[1] = {near_x, 20.0, near_z, 0.0015};
  views.parallel[2] = {near_x, 20.0, near_z, 0.0015};
  PerspectiveViewRecord& p = views.perspective;
  p.settings = {1, 1, 1, 0, 3, 0.0f, 20};
  CameraModeRecord& road = p.modes[1];
  road.partition = 0;
  road.fraction = 0.2f;
  road.height = 9.0f;
  road.pitch = -0.06f;
  CameraModeRecord& lap = p.modes[2];
  lap.partition = terrain.PartitionCount() - 5;
  lap.height = 14.0f;
  lap.pitch = -0.08f;
  PressModeButton(&p, kRenderButton);
  views.partition.show_previous = 1;
  views.first_pane_kind = kTopViewKind;
  return views;
}

ToolStateBlock SampleTools() {
  ToolStateBlock tools = ToolStateBlock::Initial();
  tools.words[ToolStateBlock::kMode0PlanView] = 0;
  tools.words[ToolStateBlock::kMode0SplitView] = 1;
  return tools;
}

// Works in a folder and goes back to where it was.
class InFolder {
 public:
  InFolder(const fs::path& folder, std::error_code& error) : before_(fs::current_path(error)) {
    if (!error) fs::current_path(folder, error);
  }
  ~InFolder() {
    std::error_code ignored;
    fs::current_path(before_, ignored);
  }

 private:
  fs::path before_;
};

}  // namespace

std::string MakeSampleStage(const std::string& samples_folder,
                            const std::string& templates_folder) {
  std::error_code error_code;
  const fs::path samples = fs::absolute(samples_folder, error_code);
  const fs::path templates = fs::absolute(templates_folder, error_code);
  // Pictures are registered by paths relative to the samples folder.
  const std::string relative_templates =
      fs::relative(templates, samples, error_code).generic_string();
  if (error_code) return "cannot find the folders: " + error_code.message();
  InFolder in(samples, error_code);
  if (error_code) return samples_folder + ": " + error_code.message();

  CourseData1 course;
  course.Initialise();
  if (LoadCourseFile(course, "circuit.cus") != kCourseFileOk) return "circuit.cus cannot be read";
  std::string error;
  if (WritePartitionFile(course, "circuit.pat", &error) != kPartitionWritten) return error;
  const struct {
    const char* name;
    Picture picture;
  } pictures[] = {{"asphalt.bmp", Asphalt()},   {"kerb.bmp", Kerb()},
                  {"gravel.bmp", Gravel()},     {"grass.bmp", Grass()},
                  {"sign_0.bmp", SignFrame(0)}, {"sign_1.bmp", SignFrame(1)},
                  {"sign_2.bmp", SignFrame(2)}, {"sign_3.bmp", SignFrame(3)}};
  for (const auto& p : pictures) {
    if (!AtomicWriteFile(p.name, BmpBytes(p.picture), &error)) return error;
  }

  Bank::StartUp(16);
  std::string result;
  {
    Stage stage;
    result = SampleBuilder(stage, relative_templates).Build();
    if (result.empty()) {
      stage.SelectPartition(0);
      if (!StageFile::Save("sample.ste", stage, SampleTools(), SampleViews(stage), &error)) {
        result = error;
      }
    }
    stage.Reset();
  }
  Bank::ShutDown();
  return result;
}
