#include <gtest/gtest.h>

#include <cstring>

#include "foundation/hwnd_database.h"
#include "foundation/id_access_database.h"
#include "foundation/id_array_database.h"
#include "foundation/shift_jis.h"
#include "foundation/straight_database.h"
#include "foundation/typed_database.h"
#include "tests/support/temp_folder.h"

namespace {

using ::testing::ExitedWithCode;

struct Record {
  int32_t a;
  int32_t b;
};

// Runs `misuse` in a child and checks that it ends with status 1 after logging `message`.
template <typename Misuse>
void ExpectFatal(Misuse misuse, const std::string& class_tag, const std::string& message) {
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  EXPECT_EXIT(misuse(), ExitedWithCode(1), "");
  const std::string log = TempFolder::Read(folder.File("ErrorLog.err"));
  std::string expected_utf8 = "エラー発生クラス：" + class_tag + "\t\t\tメッセージ：" + message;
  EXPECT_EQ(log, Utf8ToShiftJis(expected_utf8) + "\r\n") << message;
}

class IDAccessDataBaseTest : public ::testing::Test {
 protected:
  void SetUp() override { db_.Init(sizeof(Record)); }
  void TearDown() override { db_.Release(); }
  int32_t Add(int32_t a) {
    Record r{a, a * 10};
    return db_.Add(&r, sizeof r);
  }
  Record Get(int32_t id) {
    Record r{};
    db_.Fetch(id, &r, sizeof r);
    return r;
  }
  IDAccessDataBase1 db_;
};

TEST_F(IDAccessDataBaseTest, IdsStayStableAndFreedIdsAreReusedLowestFirst) {
  EXPECT_EQ(Add(0), 0);
  EXPECT_EQ(Add(1), 1);
  EXPECT_EQ(Add(2), 2);
  db_.Delete(1);
  EXPECT_FALSE(db_.IsLive(1));
  EXPECT_EQ(Get(2).a, 2);
  EXPECT_EQ(Get(0).a, 0);
  EXPECT_EQ(db_.Count(), 2);
  EXPECT_EQ(Add(5), 1);
  EXPECT_EQ(Get(1).a, 5);
  Record r{7, 70};
  db_.Update(2, &r, sizeof r);
  EXPECT_EQ(Get(2).b, 70);
  EXPECT_EQ(Get(1).a, 5);
}

TEST_F(IDAccessDataBaseTest, DeletingTheLastIdTrimsTrailingFreeEntries) {
  Add(0);
  Add(1);
  Add(2);
  db_.Delete(2);
  EXPECT_EQ(db_.AccessTableSize(), 2);
  db_.Delete(1);
  EXPECT_EQ(db_.AccessTableSize(), 1);
  EXPECT_EQ(db_.FirstId(), 0);
  EXPECT_EQ(db_.NextId(0), -1);

  // A free entry in the middle goes with the last one.
  Add(1);
  Add(2);
  db_.Delete(1);
  EXPECT_EQ(db_.AccessTableSize(), 3);
  db_.Delete(2);
  EXPECT_EQ(db_.AccessTableSize(), 1);

  db_.Delete(0);
  EXPECT_EQ(db_.AccessTableSize(), 0);
  EXPECT_TRUE(db_.StoreIsEmpty());
  EXPECT_EQ(db_.FirstId(), -1);
}

TEST_F(IDAccessDataBaseTest, IterationIsInIdOrderNotInsertionOrder) {
  Add(0);
  Add(1);
  Add(2);
  db_.Delete(0);
  Add(9);  // takes ID 0 but is stored last
  std::vector<int32_t> ids;
  for (int32_t id = db_.FirstId(); id != -1; id = db_.NextId(id)) ids.push_back(id);
  EXPECT_EQ(ids, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(Get(0).a, 9);
  // Deleting a record renumbers the positions of the later ones.
  db_.Delete(1);
  EXPECT_EQ(Get(2).a, 2);
  EXPECT_EQ(Get(0).a, 9);
}

TEST_F(IDAccessDataBaseTest, MisuseIsFatalWithTheMessageOfEachCheck) {
  Add(0);
  Add(1);
  db_.Delete(0);
  Record r{};
  ExpectFatal([&] { db_.Fetch(0, &r, sizeof r); }, "IDAccessDataBase1",
              "削除されたデータにアクセスしようとした");
  ExpectFatal([&] { db_.Fetch(2, &r, sizeof r); }, "IDAccessDataBase1",
              "アクセステーブルの範囲を超えてアクセスしようとした");
  ExpectFatal([&] { db_.Fetch(1, &r, 4); }, "IDAccessDataBase1",
              "サイズの異なるデータでデータを獲得しようとした");
  ExpectFatal([&] { db_.Update(1, &r, 4); }, "IDAccessDataBase1",
              "サイズの異なるデータでデータを更新しようとした");
  ExpectFatal([&] { db_.Add(&r, 4); }, "IDAccessDataBase1", "異なるサイズのデータを格納しようとした");
  ExpectFatal([&] { db_.Delete(-1); }, "IDAccessDataBase1", "範囲外のアクセスIDでアクセスしようとした");
  ExpectFatal([&] { db_.Delete(0); }, "IDAccessDataBase1", "範囲外の格納データIDを検出");
}

TEST(IDAccessDataBaseReleaseTest, ReleaseLeavesRecordSizeMinusOne) {
  IDAccessDataBase1 db;
  db.Init(4);
  int32_t v = 3;
  db.Add(&v, 4);
  db.Release();
  EXPECT_EQ(db.RecordSize(), -1);
  EXPECT_EQ(db.Count(), 0);
  ExpectFatal([&] { db.Add(&v, 4); }, "IDAccessDataBase1", "異なるサイズのデータを格納しようとした");
}

TEST(IDArrayDataBaseTest, AppendInsertRemoveAndRangeChecks) {
  IDArrayDataBase1 array;
  array.Init();
  EXPECT_EQ(array.Append(10), 0);
  EXPECT_EQ(array.Append(30), 1);
  array.InsertAt(1, 20);
  array.InsertAt(3, 40);
  int32_t out[4];
  EXPECT_EQ(array.CopyOut(out, 4), 4);
  EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{10, 20, 30, 40}));
  ExpectFatal([&] { array.CopyOut(out, 3); }, "IDArrayDataBase1",
              "格納するバッファサイズが小さすぎます");
  ExpectFatal([&] { array.ValueAt(4); }, "IDArrayDataBase1",
              "範囲を超えてデータにアクセスしようとした");
  array.RemoveAt(0);
  EXPECT_EQ(array.ValueAt(0), 20);
  const int32_t values[] = {7};
  array.Assign(values, 1);
  EXPECT_EQ(array.Count(), 1);
  array.RemoveAt(0);
  EXPECT_TRUE(array.IsEmptyStorage());
  ExpectFatal([&] { array.RemoveAt(0); }, "IDArrayDataBase1",
              "範囲を超えてデータにアクセスしようとした");
  array.Release();
}

