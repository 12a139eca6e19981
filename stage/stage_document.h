// The stage editor's document: the live stage with the file it was read from or last saved
// to, and the file commands of the main window on it: new, open (with the dialog, or a path
// given on the command line), save to the current file, save as, open a partition file, and
// the question about unsaved changes before each of them and before closing. The windows are
// reached through StageWindowHooks, questions through the Prompter.
#pragma once

#include <string>

#include "stage/stage_commands.h"

class StageDocument {
 public:
  // The title's name for a stage without a file.
  static constexpr const char* kUntitled = "無題";

  explicit StageDocument(const StageCommandContext& context);

  // The current file, "" when the stage has none (new, or made from a partition file).
  const std::string& Path() const { return path_; }
  // Its file name, or kUntitled.
  std::string TitleName() const;

  // When the stage is modified asks "データが変更されています。セーブしますか？": Yes saves
  // (to the current file, else under a name asked for; a cancelled or failed save stops),
  // No goes on, Cancel stops. 0 = go on, 1 = stop.
  int AskToSave();

  // Each returns 0 when it was carried out and 1 when it stopped (cancelled, or a message
  // told why).
  int New();
  // Asks to save, asks for a stage file (section "FileOpen") and opens it.
  int Open();
  // Reads the stage file at `path`; only a whole good file replaces the stage, then the
  // windows take its tool state and views. On failure says why and keeps everything.
  int OpenAt(const std::string& path);
  // Takes the stage from the bytes of a stage file kept for recovery after a crash: the
  // document belongs to `path` again ("" for untitled) and is modified, as it was. Bytes
  // that are no good stage file are refused as OpenAt refuses a file, keeping everything.
  int OpenRecovered(const std::string& image, const std::string& path);
  // "上書き保存": to the current file, or as SaveAs when there is none.
  int Save();
  // "名前を付けて保存": asks for a name (section "FileSave") and saves there.
  int SaveAs();
  // Saves atomically to `path`, which becomes the current file. On failure says so; the old
  // file and the modified flag stay.
  int SaveTo(const std::string& path);
  // Asks to save, asks for a partition file (section "PatationFileOpen") and opens it.
  int OpenPartitionFile();
  // Resets the stage and the views, then builds the stage from the partition file at `path`
  // (an untitled stage). A refused file leaves the stage empty (and the object-file command
  // disabled); a file that ends early keeps the lines read. 0 when partitions were loaded.
  int OpenPartitionFileAt(const std::string& path);

 private:
  StageWindowHooks& Windows();
  // The windows follow a stage that was replaced as a whole by a load.
  void FollowLoad(const ToolStateBlock& tools, const ViewSection& views);
  void ShowError(const std::string& text);

  StageCommandContext context_;
  std::string path_;
};
