#include "common/spreadsheet/cellvalue.h"

#include <cmath>

namespace Spreadsheet {

CellValue CellValue::ofText(const QString &text) {
  CellValue cell;
  cell.kind = Kind::Text;
  cell.text = text;
  return cell;
}

CellValue CellValue::ofNumber(double number, NumberStyle style) {
  CellValue cell;
  cell.kind = Kind::Number;
  cell.number = number;
  cell.style = style;
  return cell;
}

CellValue CellValue::ofBoolean(bool value) {
  CellValue cell;
  cell.kind = Kind::Boolean;
  cell.number = value ? 1.0 : 0.0;
  return cell;
}

CellValue CellValue::ofError(const QString &code) {
  CellValue cell;
  cell.kind = Kind::Error;
  cell.text = code;
  return cell;
}

NumberStyle builtinNumberStyle(int formatId) {
  if ((formatId >= 14 && formatId <= 17) || (formatId >= 27 && formatId <= 36) || (formatId >= 50 && formatId <= 58))
    return NumberStyle::Date;
  if ((formatId >= 18 && formatId <= 21) || (formatId >= 45 && formatId <= 47)) return NumberStyle::Time;
  if (formatId == 22) return NumberStyle::DateTime;
  return NumberStyle::Plain;
}

NumberStyle numberStyleOfCode(QStringView code) {
  bool date = false;
  bool time = false;
  bool month = false;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar c = code[i];
    if (c == u';') break;  // only the first section tells what the value is
    if (c == u'"') {
      const qsizetype end = code.indexOf(u'"', i + 1);
      i = end < 0 ? code.size() : end;
      continue;
    }
    if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;  // the next character is literal text or padding
      continue;
    }
    if (c == u'[') {
      const qsizetype end = code.indexOf(u']', i + 1);
      const QStringView inside = code.mid(i + 1, end < 0 ? -1 : end - i - 1);
      // [h]:mm and the like are elapsed times; [Red], [$R$-416] are not about dates
      if (!inside.isEmpty() && inside.toString().toLower().remove(u'h').remove(u'm').remove(u's').isEmpty())
        time = true;
      i = end < 0 ? code.size() : end;
      continue;
    }
    const QStringView rest = code.mid(i);
    if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
      time = true;
      i += 4;
      continue;
    }
    if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
      time = true;
      i += 2;
      continue;
    }
    if (rest.startsWith(u"general", Qt::CaseInsensitive)) {
      i += 6;
      continue;
    }
    switch (c.toLower().unicode()) {
      case u'd':
      case u'y':
        date = true;
        break;
      case u'h':
      case u's':
        time = true;
        break;
      case u'm':
        month = true;
        break;
      default:
        break;
    }
  }
  if (!date && !time && month) date = true;  // "mmmm" alone is a month name; with h or s, m means minutes
  if (date && time) return NumberStyle::DateTime;
  if (date) return NumberStyle::Date;
  if (time) return NumberStyle::Time;
  return NumberStyle::Plain;
}

NumberStyle numberStyleOf(int formatId, QStringView formatCode) {
  return formatCode.isEmpty() ? builtinNumberStyle(formatId) : numberStyleOfCode(formatCode);
}

