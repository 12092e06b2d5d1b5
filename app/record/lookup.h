#pragma once

#include <QSqlRecord>
#include <QString>
#include <functional>

class QWidget;

// A screen that can serve as a look-up: opened from a field (F10), it lets the user choose a row
// and hands that row to the caller, then closes.
class LookupSource {
 public:
  using Choose = std::function<void(const QSqlRecord &)>;
  virtual ~LookupSource() = default;
  // From now on choosing a row calls `choose` with it and closes the screen.
  virtual void useAsLookup(Choose choose) = 0;
  virtual bool isLookup() const = 0;
};

namespace Lookup {

// Creates the screen registered as `screenClass` over `caller`'s window, makes it a look-up handing
// the chosen row to `choose`, and shows it modally through the screen opener. False when no such
// screen is registered or it cannot serve as a look-up.
bool open(QWidget *caller, const QString &screenClass, LookupSource::Choose choose);

}  // namespace Lookup
