#include "converter/po3_file.h"

#include <charconv>
#include <filesystem>

#include "converter/cob_file.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"
#include "foundation/shift_jis.h"

namespace {

// "%f" without the locale: fixed notation with six decimals.
void AppendFixed(std::string& out, double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

void AppendInt(std::string& out, int64_t value) { out += std::to_string(value); }

void AppendFixedText(std::string& out, std::string_view utf8) { out += Utf8ToShiftJis(utf8); }

}  // namespace

Po3Object Po3File::FromCobScene(int32_t scene, bool invert) {
  Po3Object result;
  int32_t point_offset = 0;
  int32_t texture_offset = 0;
  int32_t attribute_offset = 0;
  std::vector<int32_t> face_buffer;
  const int32_t objects = CobFile2::ObjectCount(scene);
  for (int32_t object = 0; object < objects; ++object) {
    const int32_t points = CobFile2::VertexCount(scene, object);
    for (int32_t i = 0; i < points; ++i) {
      Po3Point point;
      CobFile2::Vertex(scene, object, i, point.x, point.y, point.z);
      result.points.push_back(point);
    }
    const int32_t texture_vertices = CobFile2::TextureVertexCount(scene, object);
    for (int32_t i = 0; i < texture_vertices; ++i) {
      Po3TextureVertex vertex;
      CobFile2::TextureVertex(scene, object, i, vertex.u, vertex.v);
      vertex.v = 1.0f - vertex.v;
      result.texture_vertices.push_back(vertex);
    }
    const int32_t faces = CobFile2::FaceCount(scene, object);
    for (int32_t i = 0; i < faces; ++i) {
      face_buffer.resize(static_cast<size_t>(2 * CobFile2::FaceCornerCount(scene, object, i) + 2));
      const int32_t n = CobFile2::Face(scene, object, i, face_buffer.data(),
                                       static_cast<int32_t>(face_buffer.size()));
      Po3Face face{};
      for (int32_t k = 0; k < 3 && k < n; ++k) {
        const int32_t corner = invert ? 2 - k : k;
        face.points[k] = face_buffer[static_cast<size_t>(1 + corner)] + point_offset;
        face.texture_vertices[k] =
            face_buffer[static_cast<size_t>(1 + n + corner)] + texture_offset;
      }
      face.attribute = face_buffer[static_cast<size_t>(1 + 2 * n)] + attribute_offset;
      result.faces.push_back(face);
    }
    const int32_t materials = CobFile2::MaterialCount(scene, object);
    for (int32_t i = 0; i < materials; ++i) {
      CobMaterial material;
      CobFile2::Material(scene, object, i, material);
      Po3Attribute attribute;
      attribute.red = material.red;
      attribute.green = material.green;
      attribute.blue = material.blue;
      attribute.textured = material.textured;
      if (material.textured == 1) {
        attribute.texture_name = Directory1::FileName(material.texture_path);
        attribute.texture_source = material.texture_path;
        attribute.repeat_u = material.repeat_u;
        attribute.repeat_v = material.repeat_v;
      }
      result.attributes.push_back(attribute);
    }
    point_offset += points;
    texture_offset += texture_vertices;
    attribute_offset += materials;
  }
  return result;
}

std::string Po3File::Bytes(const Po3Object& object) {
  ByteWriter writer;
  writer.I32(static_cast<int32_t>(object.points.size()));
  for (const Po3Point& point : object.points) {
    writer.F32(point.x);
    writer.F32(point.y);
    writer.F32(point.z);
  }
  writer.I32(static_cast<int32_t>(object.texture_vertices.size()));
  for (const Po3TextureVertex& vertex : object.texture_vertices) {
    writer.F32(vertex.u);
    writer.F32(vertex.v);
  }
  writer.I32(static_cast<int32_t>(object.faces.size()));
  for (const Po3Face& face : object.faces) {
    writer.I32(3);
    for (int32_t index : face.points) writer.I32(index);
    for (int32_t index : face.texture_vertices) writer.I32(index);
    writer.I32(face.attribute);
  }
  writer.I32(static_cast<int32_t>(object.attributes.size()));
  for (const Po3Attribute& attribute : object.attributes) {
    writer.F32(attribute.red);
    writer.F32(attribute.green);
    writer.F32(attribute.blue);
    writer.I32(attribute.textured);
    if (attribute.textured == 1) {
      writer.Text(attribute.texture_name);
      writer.U8(0);
      writer.F32(attribute.repeat_u);
      writer.F32(attribute.repeat_v);
    }
  }
  return writer.Take();
}

std::string Po3File::Listing(const Po3Object& object) {
  std::string out;
  AppendFixedText(out, "\n;点の数(long)\n;点データ(float float float)\nPointNumber = ");
  AppendInt(out, static_cast<int64_t>(object.points.size()));
  out += "\n";
  for (const Po3Point& point : object.points) {
    AppendFixed(out, point.x);
    out += " ";
    AppendFixed(out, point.y);
    out += " ";
    AppendFixed(out, point.z);
    out += "\n";
  }

  AppendFixedText(out, "\n;緯度経度の数(long)\n;緯度経度データ(float  float\nMapVecNumber = ");
  AppendInt(out, static_cast<int64_t>(object.texture_vertices.size()));
  out += "\n";
  for (const Po3TextureVertex& vertex : object.texture_vertices) {
    AppendFixed(out, vertex.u);
    out += " ";
    AppendFixed(out, vertex.v);
    out += "\n";
  }

  AppendFixedText(out,
                  "\n;面の数\n;頂点数(long) <点ID(long),,,> <緯度経度ID(long),,,> 属性ID\n"
                  "FaceNumber = ");
  AppendInt(out, static_cast<int64_t>(object.faces.size()));
  out += "\n";
  for (const Po3Face& face : object.faces) {
    out += "3 <";
    for (int32_t index : face.points) {
      AppendInt(out, index);
      out += " ";
    }
    out += ">,<";
    for (int32_t index : face.texture_vertices) {
      AppendInt(out, index);
      out += " ";
    }
    out += ">,";
    AppendInt(out, face.attribute);
    out += "\n";
  }

  AppendFixedText(out,
                  "\n;属性の数(long)\n;面の色(float float float)\n"
                  ";テクスチャースイッチ(long) テクスチャーパス(char～'\\0'まで) "
                  "テクスチャーオフセット(double double) テクスチャー繰り返し(double double)\n"
                  "\nAttributeNumber = ");
  AppendInt(out, static_cast<int64_t>(object.attributes.size()));
  out += "\n";
  int64_t index = 0;
  for (const Po3Attribute& attribute : object.attributes) {
    out += "\nmat# ";
    AppendInt(out, index++);
    out += "\nr = ";
    AppendFixed(out, attribute.red);
    out += " g = ";
    AppendFixed(out, attribute.green);
    out += " b = ";
    AppendFixed(out, attribute.blue);
    out += "\nTextureSwitch = ";
    AppendInt(out, attribute.textured);
    out += "\n";
    if (attribute.textured == 1) {
      out += "TexturePass = ";
      out += attribute.texture_name;
      out += "\nrepeatU = ";
      AppendFixed(out, attribute.repeat_u);
      out += " repeatV = ";
      AppendFixed(out, attribute.repeat_v);
      out += "\n";
    }
  }
  return out;
}

bool Po3File::Write(const std::string& output_directory, const std::string& po3_path,
                    const std::string& listing_name, const Po3Object& object, std::string* error) {
  std::vector<FileToWrite> files;
  files.push_back({po3_path, Bytes(object)});
  files.push_back({Directory1::Join(output_directory, listing_name), Listing(object)});
  for (const Po3Attribute& attribute : object.attributes) {
    if (attribute.textured != 1) continue;
    const std::string target = Directory1::Join(output_directory, attribute.texture_name);
    std::error_code ec;
    if (std::filesystem::equivalent(attribute.texture_source, target, ec)) continue;
    std::string image;
    if (!ReadWholeFile(attribute.texture_source, image, error)) return false;
    // Two images of the same name land on one file; the later one wins, as a copy would.
    bool replaced = false;
    for (FileToWrite& file : files) {
      if (file.path == target) {
        file.bytes = std::move(image);
        replaced = true;
        break;
      }
    }
    if (!replaced) files.push_back({target, std::move(image)});
  }
  return AtomicWriteFiles(files.data(), files.size(), error);
}

int Po3File::Read(const std::string& path, Po3Object& object) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return kPo3CannotOpen;
  return Parse(bytes, object);
}

