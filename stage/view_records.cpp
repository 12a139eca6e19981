#include "stage/view_records.h"

PerspectiveViewRecord::PerspectiveViewRecord() {
  for (int32_t i = 0; i < 3; ++i) modes[i].road_mode = i;
  modes[2].render_flag = 1;
}

namespace {
void WriteCamera(const StageCameraRecord& c, ByteWriter& out) {
  for (float value : {c.position_x, c.position_y, c.position_z, c.rx, c.ry, c.rz, c.lenz_width,
                      c.lenz_height, c.lenz_dst, c.pivot_dst, c.far_dst}) {
    out.F32(value);
  }
}

void ReadCamera(StageCameraRecord& c, ByteReader& in) {
  for (float* value : {&c.position_x, &c.position_y, &c.position_z, &c.rx, &c.ry, &c.rz,
                       &c.lenz_width, &c.lenz_height, &c.lenz_dst, &c.pivot_dst, &c.far_dst}) {
    *value = in.F32();
  }
}
}  // namespace

void ViewSection::Write(ByteWriter& out) const {
  out.I32(first_pane_kind);
  for (const ParallelViewRecord& view : parallel) {
    out.F64(view.position_x);
    out.F64(view.position_y);
    out.F64(view.position_z);
    out.F64(view.zoom);
  }
  const PerspectiveViewRecord& p = perspective;
  out.I32(p.current_mode);
  out.I32(p.settings.perspective_road);
  out.I32(p.settings.perspective_map);
  out.I32(p.settings.perspective_objects);
  out.I32(p.settings.range_mode);
  out.I32(p.settings.range_partitions);
  out.F32(p.settings.range_z);
  out.I32(p.settings.display_partitions);
  out.I32(p.pressed_button);
  for (const CameraModeRecord& mode : p.modes) {
    WriteCamera(mode.camera, out);
    out.I32(mode.partition);
    out.F32(mode.fraction);
    out.F32(mode.height);
    out.F32(mode.pitch);
    out.F32(mode.yaw);
    out.I32(mode.road_mode);
    out.I32(mode.render_flag);
  }
  out.I32(partition.horizontal);
  out.I32(partition.show_previous);
  for (uint32_t value : partition.camera_state) out.U32(value);
}

bool ViewSection::Read(ByteReader& in) {
  if (!in.CanRead(1, kBytes)) return false;
  ViewSection s;
  s.first_pane_kind = in.I32();
  for (ParallelViewRecord& view : s.parallel) {
    view.position_x = in.F64();
    view.position_y = in.F64();
    view.position_z = in.F64();
    view.zoom = in.F64();
  }
  PerspectiveViewRecord& p = s.perspective;
  p.current_mode = in.I32();
  p.settings.perspective_road = in.I32();
  p.settings.perspective_map = in.I32();
  p.settings.perspective_objects = in.I32();
  p.settings.range_mode = in.I32();
  p.settings.range_partitions = in.I32();
  p.settings.range_z = in.F32();
  p.settings.display_partitions = in.I32();
  p.pressed_button = in.I32();
  for (CameraModeRecord& mode : p.modes) {
    ReadCamera(mode.camera, in);
    mode.partition = in.I32();
    mode.fraction = in.F32();
    mode.height = in.F32();
    mode.pitch = in.F32();
    mode.yaw = in.F32();
    mode.road_mode = in.I32();
    mode.render_flag = in.I32();
  }
  s.partition.horizontal = in.I32();
  s.partition.show_previous = in.I32();
  for (uint32_t& value : s.partition.camera_state) value = in.U32();
  if (!in.Ok()) return false;
  *this = s;
  return true;
}
