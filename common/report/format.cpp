#include "common/report/format.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace Report {

namespace {

QLocale &currentLocale() {
  static QLocale loc(QLocale::Portuguese, QLocale::Brazil);
  return loc;
}

bool isNumeric(const QVariant &v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
      return true;
    default:
      return false;
  }
}

bool isTextual(const QVariant &v) { return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray; }

// Dates as the database hands them over: QDate/QDateTime, or text in ISO form.
QDateTime toDateTime(const QVariant &v, bool *ok) {
  *ok = true;
  switch (v.typeId()) {
    case QMetaType::QDate:
      return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
      return v.toDateTime();
    case QMetaType::QTime:
      return QDateTime(QDate(1899, 12, 30), v.toTime());
    default:
      break;
  }
  const QString s = v.toString().trimmed();
  if (const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd")); d.isValid()) {
    const QTime t = s.size() >= 19 ? QTime::fromString(s.mid(11, 8), QStringLiteral("HH:mm:ss")) : QTime(0, 0);
    return QDateTime(d, t.isValid() ? t : QTime(0, 0));
  }
  if (const QDate d = QDate::fromString(s, QStringLiteral("dd/MM/yyyy")); d.isValid()) return QDateTime(d, QTime(0, 0));
  *ok = false;
  return {};
}

bool isBlankDateTime(const QDateTime &dt) { return !dt.isValid() || dt.date() == QDate(1899, 12, 30); }

