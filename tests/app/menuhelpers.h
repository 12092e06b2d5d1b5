#pragma once
// Finding the main window's menu entries the way a person does: by their captions, menu by menu.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

// The action at "Produção > PME > Cadastro" of `bar`, or nullptr.
inline QAction *findMenuAction(QMenuBar *bar, const QString &path) {
  const QStringList parts = path.split(QStringLiteral(" > "));
  QList<QAction *> actions = bar->actions();
  for (int i = 0; i < parts.size(); ++i) {
    QAction *found = nullptr;
    for (QAction *a : actions)
      if (!a->isSeparator() && a->text() == parts[i]) found = a;
    if (!found) return nullptr;
    if (i == parts.size() - 1) return found;
    if (!found->menu()) return nullptr;
    actions = found->menu()->actions();
  }
  return nullptr;
}
