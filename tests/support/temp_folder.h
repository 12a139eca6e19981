// A fresh temporary folder per test, removed afterwards; tests write their inputs there.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, without a trailing "/".
  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes a file into the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // The whole file, or "" when it cannot be read.
  static std::string Read(const std::string& path);

 private:
  std::string path_;
};

// Runs code with the current directory set to `folder`, restoring it afterwards.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder);
  ~CurrentDirectory();

 private:
  std::string previous_;
};

// The folder of real-world test files, or "" when it is absent (tests then skip).
std::string SharedTestData(const std::string& relative);
