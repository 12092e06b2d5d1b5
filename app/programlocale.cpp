#include "app/programlocale.h"

#include <QRegularExpression>

namespace ProgramLocale {

QLocale apply(const QString &name) {
  const QLocale locale(name);
  QLocale::setDefault(locale);
  return locale;
}

QString longTimeFormat(const QLocale &locale) {
  // Qt's long formats end in the zone name ("HH:mm:ss t"); the staff's clock and dates show none.
  QString format = locale.timeFormat(QLocale::LongFormat);
  static const QRegularExpression zone(QStringLiteral("\\s*\\(?\\bt+\\b\\)?"));
  format.remove(zone);
  return format.trimmed();
}

}  // namespace ProgramLocale
