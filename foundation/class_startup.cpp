#include "foundation/class_startup.h"

#include "foundation/misuse_check.h"

bool ClassStartUp::ShutDown() {
  if (form_ == Form::kDecrementThenCheck) {
    --count_;
    SUITE_CHECK(count_ >= 0, class_tag_, "クラスの初期化数とデストラクト数が合わない");
  } else {
    SUITE_CHECK(count_ > 0, class_tag_,
                "初期化カウンターにマイナスを検出。初期化数とデストラクト数が違います");
    --count_;
  }
  return count_ == 0;
}

void ClassStartUp::Require(const char* message) const {
  SUITE_CHECK(count_ > 0, class_tag_, message);
  (void)message;
}
