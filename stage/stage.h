// The stage the stage editor edits: the terrain (road partitions, wires, faces, glue), the
// placed objects with their shape library, the free objects and the background object, the
// edit selection and the modified flag. The program keeps one live Stage; a stage file is
// read into a fresh Stage that is swapped in only when the whole file was good.
//
// Every edit operation sets the modified flag; selection changes do not. Operations that
// name something that does not exist (no partition selected, an empty stage, a deleted
// object) do nothing and return false / -1.
//
// Picture references: textured faces and shape attributes each hold one reference in the
// program-wide picture bank. Reset gives them back and empties the bank; the destructor
// frees memory only (the references of a stage read from a file belong to the bank image
// loaded with it). The picture bank must be started (16 bits) while stages are used.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/typed_database.h"
#include "stage/shape_library.h"
#include "stage/stage_records.h"
#include "stage/terrain.h"

// How far editing and drawing reach from the selected partition, each way.
constexpr int32_t kActiveRangeReach = 20;

class Stage {
 public:
  Stage();
  ~Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  // --- The model, read-only -----------------------------------------------------------
  const Terrain& GetTerrain() const;
  const ShapeLibrary& GetShapes() const;

  int32_t ObjectCount() const;
  int32_t FirstObject() const;
  int32_t NextObject(int32_t id) const;
  bool HasObject(int32_t id) const;
  PlacedObject Object(int32_t id) const;  // the object of a live ID
  // The object's position in iteration order (the ordinal the stage file stores), or -1.
  int32_t ObjectOrdinal(int32_t id) const;
  int32_t FreeObjectCount() const;
  int32_t FreeObjectAt(int32_t index) const;
  bool IsFreeObject(int32_t id) const;
  // True when the object is glued to at least one partition p with first <= p <= last.
  bool IsGluedWithin(int32_t id, int32_t first, int32_t last) const;
  int32_t BackgroundObject() const;

  // --- Edit selection ----------------------------------------------------------------
  int32_t SelectedPartition() const;
  // The partitions within kActiveRangeReach of the selected one; false when none is
  // selected.
  bool ActiveRange(int32_t* first, int32_t* last) const;
  PointRef SelectedPoint() const;
  PointRef GlueTarget() const;
  FaceRef LastTaken() const;
  int32_t PickedCount() const;
  FaceRef PickedAt(int32_t index) const;
  bool IsPicked(const FaceRef& face) const;
  int32_t SelectedObject() const;

  // Selects partition p (-1, or any index that does not exist, selects none) and prunes the
  // other selections: picked entries outside the active range, and terrain-face entries at
  // or beyond their side's face run, are dropped (all of them with no partition selected);
  // the selected point and glue target are cleared when their partition lies more than
  // kActiveRangeReach away; the selected object stays only when it is free or glued within
  // the active range.
  void SelectPartition(int32_t p);
  // A point of a wire that exists (or a road end), or an unselected PointRef to clear.
  bool SelectPoint(const PointRef& point);
  bool SelectGlueTarget(const PointRef& point);
  // Adds an existing face to the picked list (no duplicates) and clears the last taken
  // point. False when the face does not exist or is already picked.
  bool AddPicked(const FaceRef& face);
  // Takes the most recently added entry off the picked list; it becomes the last taken
  // point. False when the list is empty.
  bool TakeLastPicked();
  void ClearPicked();
  // A live object, or -1 to clear.
  bool SelectObject(int32_t id);

  bool Modified() const;
  void ClearModified();
  // For edit operations made outside this class (the object library, the editing tools).
  void SetModified();
  // Grows with every change made through the edit operations, every reset and every swap
  // of the contents, and never goes back (saving and ClearModified leave it): the undo
  // history compares it to know whether the stage changed since its last step.
  uint64_t ChangeCount() const;

  // --- Terrain edits -----------------------------------------------------------------
  bool AddWire(int32_t p, int32_t side, const Point3f& position);
  // Also clears the selected point and glue target when their wire is gone and prunes the
  // picked list.
  bool DeleteWire(int32_t p, int32_t side);
  bool SetWireEnds(int32_t p, int32_t side, int32_t wire, const Point3f& end_a,
                   const Point3f& end_b, int32_t joined);
  bool MovePoint(int32_t p, int32_t side, int32_t wire, int32_t end, const Point3f& position);
  bool SetJoined(int32_t p, int32_t side, int32_t wire, int32_t joined);
  bool SetFaceLook(const FaceRef& face, float red, float green, float blue,
                   const TextureCorner corners[4]);
  bool SetFacePicture(const FaceRef& face, int32_t picture);
  // 1, the picture bank's negative result, or 0 when the face does not exist.
  int32_t SetFacePictureFromFile(const FaceRef& face, const std::string& path);
  bool ClearFaceTexture(const FaceRef& face);

  // --- Objects -----------------------------------------------------------------------
  // The shape library, for the object library to add and look up shapes.
  ShapeLibrary& MutableShapes();
  // Places an object showing shape `shape` (the caller has taken one use of it for the
  // object) at `position`, its object coordinates on itself, among the free objects.
  // Returns the object ID, or -1 when the shape does not exist.
  int32_t CreateObject(const Point3f& position, int32_t shape);
  // Removes the object from every glue list and the free objects, releases its shape and
  // deletes it; clears the selected object and the background object when they named it.
  bool DeleteObject(int32_t id);
  // A copy of the object moved by (10, 10, 10) (position and origin), taking a use of its
  // shape, among the free objects, selected. Returns its ID or -1.
  int32_t CopyObject(int32_t id);
  // Deletes the old background object, then places one showing `shape` (a use taken by
  // the caller) at the origin; it is not a free object. Returns its ID or -1.
  int32_t CreateBackgroundObject(int32_t shape);
  // Replaces every field but the shape.
  bool UpdateObject(int32_t id, const PlacedObject& object);
  // Moves the object origin and the object with it (position - origin stays the same).
  bool MoveObjectOrigin(int32_t id, const Point3f& origin);
  // Object origin := position, axes := rotation, scale := zoom.
  bool ResetObjectCoordinates(int32_t id);
  // Glues the object to partition p, linking it to the nearest partitions below and above
  // that hold it; it leaves the free objects. False when p or the object does not exist or
  // p already holds it.
  bool GlueObject(int32_t id, int32_t p);
  // Removes the object's entry from p, relinking its neighbours; an object glued nowhere
  // any more returns to the free objects. False when p does not hold it.
  bool UnglueObject(int32_t id, int32_t p);

  // --- Whole stage -------------------------------------------------------------------
  // Deletes the background object, releases every partition, object, shape and picture
  // (the picture bank is emptied), empties the selection and clears the modified flag. The
  // start line and its reserves stay.
  void Reset();
  // Exchanges the contents of two stages (no picture reference changes hands); a change of
  // both.
  void Swap(Stage& other);

 private:
  friend class StageFile;
  friend int32_t LoadPartitionFile(Stage& stage, const std::string& path, int32_t* lines_read,
                                   int32_t* line_count);
  struct State;

  void ReleaseObjectShape(int32_t shape);
  void PruneSelection();
  void Changed();
  bool Mark(bool changed);

  std::unique_ptr<State> state_;
  uint64_t change_count_ = 0;  // belongs to this object, not to the contents Swap exchanges
};
