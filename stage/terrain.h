// The road of a stage cut into partitions, with the terrain wires beside each partition, the
// road and terrain faces and the glue lists. Partition p is closed by its own partition line
// and opened by the line of partition p - 1 (the start line for p = 0).
//
// Face-flag rule: the face of wire i on a side of partition p exists exactly when p >= 1 and
// partition p - 1 has more than i wires on that side; whenever the rule removes a face its
// texture is released. The face run of a side is the number of leading wires whose face
// exists; drawing and picking use only those.
//
// Operations that name a partition, side or wire out of range do nothing and say so in their
// result, so callers holding no selection (or an empty stage) never read out of range.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/typed_database.h"
#include "stage/stage_records.h"

// One partition of the road.
struct Partition {
  RecordList<TerrainWire> wires[2];  // kLeftSide, kRightSide; innermost first
  int32_t face_run[2] = {0, 0};
  Point3f right_end;  // closing partition line
  Point3f left_end;
  FaceAttribute road_face;
  LineFrame frame;
  RecordList<GlueEntry> glue;
};

// What a wire point reads as: both ends, joined and face flags. For the road end (wire
// index kRoadEndWire) both ends are the road end of that side, joined 1 and face flag 0.
struct WirePoint {
  Point3f end_a;
  Point3f end_b;
  int32_t joined = 0;
  int32_t face_flag = 0;
};

class Terrain {
 public:
  Terrain() = default;
  // Frees memory only; picture references are given back by ReleaseAll.
  ~Terrain();
  Terrain(const Terrain&) = delete;
  Terrain& operator=(const Terrain&) = delete;

  // Start line and its two reserves (values kept for the stage file, computed by nothing).
  const StartLine& Start() const { return start_; }
  void SetStart(const StartLine& start) { start_ = start; }
  double StartReserve(int32_t index) const { return start_reserves_[index & 1]; }
  void SetStartReserves(double first, double second);

  int32_t PartitionCount() const { return partitions_.Count(); }
  bool HasPartition(int32_t p) const { return p >= 0 && p < PartitionCount(); }
  // The partition p (misuse when out of range).
  const Partition& PartitionAt(int32_t p) const;
  // Appends a partition in its initial state (no wires, untextured road face, no glue)
  // closed by the given line; returns its index.
  int32_t AppendPartition(const Point3f& right_end, const Point3f& left_end,
                          const LineFrame& frame);
  // Appends a partition as it stands (stage file reader).
  int32_t AppendPartition(const Partition& partition);

  // The road quad of p: [0] left end of p, [1] right end of p, [2] right end and [3] left
  // end of the line before. False (nothing written) when p is out of range.
  bool PartitionCorners(int32_t p, Point3f corners[4]) const;
  // The closing line of p - 1, or the start line for p = 0 (p must exist).
  void OpeningLine(int32_t p, Point3f* right_end, Point3f* left_end, const LineFrame** frame) const;

  // 0 when out of range.
  int32_t WireCount(int32_t p, int32_t side) const;
  int32_t FaceRun(int32_t p, int32_t side) const;
  bool HasWire(int32_t p, int32_t side, int32_t wire) const;
  // Wire `wire` (which must exist).
  TerrainWire Wire(int32_t p, int32_t side, int32_t wire) const;
  // Reads a wire point; wire kRoadEndWire reads the road end. False when out of range.
  bool ReadWirePoint(int32_t p, int32_t wire, int32_t side, WirePoint* point) const;

  // Joined 1 stores end_a into both ends. False when the wire does not exist.
  bool SetWireEnds(int32_t p, int32_t side, int32_t wire, const Point3f& end_a,
                   const Point3f& end_b, int32_t joined);
  // A joined wire moves both ends, otherwise only the named end.
  bool MovePoint(int32_t p, int32_t side, int32_t wire, int32_t end, const Point3f& position);
  // Sets the joined flag of a wire, positions unchanged.
  bool SetJoined(int32_t p, int32_t side, int32_t wire, int32_t joined);
  // Appends a joined wire at `position` and re-applies the face-flag rule to it and to the
  // wire of the same index in partition p + 1. False when p or side is out of range.
  bool AddWire(int32_t p, int32_t side, const Point3f& position);
  // Removes the outermost wire of the side (releasing its texture) and re-applies the rule
  // to the wire of that index in partition p + 1. False when there is no wire.
  bool DeleteWire(int32_t p, int32_t side);

  // Faces: the road face (side kRoadFaceSide) or the terrain face of a wire whose face flag
  // is 1.
  bool HasFace(const FaceRef& face) const;
  // The attribute of an existing face (default attribute otherwise).
  FaceAttribute Face(const FaceRef& face) const;
  // Sets colour and corners of an existing face; its texture stays.
  bool SetFaceLook(const FaceRef& face, float red, float green, float blue,
                   const TextureCorner corners[4]);
  // Textures an existing face with picture `picture`: takes a reference on it and releases
  // the one it replaces. A picture below 0 clears the texture.
  bool SetFacePicture(const FaceRef& face, int32_t picture);
  // Loads a picture file into the bank (power-of-two sides demanded) and textures the face
  // with it: 1 on success, the bank's negative result (face unchanged) on failure, 0 when the
  // face does not exist.
  int32_t SetFacePictureFromFile(const FaceRef& face, const std::string& path);
  // Releases the texture of a face: switch 0, picture -1.
  bool ClearFaceTexture(const FaceRef& face);

  // The four corners of the terrain face (p, side, wire): 0, or 1 (nothing written) when
  // the partition, side or wire is out of range or the face does not exist.
  int32_t FaceQuad(int32_t p, int32_t side, int32_t wire, Point3f corners[4]) const;

  // Glue lists. GlueCount is 0 for a partition that does not exist; the others need an
  // existing partition and entry (misuse otherwise).
  int32_t GlueCount(int32_t p) const;
  GlueEntry GlueAt(int32_t p, int32_t index) const;
  // Index of the object's entry in p's list, or -1 (also when p does not exist).
  int32_t FindGlue(int32_t p, int32_t object) const;
  void AppendGlue(int32_t p, const GlueEntry& entry);
  void StoreGlue(int32_t p, int32_t index, const GlueEntry& entry);
  void RemoveGlue(int32_t p, int32_t index);

  // True when the stored face flags and face runs are those of the face-flag rule.
  bool FollowsFaceRule() const;

  // Releases every face texture and removes every partition (the start line stays).
  void ReleaseAll();
  // Removes every partition without touching the picture bank.
  void FreeAll();

 private:
  Partition* Mutable(int32_t p) const { return partitions_.At(p); }
  // Reads the attribute of an existing face, lets `change` edit it and stores it back.
  template <typename Change>
  bool EditFace(const FaceRef& face, Change change);
  void ApplyFaceRule(int32_t p, int32_t side, int32_t wire);
  void RecomputeFaceRuns(int32_t p);

  StartLine start_;
  double start_reserves_[2] = {0.0, 0.0};
  RecordList<Partition*> partitions_;  // owned
};
