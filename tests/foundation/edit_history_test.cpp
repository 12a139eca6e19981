#include "foundation/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

std::string RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// Varied records with a long stretch all of them share, as the partitions of a long road
// have: many chunks end in the same bytes.
std::string RepeatedRecords(size_t count) {
  const std::string shared = RandomBytes(4000, 5);
  std::string bytes;
  for (size_t i = 0; i < count; ++i) bytes += RandomBytes(2000, 1000 + i) + shared;
  return bytes;
}

// An image cut into chunks comes back whole, and a small change of it costs a few chunks
// however far it moves the bytes after it.
TEST(ChunkedSnapshotTest, SmallChangesShareAllOtherChunks) {
  struct Case {
    const char* name;
    std::string image;
  };
  const std::vector<Case> images = {
      {"empty", ""},
      {"shorter than a chunk", RandomBytes(700, 1)},
      {"random", RandomBytes(400000, 2)},
      {"zeros", std::string(300000, '\0')},
      {"repeated records", RepeatedRecords(80)},
  };
  struct Edit {
    const char* name;
    std::function<void(std::string&)> apply;
  };
  const std::vector<Edit> edits = {
      {"flip one byte", [](std::string& b) { b[b.size() / 2] ^= 0x5A; }},
      {"insert 84 bytes", [](std::string& b) { b.insert(b.size() / 3, RandomBytes(84, 9)); }},
      {"erase 84 bytes", [](std::string& b) { b.erase(b.size() / 4, 84); }},
      {"append", [](std::string& b) { b += "tail"; }},
  };
  for (const Case& c : images) {
    size_t made = 0;
    const ChunkedSnapshot first = ChunkedSnapshot::Make(c.image, nullptr, &made);
    EXPECT_EQ(first.Bytes(), c.image) << c.name;
    EXPECT_TRUE(first.Equals(c.image)) << c.name;
    EXPECT_EQ(first.Size(), c.image.size()) << c.name;
    if (c.image.size() < 1000) continue;
    for (const Edit& edit : edits) {
      std::string changed = c.image;
      edit.apply(changed);
      const ChunkedSnapshot second = ChunkedSnapshot::Make(changed, &first, &made);
      EXPECT_EQ(second.Bytes(), changed) << c.name << ", " << edit.name;
      EXPECT_FALSE(second.Equals(c.image)) << c.name << ", " << edit.name;
      EXPECT_LE(made, 3 * (ChunkedSnapshot::kMaxChunk + ChunkedSnapshot::kChunkOverhead))
          << c.name << ", " << edit.name;
      // The chunks the two share are no one's alone.
      EXPECT_LT(second.ExclusiveBytes(), made + second.TableBytes() + 1)
          << c.name << ", " << edit.name;
    }
  }
}

TEST(EditHistoryTest, LabelsAndTheEnds) {
  EditHistory history;
  EXPECT_TRUE(history.Empty());
  EXPECT_FALSE(history.Record("A", "selA", "no state yet"));  // becomes the only state
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.UndoLabel(), "");
  EXPECT_TRUE(history.Record("B", "selB", "first"));
  EXPECT_FALSE(history.Record("B", "other", "same model"));
  EXPECT_TRUE(history.Record("C", "selC", "second"));
  EXPECT_EQ(history.UndoLabel(), "second");
  history.CommitUndo();
  EXPECT_EQ(history.UndoLabel(), "first");
  EXPECT_EQ(history.RedoLabel(), "second");
  history.CommitUndo();
  history.CommitUndo();  // nothing left: stays
  EXPECT_EQ(history.CurrentModel(), "A");
  EXPECT_EQ(history.RedoCount(), 2u);
  history.CommitRedo();
  history.CommitRedo();
  history.CommitRedo();
  EXPECT_EQ(history.CurrentModel(), "C");
  EXPECT_EQ(history.RedoLabel(), "");
}

// A selection made without a change is where an undo of the next step starts; the step
// keeps the selection it was recorded with.
TEST(EditHistoryTest, NotedSelectionIsTheStartOfTheNextUndo) {
  EditHistory history;
  history.Reset("A", "after open", true);
  history.NoteSelection("clicked before the edit");
  history.Record("B", "after the edit", "edit");
  history.NoteSelection("clicked after the edit");
  EditHistory::Target target;
  ASSERT_TRUE(history.PeekUndo(&target));
  EXPECT_EQ(target.selection, "clicked before the edit");
  EXPECT_EQ(target.step_selection, "after the edit");
  history.CommitUndo();
  ASSERT_TRUE(history.PeekRedo(&target));
  EXPECT_EQ(target.selection, "after the edit");
}

