#include "foundation/gui/menu_commands.h"

#include <QString>

void AddMenuCommands(QWidget* window, const std::vector<MenuCommand>& commands,
                     const std::function<void(int id)>& run) {
  for (const MenuCommand& command : commands) {
    QAction* action = command.menu->addAction(QString::fromUtf8(command.text));
    action->setObjectName(QStringLiteral("Command%1").arg(command.id));
    action->setProperty("id", command.id);
    if (!command.more_keys.isEmpty()) {
      action->setShortcuts({command.keys, command.more_keys});
    } else if (!command.keys.isEmpty()) {
      action->setShortcut(command.keys);
    }
    const int id = command.id;
    QObject::connect(action, &QAction::triggered, window, [run, id] { run(id); });
    if (command.separator_after) command.menu->addSeparator();
  }
}

QAction* MenuCommandAction(const QWidget* window, int id) {
  return window->findChild<QAction*>(QStringLiteral("Command%1").arg(id));
}

void ShowUndoRedo(QAction* undo, QAction* redo, const DocumentHistory& history) {
  undo->setText(QString::fromStdString(history.UndoMenuText()));
  undo->setEnabled(history.CanUndo());
  redo->setText(QString::fromStdString(history.RedoMenuText()));
  redo->setEnabled(history.CanRedo());
}