int Po3File::Parse(std::string_view bytes, Po3Object& object) {
  ByteReader reader(bytes);
  Po3Object read;
  const int32_t points = reader.I32();
  if (!reader.CanRead(points, 12)) return kPo3Damaged;
  read.points.resize(static_cast<size_t>(points));
  for (Po3Point& point : read.points) {
    point.x = reader.F32();
    point.y = reader.F32();
    point.z = reader.F32();
  }
  const int32_t texture_vertices = reader.I32();
  if (!reader.CanRead(texture_vertices, 8)) return kPo3Damaged;
  read.texture_vertices.resize(static_cast<size_t>(texture_vertices));
  for (Po3TextureVertex& vertex : read.texture_vertices) {
    vertex.u = reader.F32();
    vertex.v = reader.F32();
  }
  const int32_t faces = reader.I32();
  if (!reader.CanRead(faces, 32)) return kPo3Damaged;
  read.faces.resize(static_cast<size_t>(faces));
  for (Po3Face& face : read.faces) {
    if (reader.I32() != 3) return kPo3Damaged;
    for (int32_t& index : face.points) index = reader.I32();
    for (int32_t& index : face.texture_vertices) index = reader.I32();
    face.attribute = reader.I32();
  }
  const int32_t attributes = reader.I32();
  // An attribute takes at least 16 bytes.
  if (!reader.CanRead(attributes, 16)) return kPo3Damaged;
  for (int32_t i = 0; i < attributes; ++i) {
    Po3Attribute attribute;
    attribute.red = reader.F32();
    attribute.green = reader.F32();
    attribute.blue = reader.F32();
    attribute.textured = reader.I32();
    if (attribute.textured != 0 && attribute.textured != 1) return kPo3Damaged;
    if (attribute.textured == 1) {
      const size_t start = reader.Position();
      const size_t end = bytes.find('\0', start);
      if (end == std::string_view::npos) return kPo3Damaged;
      attribute.texture_name.assign(reader.View(end - start));
      reader.Skip(1);
      attribute.repeat_u = reader.F32();
      attribute.repeat_v = reader.F32();
    }
    if (!reader.Ok()) return kPo3Damaged;
    read.attributes.push_back(std::move(attribute));
  }
  if (!reader.Ok()) return kPo3Damaged;
  for (const Po3Face& face : read.faces) {
    for (int k = 0; k < 3; ++k) {
      if (face.points[k] < 0 || face.points[k] >= points) return kPo3Damaged;
      if (face.texture_vertices[k] < 0 || face.texture_vertices[k] >= texture_vertices) {
        return kPo3Damaged;
      }
    }
    if (face.attribute < 0 || face.attribute >= attributes) return kPo3Damaged;
  }
  object = std::move(read);
  return kPo3Read;
}
