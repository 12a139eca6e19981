// The sample stage of the suite (samples/sample.ste), made from the sample course with the
// suite's own code: the course's partition file loaded as the road, terrain wires on both
// sides of every partition with kerb, gravel and grass faces (pictures drawn here), a flashing
// sign packed into a multi-picture file, a start gate converted from a COB model written here
// and glued to the road, trees and fences from the shipped templates, and a sky box as the
// background object. Everything is written into the samples folder; the stage refers to its
// pictures by paths relative to that folder, and carries their pixels.
#pragma once

#include <string>

// Builds every file in `samples_folder` (which holds circuit.cus) using the templates in
// `templates_folder` (BitmapObject.bof, BackObject.bof and template_textures/). Runs with
// the samples folder as the current directory while it works and restores it. Returns ""
// on success, else what failed.
std::string MakeSampleStage(const std::string& samples_folder, const std::string& templates_folder);
