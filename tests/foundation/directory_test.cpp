#include "foundation/directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/support/temp_folder.h"

namespace {

void ExpectFatal(const std::function<void()>& misuse) {
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  EXPECT_EXIT(misuse(), ::testing::ExitedWithCode(1), "");
}

TEST(DirectoryTest, AppendFileNameNeedsRoomForSeparatorAndNul) {
  char path[14] = "C:/data";
  Directory1::AppendFileName(path, 14, "a.bmp");
  EXPECT_STREQ(path, "C:/data/a.bmp");
  char short_path[14] = "C:/data";
  ExpectFatal([&] { Directory1::AppendFileName(short_path, 13, "a.bmp"); });
}

TEST(DirectoryTest, SplitsAtBothSeparators) {
  char out[64];
  Directory1::FileNamePart(out, sizeof out, "C:\\maps\\road.bmp");
  EXPECT_STREQ(out, "road.bmp");
  Directory1::FileNamePart(out, sizeof out, "/home/me/maps\\x/road.bmp");
  EXPECT_STREQ(out, "road.bmp");
  Directory1::FileNamePart(out, sizeof out, "plain");
  EXPECT_STREQ(out, "plain");
  Directory1::DirectoryPart(out, sizeof out, "/home/me/road.bmp");
  EXPECT_STREQ(out, "/home/me");
  Directory1::DirectoryPart(out, sizeof out, "road.bmp");
  EXPECT_STREQ(out, "");
  ExpectFatal([&] { Directory1::FileNamePart(out, 8, "/x/road.bmp"); });
  ExpectFatal([&] { Directory1::DirectoryPart(out, 3, "/abc/x"); });

  char path[] = "C:\\data\\pic.bmp";
  Directory1::CutFileName(path);
  EXPECT_STREQ(path, "C:\\data");
  char bare[] = "pic.bmp";
  Directory1::CutFileName(bare);
  EXPECT_STREQ(bare, "");
}

TEST(DirectoryTest, ExtensionRules) {
  char ext[5];
  EXPECT_EQ(Directory1::Extension("pic.jpeg", ext), 0);
  EXPECT_STREQ(ext, "jpeg");
  EXPECT_EQ(Directory1::Extension("/a/pic", ext), 1);
  ExpectFatal([&] { Directory1::Extension("pic.tiff2", ext); });
  // The dot is searched in the whole path.
  ExpectFatal([&] { Directory1::Extension("C:\\my.dir\\pic", ext); });

  char path[] = "C:\\my.dir\\pic";
  Directory1::CutExtension(path);
  EXPECT_STREQ(path, "C:\\my.dir\\pic");
  char posix[] = "/my.dir/pic.cus";
  Directory1::CutExtension(posix);
  EXPECT_STREQ(posix, "/my.dir/pic");
  EXPECT_EQ(Directory1::HasDrive("C:\\x"), 1);
  EXPECT_EQ(Directory1::HasDrive("/x"), 0);
  EXPECT_EQ(Directory1::HasDrive(""), 0);
}

TEST(DirectoryTest, StringHelpersJoinWithSlash) {
  EXPECT_EQ(Directory1::Join("/a/b", "c.bmp"), "/a/b/c.bmp");
  EXPECT_EQ(Directory1::Join("/a/b/", "c.bmp"), "/a/b/c.bmp");
  EXPECT_EQ(Directory1::Join("", "c.bmp"), "c.bmp");
  EXPECT_EQ(Directory1::FileName("C:\\maps\\road.bmp"), "road.bmp");
  EXPECT_EQ(Directory1::Folder("/a/b/c.bmp"), "/a/b");
  EXPECT_EQ(Directory1::WithoutExtension("/a.d/b.po3"), "/a.d/b");
  EXPECT_EQ(Directory1::WithoutExtension("/a.d/b"), "/a.d/b");
  EXPECT_EQ(Directory1::LowerExtension("C:\\maps\\Road.BMP"), "bmp");
  EXPECT_EQ(Directory1::LowerExtension("/a.d/b.tar.Gz"), "gz");
  EXPECT_EQ(Directory1::LowerExtension("/a.d/b"), "");
  EXPECT_EQ(Directory1::LowerExtension("/a/.glb"), "glb");
}

}  // namespace