namespace {

const QDate serialOrigin(1899, 12, 30);
constexpr qint64 msecsPerDay = 86400000;

QString numberText(double value, QChar decimalPoint) {
  if (value == 0.0) return QStringLiteral("0");  // -0 as well
  if (std::isfinite(value) && std::fabs(value) < 1e15 && std::round(value) == value)
    return QString::number(static_cast<qint64>(value));
  QString text = QString::number(value, 'g', 15);
  text.replace(u'e', u'E');
  text.replace(u'.', decimalPoint);
  return text;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool allDigits(QStringView s) {
  for (const QChar c : s)
    if (!isDigit(c)) return false;
  return true;
}

// An integer part written with a thousands separator: 1 to 3 digits, then groups of exactly 3.
bool validGroups(QStringView integerPart, QChar separator) {
  qsizetype start = 0;
  bool first = true;
  while (true) {
    const qsizetype end = integerPart.indexOf(separator, start);
    const QStringView group = integerPart.mid(start, end < 0 ? -1 : end - start);
    if (!allDigits(group) || (first ? group.isEmpty() || group.size() > 3 : group.size() != 3)) return false;
    if (end < 0) return true;
    first = false;
    start = end + 1;
  }
}

}  // namespace

double serialOf(const QDate &date) { return static_cast<double>(serialOrigin.daysTo(date)); }

double serialOf(const QDateTime &dateTime) {
  const QTime time = dateTime.time();
  return serialOf(dateTime.date()) +
         (time.isValid() ? time.msecsSinceStartOfDay() : 0) / static_cast<double>(msecsPerDay);
}

QDateTime dateTimeOfSerial(double serial) {
  if (!std::isfinite(serial) || serial < -700000 || serial > 3000000) return {};
  double days = std::floor(serial);
  qint64 msecs = std::llround((serial - days) * msecsPerDay);
  if (msecs >= msecsPerDay) {
    days += 1;
    msecs -= msecsPerDay;
  }
  return QDateTime(serialOrigin.addDays(static_cast<qint64>(days)),
                   QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

QString displayText(const CellValue &cell, QChar decimalPoint) {
  switch (cell.kind) {
    case CellValue::Kind::Empty:
      return {};
    case CellValue::Kind::Text:
    case CellValue::Kind::Error:
      return cell.text;
    case CellValue::Kind::Boolean:
      return cell.number != 0.0 ? QStringLiteral("VERDADEIRO") : QStringLiteral("FALSO");
    case CellValue::Kind::Number:
      break;
  }
  if (cell.style != NumberStyle::Plain) {
    // Shown to the second, as the sheet shows it: 0.99999 of a day is 23:59:59, not 24:00.
    const double serial = std::round(cell.number * 86400.0) / 86400.0;
    const QDateTime moment = dateTimeOfSerial(serial);
    if (moment.isValid()) {
      switch (cell.style) {
        case NumberStyle::Date:
          return moment.date().toString(QStringLiteral("dd/MM/yyyy"));
        case NumberStyle::DateTime:
          return moment.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        case NumberStyle::Time:
          return moment.time().toString(QStringLiteral("hh:mm:ss"));
        case NumberStyle::Plain:
          break;
      }
    }
  }
  return numberText(cell.number, decimalPoint);
}

std::optional<double> parseNumberText(QStringView text) {
  QStringView s = text.trimmed();
  QString sign;
  auto takeSign = [&] {
    if (!s.isEmpty() && (s[0] == u'-' || s[0] == u'+')) {
      if (s[0] == u'-') sign = QStringLiteral("-");
      s = s.mid(1).trimmed();
      return true;
    }
    return false;
  };
  const bool signFirst = takeSign();
  if (s.startsWith(u"R$", Qt::CaseInsensitive)) {
    s = s.mid(2).trimmed();
    if (!signFirst) takeSign();
  }

  QStringView exponent;
  const qsizetype e = s.indexOf(u'e', 0, Qt::CaseInsensitive);
  if (e >= 0) {
    exponent = s.mid(e + 1);
    s = s.left(e);
    if (!exponent.isEmpty() && (exponent[0] == u'+' || exponent[0] == u'-')) {
      if (!allDigits(exponent.mid(1)) || exponent.size() < 2) return std::nullopt;
    } else if (exponent.isEmpty() || !allDigits(exponent)) {
      return std::nullopt;
    }
  }

  int dots = 0, commas = 0, digits = 0;
  for (const QChar c : s) {
    if (c == u'.')
      ++dots;
    else if (c == u',')
      ++commas;
    else if (isDigit(c))
      ++digits;
    else
      return std::nullopt;
  }
  if (digits == 0) return std::nullopt;

  qsizetype decimalAt = -1;
  QChar thousands;
  const qsizetype lastDot = s.lastIndexOf(u'.');
  const qsizetype lastComma = s.lastIndexOf(u',');
  if (dots > 0 && commas > 0) {
    decimalAt = std::max(lastDot, lastComma);
    thousands = decimalAt == lastDot ? QChar(u',') : QChar(u'.');
    if ((decimalAt == lastDot ? dots : commas) != 1) return std::nullopt;
  } else if (commas == 1) {
    decimalAt = lastComma;
  } else if (commas > 1) {
    thousands = u',';
  } else if (dots == 1) {
    const QStringView before = s.left(lastDot);
    const QStringView after = s.mid(lastDot + 1);
    if (after.size() == 3 && !before.isEmpty() && before.size() <= 3 && before[0] != u'0')
      thousands = u'.';
    else
      decimalAt = lastDot;
  } else if (dots > 1) {
    thousands = u'.';
  }

  QStringView integerPart = decimalAt >= 0 ? s.left(decimalAt) : s;
  const QStringView fraction = decimalAt >= 0 ? s.mid(decimalAt + 1) : QStringView();
  QString plain = sign;
  if (!thousands.isNull()) {
    if (!validGroups(integerPart, thousands)) return std::nullopt;
    plain += integerPart.toString().remove(thousands);
  } else {
    plain += integerPart;
  }
  if (!allDigits(fraction)) return std::nullopt;
  if (!fraction.isEmpty()) plain += u'.' + fraction.toString();
  if (!exponent.isEmpty()) plain += u'e' + exponent.toString();

  bool ok = false;
  const double value = plain.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace Spreadsheet
