// Builds COB scene texts for the converter tests, laid out as the modelling tool writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cob_text {

struct Material {
  int number = 0;
  std::string rgb = "0.8,0.6,0.4";
  std::string texture;  // path; "" for an untextured material
  std::string offset = "0,0";
  std::string repeats = "1,1";
};

struct Face {
  std::vector<int> vertices;
  std::vector<int> texture_vertices;
  int material = 0;
  bool hole = false;
};

struct Object {
  std::string name = "Mesh";
  std::string transform = "1 0 0 0\n0 1 0 0\n0 0 1 0\n0 0 0 1\n";
  std::vector<std::string> vertices;          // "x y z"
  std::vector<std::string> texture_vertices;  // "u v"
  std::vector<Face> faces;
  std::vector<Material> materials;
};

inline std::string Header() { return "Caligari V00.01ALH             \n"; }

inline std::string MaterialText(const Material& material) {
  std::string text = "Mat1 V0.06 Id 211570668 Parent 211536116 Size 00000094\n";
  text += "mat# " + std::to_string(material.number) + "\n";
  text += "shader: phong  facet: auto40\n";
  text += "rgb " + material.rgb + "\n";
  text += "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\n";
  if (!material.texture.empty()) {
    text += "texture: " + std::to_string(material.texture.size()) + material.texture + "\n";
    text += "offset " + material.offset + "  repeats " + material.repeats + "\n";
  }
  text += "ShBx V0.04 Id 212664245 Parent 212664244 Size 00000717\n";
  text += "Shader class: color\nShader name: \"plain color\" (plain)\n";
  text += "Number of parameters: 1\ncolour: color (204, 204, 204)\n";
  return text;
}

inline std::string ObjectText(const Object& object, int id = 1000) {
  std::string text = "PolH V0.08 Id " + std::to_string(id) + " Parent 0 Size 00092429\n";
  text += "Name " + object.name + "\n";
  text += "center 0 0 0\nx axis 1 0 0\ny axis 0 1 0\nz axis 0 0 1\n";
  text += "Transform\n" + object.transform;
  text += "World Vertices " + std::to_string(object.vertices.size()) + "\n";
  for (const std::string& v : object.vertices) text += v + "\n";
  text += "Texture Vertices " + std::to_string(object.texture_vertices.size()) + "\n";
  for (const std::string& v : object.texture_vertices) text += v + "\n";
  text += "Faces " + std::to_string(object.faces.size()) + "\n";
  for (const Face& face : object.faces) {
    text += std::string(face.hole ? "Hole" : "Face") + " verts " +
            std::to_string(face.vertices.size()) + " flags 0 mat " + std::to_string(face.material) +
            "\n";
    for (size_t k = 0; k < face.vertices.size(); ++k) {
      text += "<" + std::to_string(face.vertices[k]) + "," +
              std::to_string(face.texture_vertices[k]) + "> ";
    }
    text += "\n";
  }
  text += "DrawFlags 0\nUnit V0.01 Id 211536117 Parent 211536116 Size 00000009\nUnits 2\n";
  for (const Material& material : object.materials) text += MaterialText(material);
  return text;
}

inline std::string Scene(const std::vector<Object>& objects) {
  std::string text = Header();
  int id = 1000;
  for (const Object& object : objects) text += ObjectText(object, id++);
  text += "END  V1.00 Id 0 Parent 0 Size        0\n";
  return text;
}

// One triangle with three texture vertices and one material.
inline Object Triangle(const std::string& texture = "") {
  Object object;
  object.vertices = {"0 0 0", "1 0 0", "0 1 0"};
  object.texture_vertices = {"0 0", "1 0", "0.25 0.75"};
  object.faces = {{{0, 1, 2}, {0, 1, 2}, 0}};
  Material material;
  material.texture = texture;
  object.materials = {material};
  return object;
}

}  // namespace cob_text