TEST(EditHistoryTest, SavedStateFollowsThePosition) {
  struct Case {
    const char* name;
    const char* steps;  // r: record a new model, u: undo, d: redo, s: mark saved
    bool at_saved;
  };
  const std::vector<Case> cases = {
      {"just opened", "", true},
      {"one edit", "r", false},
      {"edit and undo", "ru", true},
      {"saved after an edit, undone, redone", "rsud", true},
      {"saved state dropped with the redo steps", "rsuru", false},
  };
  for (const Case& c : cases) {
    EditHistory history;
    history.Reset("A", "", true);
    int models = 0;
    for (const char* step = c.steps; *step != '\0'; ++step) {
      if (*step == 'r') history.Record("model " + std::to_string(++models), "", "edit");
      if (*step == 'u') history.CommitUndo();
      if (*step == 'd') history.CommitRedo();
      if (*step == 's') history.MarkSaved();
    }
    EXPECT_EQ(history.AtSavedState(), c.at_saved) << c.name;
  }
  EditHistory recovered;
  recovered.Reset("A", "", false);
  EXPECT_FALSE(recovered.AtSavedState());
}

// Random records, undos, redos and selections against a plain list of states: the history
// always offers the same states, and its memory count never drifts from a full recount.
TEST(EditHistoryTest, RandomUseMatchesAPlainListAndKeepsItsMemoryCount) {
  std::mt19937 random(7);
  const std::string base = RandomBytes(60000, 3);
  EditHistory history(10u << 20);
  std::vector<std::string> states = {base};
  size_t position = 0;
  history.Reset(base, "0", true);
  for (int round = 0; round < 400; ++round) {
    const int action = static_cast<int>(random() % 10);
    EditHistory::Target target;
    if (action < 5) {
      std::string next = states[position];
      const size_t at = random() % next.size();
      if (action == 0) {
        next.insert(at, RandomBytes(1 + random() % 300, random()));
      } else if (action == 1 && next.size() > 1000) {
        next.erase(at, std::min<size_t>(1 + random() % 300, next.size() - at));
      } else {
        next[at] = static_cast<char>(next[at] + 1);
      }
      ASSERT_TRUE(history.Record(next, std::to_string(round), "edit"));
      states.resize(position + 1);
      states.push_back(next);
      ++position;
    } else if (action < 8) {
      ASSERT_EQ(history.PeekUndo(&target), position > 0);
      if (position > 0) {
        ASSERT_EQ(target.model, states[position - 1]);
        history.CommitUndo();
        --position;
      }
    } else if (action < 9) {
      ASSERT_EQ(history.PeekRedo(&target), position + 1 < states.size());
      if (position + 1 < states.size()) {
        ASSERT_EQ(target.model, states[position + 1]);
        history.CommitRedo();
        ++position;
      }
    } else {
      history.NoteSelection(std::string(random() % 50, 's'));
    }
    ASSERT_EQ(history.CurrentModel(), states[position]) << round;
    ASSERT_EQ(history.MemoryUsed(), history.CountMemory()) << round;
  }
  // Each step holds about what it changed, not a whole copy.
  EXPECT_LT(history.MemoryUsed(), base.size() + states.size() * 12000);
}

// Over budget the oldest steps go first; the current state always stays.
TEST(EditHistoryTest, BudgetDropsTheOldestSteps) {
  const size_t budget = 300000;
  EditHistory history(budget);
  history.Reset(RandomBytes(50000, 100), "", true);
  for (uint32_t i = 0; i < 20; ++i) {
    history.Record(RandomBytes(50000, 200 + i), "", "step " + std::to_string(i));
    ASSERT_LE(history.MemoryUsed(), budget);
    ASSERT_EQ(history.MemoryUsed(), history.CountMemory());
  }
  EXPECT_GT(history.UndoCount(), 0u);
  EXPECT_LT(history.UndoCount(), 20u);
  EXPECT_EQ(history.UndoLabel(), "step 19");
  EXPECT_FALSE(history.AtSavedState());
  while (history.CanUndo()) history.CommitUndo();
  EXPECT_FALSE(history.AtSavedState());  // the opened state was dropped
  EXPECT_EQ(history.CurrentModel(), RandomBytes(50000, 200 + 19 - history.RedoCount()));

  // A single state larger than the budget is kept, with nothing to undo.
  EditHistory tight(1000);
  tight.Reset(RandomBytes(5000, 1), "", true);
  tight.Record(RandomBytes(5000, 2), "", "big");
  EXPECT_FALSE(tight.CanUndo());
  EXPECT_EQ(tight.CurrentModel(), RandomBytes(5000, 2));
}

TEST(EditHistoryTest, ReplacedModelKeepsTheMemoryCount) {
  EditHistory history;
  history.Reset(RandomBytes(40000, 1), "", true);
  history.Record(RandomBytes(40000, 2), "", "edit");
  std::string held = RandomBytes(40000, 2);
  held[100] ^= 1;
  history.ReplaceCurrentModel(held);
  EXPECT_EQ(history.CurrentModel(), held);
  EXPECT_EQ(history.MemoryUsed(), history.CountMemory());
}

TEST(EditHistoryTest, MenuTexts) {
  EXPECT_EQ(EditMenuText(kUndoMenuText, "点の移動"), "元に戻す: 点の移動");
  EXPECT_EQ(EditMenuText(kRedoMenuText, ""), "やり直し");
}

}  // namespace
