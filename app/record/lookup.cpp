#include "app/record/lookup.h"

#include <QDialog>
#include <QWidget>

#include "app/screens.h"

namespace Lookup {

bool open(QWidget *caller, const QString &screenClass, LookupSource::Choose choose) {
  QDialog *dialog = Screens::create(screenClass, caller ? caller->window() : nullptr);
  if (!dialog) return false;
  auto *source = dynamic_cast<LookupSource *>(dialog);
  if (!source) {
    delete dialog;
    return false;
  }
  source->useAsLookup(std::move(choose));
  Screens::open(dialog);
  return true;
}

}  // namespace Lookup