TEST(StraightDataBaseTest, InsertAtCountAppendsAndBeyondIsRefused) {
  StraightDataBase1 list;
  list.Init(sizeof(Record));
  Record r0{0, 0}, r1{1, 1}, r2{2, 2};
  EXPECT_EQ(list.Append(&r0), 0);
  EXPECT_EQ(list.InsertAt(&r2, 1), 1);
  EXPECT_EQ(list.InsertAt(&r1, 1), 1);
  Record out{};
  for (int32_t i = 0; i < 3; ++i) {
    list.Fetch(&out, i);
    EXPECT_EQ(out.a, i);
  }
  ExpectFatal([&] { list.InsertAt(&r0, 4); }, "StraightDataBase1", "範囲外にデータを挿入しようとした");
  // A negative index would write before the block; it is refused too.
  ExpectFatal([&] { list.InsertAt(&r0, -1); }, "StraightDataBase1", "範囲外にデータを挿入しようとした");
  ExpectFatal([&] { list.Fetch(&out, 3); }, "StraightDataBase1", "範囲外のデータにアクセスしようとした");
  Record stored{9, 9};
  list.Store(&stored, 2);
  list.RemoveAt(0);
  list.Fetch(&out, 1);
  EXPECT_EQ(out.a, 9);
  list.RemoveAt(0);
  list.RemoveAt(0);
  EXPECT_TRUE(list.IsEmptyStorage());
  EXPECT_EQ(list.RecordSize(), static_cast<int32_t>(sizeof(Record)));
  list.Release();
}

TEST(HWNDDataBaseTest, FindsTheFirstEntryOfAHandleAndRefusesUnknownHandles) {
  HWNDDataBase2 windows;
  windows.Init(sizeof(Record));
  Record a{1, 0}, b{2, 0}, c{3, 0};
  windows.Add(&a, sizeof a, 100);
  windows.Add(&b, sizeof b, 200);
  windows.Add(&c, sizeof c, 100);
  Record out{};
  windows.Fetch(&out, sizeof out, 100);
  EXPECT_EQ(out.a, 1);
  Record updated{5, 5};
  windows.Update(&updated, sizeof updated, 200);
  EXPECT_EQ(windows.FetchAt(&out, sizeof out, 1), 200u);
  EXPECT_EQ(out.a, 5);
  windows.Delete(100);
  EXPECT_EQ(windows.Count(), 2);
  windows.Fetch(&out, sizeof out, 100);
  EXPECT_EQ(out.a, 3);
  ExpectFatal([&] { windows.Fetch(&out, sizeof out, 300); }, "HWNDDataBase2",
              "登録していないＨＷＮＤにアクセスしようとした");
  ExpectFatal([&] { windows.FetchAt(&out, sizeof out, 2); }, "HWNDDataBase2",
              "範囲外の番号でデータを獲得しようとした");
  ExpectFatal([&] { windows.Add(&a, 4, 1); }, "HWNDDataBase2",
              "データサイズが異なるものを追加しようとした");
  windows.Release();
}

TEST(TypedDatabaseTest, WrappersKeepTheContainerSemantics) {
  IdTable<Record> table;
  EXPECT_EQ(table.Add({1, 2}), 0);
  EXPECT_EQ(table.Add({3, 4}), 1);
  table.Delete(0);
  EXPECT_EQ(table.Add({5, 6}), 0);
  int visited = 0;
  table.ForEach([&](int32_t, const Record&) { ++visited; });
  EXPECT_EQ(visited, 2);

  RecordList<Record> list;
  list.Append({1, 1});
  RecordList<Record> copy = list;
  copy.Append({2, 2});
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(copy.At(1).a, 2);

  IdList ids;
  ids.Append(4);
  ids.Append(8);
  EXPECT_EQ(ids.IndexOf(8), 1);
  EXPECT_EQ(ids.IndexOf(3), -1);
}

}  // namespace