QString groupDigits(const QString &digits, const QString &separator) {
  QString out;
  out.reserve(digits.size() + digits.size() / 3);
  const int n = int(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

// Rounds half up on the value as it reads in decimal (its shortest exact text), so that 1.005 gives
// 1,01 as the user who typed it expects, not the 1,00 of its binary neighbour 1.00499999...
void roundDecimal(double value, int decimals, QString *intDigits, QString *fracDigits) {
  const QString shortest = QString::number(value, 'f', QLocale::FloatingPointShortest);
  const qsizetype dot = shortest.indexOf(u'.');
  QString ip = dot < 0 ? shortest : shortest.left(dot);
  QString fp = dot < 0 ? QString() : shortest.mid(dot + 1);
  if (fp.size() > decimals) {
    const bool up = fp.at(decimals) >= u'5';
    fp.truncate(decimals);
    if (up) {
      QString all = ip + fp;
      qsizetype i = all.size() - 1;
      for (; i >= 0; --i) {
        if (all[i] == u'9') {
          all[i] = u'0';
        } else {
          all[i] = QChar(all[i].unicode() + 1);
          break;
        }
      }
      if (i < 0) all.prepend(u'1');
      ip = all.left(all.size() - decimals);
      fp = all.right(decimals);
    }
  }
  while (fp.size() < decimals) fp += u'0';
  *intDigits = ip.isEmpty() ? QStringLiteral("0") : ip;
  *fracDigits = fp;
}

QString formatNumber(double value, const QString &mask) {
  // The number pattern is the run from the first to the last of '#', '0', ',' and '.'; what lies
  // around it is literal text ("R$ #,##0.00").
  static const QString patternChars = QStringLiteral("#0,.");
  int first = -1, last = -1;
  for (int i = 0; i < mask.size(); ++i) {
    if (patternChars.contains(mask[i])) {
      if (first < 0) first = i;
      last = i;
    }
  }
  const QString prefix = mask.left(first);
  const QString suffix = mask.mid(last + 1);
  const QString core = mask.mid(first, last - first + 1);

  const qsizetype dot = core.indexOf(u'.');
  const QString intPattern = dot < 0 ? core : core.left(dot);
  const QString fracPattern = dot < 0 ? QString() : core.mid(dot + 1);
  const bool grouped = intPattern.contains(u',');
  const int minInt = int(intPattern.count(u'0'));
  const int minFrac = int(fracPattern.count(u'0'));
  const int maxFrac = minFrac + int(fracPattern.count(u'#'));

  if (!std::isfinite(value)) return QString::number(value);
  QString intDigits, fracDigits;
  roundDecimal(std::fabs(value), maxFrac, &intDigits, &fracDigits);
  while (fracDigits.size() > minFrac && fracDigits.endsWith(u'0')) fracDigits.chop(1);
  // A value that rounds to zero is printed without a sign ("0,00", never "-0,00").
  const bool negative =
      value < 0 && (intDigits.count(u'0') != intDigits.size() || fracDigits.count(u'0') != fracDigits.size());
  if (minInt == 0 && intDigits == QLatin1String("0")) intDigits.clear();
  while (intDigits.size() < minInt) intDigits.prepend(u'0');

  const QLocale loc = currentLocale();
  QString out = negative ? loc.negativeSign() : QString();
  out += prefix;
  out += grouped ? groupDigits(intDigits, loc.groupSeparator()) : intDigits;
  if (!fracDigits.isEmpty()) out += loc.decimalPoint() + fracDigits;
  out += suffix;
  return out;
}

QString formatDigits(const QVariant &value, const QString &pattern) {
  const int places = int(pattern.count(u'9'));
  QString digits;
  const QString stored = value.toString();
  for (QChar c : stored)
    if (c.isDigit()) digits += c;
  // A number column loses its leading zeros ("01234567" stored as 1234567).
  if (isNumeric(value))
    while (digits.size() < places) digits.prepend(u'0');
  if (digits.size() != places) return stored;
  QString out;
  int next = 0;
  for (QChar c : pattern) out += c == u'9' ? digits[next++] : c;
  return out;
}

QString formatPlain(const QVariant &value) {
  bool ok = false;
  switch (value.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
      const QDateTime dt = toDateTime(value, &ok);
      if (isBlankDateTime(dt)) return {};
      return value.typeId() == QMetaType::QDate || dt.time() == QTime(0, 0)
                 ? dt.toString(QStringLiteral("dd/MM/yyyy"))
                 : dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    case QMetaType::QTime:
      return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float: {
      QLocale loc = currentLocale();
      loc.setNumberOptions(QLocale::OmitGroupSeparator);
      return loc.toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    }
    default:
      return value.toString();
  }
}

}  // namespace

QLocale locale() { return currentLocale(); }

void setLocale(const QLocale &locale) { currentLocale() = locale; }

bool isBlankDate(const QVariant &value) {
  if (value.isNull()) return true;
  bool ok = false;
  const QDateTime dt = toDateTime(value, &ok);
  return !ok || isBlankDateTime(dt);
}

QString format(const QVariant &value, const QString &maskWithTail) {
  if (value.isNull()) return {};
  const QString mask = maskWithTail.section(u';', 0, 0);
  if (mask.isEmpty()) return formatPlain(value);

  if (mask.contains(u'9')) return formatDigits(value, mask);

  if (mask.contains(u'#') || mask.contains(u'0')) {
    if (isNumeric(value)) return formatNumber(value.toDouble(), mask);
    if (isTextual(value)) {
      const QString text = value.toString().trimmed();
      if (text.isEmpty()) return {};
      bool ok = false;
      const double d = text.toDouble(&ok);  // numbers as the database writes them: "1234.5"
      return ok ? formatNumber(d, mask) : value.toString();
    }
    if (value.typeId() == QMetaType::Bool) return formatNumber(value.toBool() ? 1 : 0, mask);
    return value.toString();
  }

  static const QString dateLetters = QStringLiteral("dMyhHmsz");
  bool isDateMask = false, hasDatePart = false;
  for (QChar c : mask) {
    isDateMask = isDateMask || dateLetters.contains(c);
    hasDatePart = hasDatePart || c == u'd' || c == u'M' || c == u'y';
  }
  if (!isDateMask) return formatPlain(value);
  bool ok = false;
  const QDateTime dt = toDateTime(value, &ok);
  if (!ok) {
    const QString text = value.toString().trimmed();
    return text.startsWith(QLatin1String("0000-00-00")) ? QString() : value.toString();
  }
  if (!dt.isValid() || (hasDatePart && isBlankDateTime(dt))) return {};
  return currentLocale().toString(dt, mask);
}

}  // namespace Report
