#pragma once

#include <QDialog>
#include <QString>
#include <functional>

// How the program creates and shows its screens. The menu asks for a screen by its class name; each code
// folder registers the screens it builds at start-up, so an entry whose screen is not built yet opens
// nothing. Every screen is shown modally and destroyed when it closes, through one opener that tests
// replace to drive the screen instead of waiting for a person.
namespace Screens {

using Factory = std::function<QDialog *(QWidget *parent)>;
using Hook = std::function<int(QDialog *)>;

void add(const QString &className, Factory factory);
bool has(const QString &className);
// A new instance, or nullptr when no such screen is registered.
QDialog *create(const QString &className, QWidget *parent);

// Shows the dialog modally, returns its result and deletes it afterwards.
int open(QDialog *dialog);
// Tests install a hook that receives each opened dialog instead of its modal loop; an empty hook restores it.
void setHook(Hook hook);

}  // namespace Screens
