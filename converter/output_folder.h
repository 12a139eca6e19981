// The folder a conversion writes into, made ready before the conversion starts: missing
// folders are created, and the folder is tried with a file of its own so that a folder that
// exists but takes no files is told apart from one that cannot be made. The folders made for a
// conversion that then fails are removed again, so a failure leaves nothing behind.
#pragma once

#include <string>
#include <vector>

class OutputFolder {
 public:
  // Prepares the folder of `output_path` ("." when it has none). False with a one-line
  // message naming the path and the system's reason in `error`; folders made on the way are
  // removed again then.
  bool Prepare(const std::string& output_path, std::string* error);
  // The prepared folder, ending with "/".
  const std::string& Directory() const { return directory_; }
  // The folders Prepare made, outermost first.
  const std::vector<std::string>& Created() const { return created_; }
  // Removes the folders Prepare made, innermost first, as far as they are still empty; a
  // folder someone put a file into meanwhile stays.
  void RemoveCreated();

 private:
  std::string directory_;
  std::vector<std::string> created_;
};
