// The terrain tools of mode 0 without their windows: wires added and deleted on a side of
// the selected partition, wires copied from the partition before, points glued, unglued and
// dragged, the face selection built by clicks, and the texture actions on the selected faces.
// Every change goes through the stage's edit operations (which set the modified flag); the
// callers redraw. Operations that need a selection do nothing without it and return false.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/prompter.h"
#include "stage/stage.h"
#include "stage/view_drag.h"

// Appends a wire on `side` of the selected partition, one outward step (left end - right
// end for the left side, right end - left end for the right side) beyond end A of the
// outermost wire, or beyond the road end when the side has none.
bool AddWireOnSide(Stage& stage, int32_t side);
// Removes the outermost wire of `side` of the selected partition.
bool DeleteWireOnSide(Stage& stage, int32_t side);

enum class CopyFrame {
  kPartition,  // the whole road frame, roll included
  kWorld,      // the road frame without its roll
};
// Replaces the wires of the selected partition p (p >= 1) by those of p - 1 turned by the
// rotation that takes the road frame at the closing line of p - 1 onto the one of p (the frame
// the course designer built the line's ends with; kWorld without the roll), pivoting
// left wires about the right ends and right wires about the left ends; the face colours,
// corners and pictures of p - 1 (and of its road face) come along. The faces of p + 1 keep
// their colours and textures where they still exist afterwards.
bool CopyWiresFromPartitionBefore(Stage& stage, CopyFrame frame);
// The rotation of the copy (row order), for partition p >= 1.
bool CopyRotation(const Stage& stage, int32_t p, CopyFrame frame, double m[9]);

// Snaps the selected point onto the glue target: the other end of the same wire joins the
// wire, any other target moves the point (both ends of a joined wire). Road ends are not
// moved.
bool GlueSelectedPoint(Stage& stage);
// The selected point's wire becomes not joined; positions stay.
bool UnglueSelectedPoint(Stage& stage);
// Moves the selected point by a drag of (dx, dy) pixels in a parallel view of zoom `zoom`:
// 0.001 / zoom world units per pixel along the view's axes, held axes fixed.
bool DragSelectedPoint(Stage& stage, DragView view, int32_t dx, int32_t dy, double zoom,
                       const AxisSwitches& held);

// Face selection from the faces under the cursor (drawing order). A click makes the hit face
// the whole selection, stepping through stacked faces when the one selected face is under the
// cursor; SHIFT adds the first face not yet selected, starting after the last taken point;
// SHIFT with the right button takes the face added last off the selection.
bool ClickFace(Stage& stage, const std::vector<FaceRef>& under_cursor);
bool ShiftClickFace(Stage& stage, const std::vector<FaceRef>& under_cursor);
bool ShiftRightClickFace(Stage& stage);

// The message for a picture-bank result of a face texture (UTF-8), "" for success.
std::string FaceTextureMessage(int32_t bank_result);
// Says "選択面がありません" and returns false when no face is selected.
bool CheckFaceSelection(Stage& stage, PromptOwner owner);
// "NEWTEX": asks for a BMP file (settings section "BMPFileOpen") and textures every selected
// face with it, in selection order; the first failure stops with its message. 0 done, 1 no
// selection or cancelled, or the bank's negative result.
int32_t NewTextureForSelection(Stage& stage, PromptOwner owner, const std::string& settings_path);
// "USEDTEX" after the picker returned `picture`: textures every selected face with it. False
// when nothing is selected or the picture does not exist.
bool UsedTextureForSelection(Stage& stage, int32_t picture);
// "INVERTTEX": corners 0 <-> 1 and 2 <-> 3 of every selected face.
bool InvertSelectedTextures(Stage& stage);
// "ROTATETEX": new corners (0, 1, 2, 3) = old corners (1, 2, 3, 0).
bool RotateSelectedTextures(Stage& stage);
