// What the stage view windows share: the live stage, the host window that knows the tool
// state, the surface registry the perspective view draws in, the textures (the picture bank
// at the animation clock), the marker bitmaps, and the way back to the view area to redraw
// every view (redraw scope 2) and to tell the host what a view changed.
#pragma once

#include <functional>

#include "pictures/picture_textures.h"
#include "render/bank_texture_source.h"
#include "render/surface_registry.h"
#include "stage/gui/stage_view_host.h"
#include "stage/stage.h"
#include "stage/views/view_drawing.h"
#include "stage/views/view_markers.h"

struct StageViewContext {
  Stage* stage = nullptr;
  StageViewHost* host = nullptr;  // may be null: the initial tool state, nobody told
  SurfaceRegistry registry;
  HighColorBankTextures bank;
  BankTextureSource textures{bank};
  MarkerSet markers;
  std::function<void()> redraw_all;
  std::function<void(ViewChange)> changed;

  ToolStateBlock Tools() const {
    return host != nullptr ? host->ToolState() : ToolStateBlock::Initial();
  }
  ViewLook Look() const { return ViewLook{Tools(), &textures, &markers}; }
  void RedrawAll() const {
    if (redraw_all) redraw_all();
  }
  void Changed(ViewChange change) const {
    if (changed) changed(change);
  }
};
