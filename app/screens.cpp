#include "app/screens.h"

#include <QHash>
#include <memory>

namespace Screens {
namespace {
QHash<QString, Factory> &factories() {
  static QHash<QString, Factory> map;
  return map;
}
Hook &hook() {
  static Hook h;
  return h;
}
}  // namespace

void add(const QString &className, Factory factory) { factories().insert(className, std::move(factory)); }
bool has(const QString &className) { return factories().contains(className); }

QDialog *create(const QString &className, QWidget *parent) {
  const auto it = factories().constFind(className);
  return it == factories().constEnd() ? nullptr : (*it)(parent);
}

int open(QDialog *dialog) {
  if (!dialog) return QDialog::Rejected;
  std::unique_ptr<QDialog> owned(dialog);
  if (hook()) return hook()(dialog);
  return dialog->exec();
}

void setHook(Hook h) { hook() = std::move(h); }

}  // namespace Screens
