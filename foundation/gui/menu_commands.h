// The menus of a main window built from one table of commands, the way both editors build
// theirs: each command is an action named "Command<id>" with the property "id", so tests
// and the window find it by its id, and a triggered action calls the window's command
// handler with that id.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <vector>

#include "foundation/edit_history.h"

struct MenuCommand {
  int id;
  const char* text;  // UTF-8
  QMenu* menu;
  QKeySequence keys;
  bool separator_after;
  QKeySequence more_keys = QKeySequence();  // a second shortcut
};

// Adds each command to its menu; `run` is called with the id when one is chosen.
void AddMenuCommands(QWidget* window, const std::vector<MenuCommand>& commands,
                     const std::function<void(int id)>& run);

// The action of command `id` among the window's children.
QAction* MenuCommandAction(const QWidget* window, int id);

// The undo and redo entries of the "編集" menu name the step they would take back or make
// again, and are enabled when there is one.
void ShowUndoRedo(QAction* undo, QAction* redo, const DocumentHistory& history);
