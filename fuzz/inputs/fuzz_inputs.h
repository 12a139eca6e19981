// What each fuzz target does with one input, shared by the libFuzzer targets (fuzz/targets)
// and the corpus replay of the ordinary tests (tests/reliability). Each function hands the
// bytes to one reader as a user's file would reach it, then walks everything the reader
// accepted (sizes, pixels, frames, derived files), so that a reader which accepts an
// inconsistent file shows up as a bad access under the sanitizers. A function returns ""
// or a description of a broken promise (a re-saved file that does not read back the same).
#pragma once

#include <string>
#include <string_view>

// BMPFile2::Load and the picture bank's BMP registration.
std::string ExerciseBmpFile2(std::string_view bytes);
// BMPFile1::LoadConverted into 16 and 24 bits. Bad files end the program by design (a
// level-3 report): the fuzz target turns that report into an exception it catches.
std::string ExerciseBmpFile1(std::string_view bytes);
// TSYFile1::Load and the picture bank's ".tsy" registration.
std::string ExerciseTsyFile(std::string_view bytes);
// PictureBankHighColor1::LoadBank on a bank image (16 or 24 bits as its first field says),
// then SaveBank, which must read back to the same image.
std::string ExerciseBankImage(std::string_view bytes);
// ReadPartitionFileBytes and ReadPartitionRecords.
std::string ExercisePartitionFile(std::string_view bytes);
// CourseFromBytes; a good course is saved again (must read back byte-identical) and sampled
// into its partition file and COB text.
std::string ExerciseCourseFile(std::string_view bytes);
// SettingsFile reads, then a write that must read back and leave every other key alone.
std::string ExerciseSettingsFile(std::string_view bytes);
// CobFile2::LoadText, every object, vertex, face and material of the scene, and for a scene
// of triangles the PO3 object the converter makes of it, which must read back the same.
std::string ExerciseCobScene(std::string_view bytes);
// Po3File::Read; a good object is written again and must read back the same.
std::string ExercisePo3File(std::string_view bytes);
// StageFile::ReadImage; a good stage is walked as the views and tools read it (every face
// and shape picture must be in the bank), saved again and must read back the same.
std::string ExerciseStageFile(std::string_view bytes);
// The stage editor's LoadPartitionFile into a fresh stage, then the same walk.
std::string ExerciseStagePartition(std::string_view bytes);
// ScanTemplateText, the creation dialog's slots, and every model read with pictures on its
// attributes (references taken and given back).
std::string ExerciseTemplateFile(std::string_view bytes);
// ImportModel on a model file: the first byte chooses the kind (.obj, .gltf, .glb, .stl, .ply,
// .dae, .3ds, .fbx by its value modulo 8) and the turn-over option (bit 3), the rest is the
// file. An accepted model must make a PO3 object that reads back the same.
std::string ExerciseModelImport(std::string_view bytes);

// Writes `bytes` to a scratch file with the given extension (".bmp") in a folder of this
// process and returns its path; the next call with the same extension overwrites it.
std::string ScratchFile(std::string_view bytes, const std::string& extension);
