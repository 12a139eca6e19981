// The class start-up counter that every class with class-wide state owns: state is created
// at the first StartUp and released at the last ShutDown; a ShutDown without a matching
// StartUp is a fatal misuse.
#pragma once

#include <cstdint>

class ClassStartUp {
 public:
  // How a ShutDown without a matching StartUp is detected and reported.
  enum class Form {
    kDecrementThenCheck,  // "クラスの初期化数とデストラクト数が合わない"
    kCheckThenDecrement,  // "初期化カウンターにマイナスを検出。初期化数とデストラクト数が違います"
  };

  ClassStartUp(const char* class_tag, Form form) : class_tag_(class_tag), form_(form) {}

  // Counts one start-up; true when this was the first (create the class-wide state).
  bool StartUp() { return ++count_ == 1; }
  // Counts one shut-down with the check of the form; true when the counter reached 0
  // (release the class-wide state).
  bool ShutDown();

  bool Started() const { return count_ > 0; }
  int32_t Count() const { return count_; }
  // Reports `message` at level 3 under the class tag when the class is not started.
  void Require(const char* message) const;
  const char* ClassTag() const { return class_tag_; }

 private:
  const char* class_tag_;
  Form form_;
  int32_t count_ = 0;
};
