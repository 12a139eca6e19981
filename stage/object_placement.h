// The object tools of mode 1 without their windows: moving, turning and scaling the selected
// object through its object coordinates (origin, axes, scale), moving the origin alone,
// RESETMOVE, copy, delete, glue and unglue, and the checks before the creation dialogs. The
// callers redraw; operations that need a selection do nothing without it and return false.
//
// Setting the object axes turns the object rigidly about the object origin by the change of
// the axes (new axes times the inverse of the old ones, in the camera-matrix form the views
// place objects with). Setting the object scale scales the object about the origin along the
// object axes by new / old per axis.
#pragma once

#include <cstdint>

#include "foundation/prompter.h"
#include "stage/stage.h"
#include "stage/view_drag.h"

// Scale limits of the object coordinates, percent.
constexpr float kObjectScaleMin = 1.0f;
constexpr float kObjectScaleMax = 10000.0f;

// Moves the object origin and the object with it.
bool SetObjectOrigin(Stage& stage, int32_t object, const Point3f& origin);
bool SetObjectAxes(Stage& stage, int32_t object, const Point3f& axes);
// Each component clamped to kObjectScaleMin ... kObjectScaleMax first.
bool SetObjectScale(Stage& stage, int32_t object, const Point3f& scale);
// RESETMOVE: origin := position, axes := rotation, scale := zoom.
bool ResetObjectMove(Stage& stage);

// Drags on the selected object, (dx, dy) pixels with y downwards.
// Move: one world unit per pixel along the view's axes.
bool DragMoveObject(Stage& stage, DragView view, int32_t dx, int32_t dy, const AxisSwitches& held);
enum class TurnAxes {
  kScreen,  // "SCRCOOR": about the world axes the view shows
  kObject,  // "OBJCOOR": about the object axes
};
// Turn: 0.003 radians per pixel; horizontal movement turns about the view's depth axis (plan
// y, side x, front z), vertical movement about its horizontal axis (plan x, side z, front x).
bool DragTurnObject(Stage& stage, DragView view, int32_t dx, int32_t dy, TurnAxes axes,
                    const AxisSwitches& held);
// Zoom: -(pixels down) * 0.5 added to every scale component whose switch is off.
bool DragZoomObject(Stage& stage, int32_t dy, const AxisSwitches& held);
// "MOVEOBJCOOR": the origin alone moves, 0.001 / zoom world units per pixel.
bool DragObjectOrigin(Stage& stage, DragView view, int32_t dx, int32_t dy, double zoom);

// OBJCOPY: the copy (moved by 10 on each axis, free, selected); its ID or -1.
int32_t CopySelectedObject(Stage& stage);
// OBJDELETE.
bool DeleteSelectedObject(Stage& stage);
// GLUE_BMP and UNGLUE_BMP: the selected object to / from the selected partition.
bool GlueSelectedObject(Stage& stage);
bool UnglueSelectedObject(Stage& stage);

// CREATEBMPOBJ needs a selected partition ("パーテーションを選択してください"),
// CREATEBACKOBJ a loaded road ("路面データがありません。..."). True when the dialog may open.
bool CanCreateBitmapObject(const Stage& stage, PromptOwner owner);
bool CanCreateBackgroundObject(const Stage& stage, PromptOwner owner);
