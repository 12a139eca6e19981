#include "pictures/gui/picture_class_checks.h"

#include "foundation/misuse_check.h"
#include "pictures/picture_bank_high_color1.h"

void RequirePictureWindowClass(const ClassStartUp& counter) {
  counter.Require("初期化されていないのにボタンを作ろうとした");
  SUITE_CHECK(PictureBankHighColor1::ColourBits() == 16, counter.ClassTag(),
              "PictureBankが２４ビットには対応していません");
}
