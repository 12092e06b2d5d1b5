#include "app/record/display.h"

#include <QLocale>

namespace Shown {

QString amount(double value) {
  // "#,##0.00" always groups thousands, whatever the locale's own number options say.
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value == 0.0 ? 0.0 : value, 'f', 2);  // "-0" shows as 0,00
}

QString amount(const QVariant &value) {
  bool ok = false;
  const double v = value.isNull() ? 0.0 : value.toDouble(&ok);
  return amount(ok ? v : 0.0);
}

QDate storedDate(const QVariant &value) {
  if (value.isNull()) return {};
  QDate d = value.toDate();
  if (!d.isValid()) {
    // a text column or a driver that hands zero dates over as text
    const QString text = value.toString().trimmed();
    d = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) d = QDate::fromString(text.left(10), QStringLiteral("yyyy/MM/dd"));
  }
  if (!d.isValid() || d == QDate(1899, 12, 30)) return {};
  return d;
}

QString date(const QVariant &value) {
  const QDate d = storedDate(value);
  return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString masked(const QString &text, const QString &mask) {
  static const QString places = QStringLiteral("90#Aa");
  QString out;
  qsizetype next = 0;
  for (QChar m : mask) {
    if (next >= text.size()) break;
    if (places.contains(m))
      out.append(text.at(next++));
    else
      out.append(m);
  }
  return out + text.mid(next);
}

}  // namespace Shown
