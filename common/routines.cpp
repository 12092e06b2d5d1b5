#include "common/routines.h"

#include <QDir>
#include <QFileInfo>

#include <string>

namespace Routines {

ConversionError::ConversionError(const QString &text)
    : std::runtime_error(QStringLiteral("'%1' não é um valor numérico válido").arg(text).toStdString()) {}

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

double readNumber(const QString &text, QChar decimalSeparator) {
  // Built from the right so that only the last separator survives: "1,234,56" is 1234,56.
  QString kept;
  bool separatorKept = false;
  bool hasDigit = false;
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    const QChar c = text.at(i);
    if (isAsciiDigit(c)) {
      kept.prepend(c);
      hasDigit = true;
    } else if (c == decimalSeparator) {
      if (!separatorKept) {
        kept.prepend(u'.');
        separatorKept = true;
      }
    } else if ((c == u'-' || c == u'+') && i == 0) {
      kept.prepend(c);
    }
  }
  bool ok = false;
  const double value = hasDigit ? kept.toDouble(&ok) : 0.0;
  if (!ok) throw ConversionError(text);
  return value;
}

QString sqlNumberText(const QString &text) {
  QString result;
  result.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'.') continue;
    result.append(c == u',' ? QChar(u'.') : c);
  }
  return result;
}

QString removeAccents(const QString &text) {
  static const QString accented = QStringLiteral("áàâäãéèêëíìîïóòôöõúùûüçÁÀÂÄÃÉÈÊËÍÌÎÏÓÒÔÖÕÚÙÛÜÇ");
  static const QString plain = QStringLiteral("aaaaaeeeeiiiiooooouuuucAAAAAEEEEIIIIOOOOOUUUUC");
  QString result = text;
  for (QChar &c : result) {
    const qsizetype at = accented.indexOf(c);
    if (at >= 0) c = plain.at(at);
  }
  return result;
}

namespace {

int checkDigit(int sum) {
  const int rest = sum % 11;
  return rest == 0 || rest == 1 ? 0 : 11 - rest;
}

// Both CPF and CNPJ: weighted sums over every digit but the last two characters (punctuation
// skipped, digits numbered from 1), the first check digit also weighted 2 in the second sum, and
// the two digits compared with the text's last two characters.
template <typename FirstWeight, typename SecondWeight>
bool checkDigitsMatch(const QString &text, FirstWeight firstWeight, SecondWeight secondWeight) {
  int s1 = 0;
  int s2 = 0;
  if (text.size() >= 3) {
    int n = 0;
    for (qsizetype i = 0; i < text.size() - 2; ++i) {
      const QChar c = text.at(i);
      if (c == u'/' || c == u'-' || c == u'.') continue;
      if (!isAsciiDigit(c)) throw ConversionError(text);
      ++n;
      const int digit = c.unicode() - u'0';
      s1 += digit * firstWeight(n);
      s2 += digit * secondWeight(n);
    }
  }
  const int d1 = checkDigit(s1);
  s2 += d1 * 2;
  const int d2 = checkDigit(s2);
  return QString::number(d1) + QString::number(d2) == text.right(2);
}

}  // namespace

bool cpfIsValid(const QString &text) {
  return checkDigitsMatch(
      text, [](int n) { return 11 - n; }, [](int n) { return 12 - n; });
}

bool cnpjIsValid(const QString &text) {
  return checkDigitsMatch(
      text, [](int n) { return n > 4 ? 14 - n : 6 - n; }, [](int n) { return n > 5 ? 15 - n : 7 - n; });
}

int lastPositionOf(QChar ch, const QString &text) { return int(text.lastIndexOf(ch)) + 1; }

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) throw std::out_of_range("Mês inválido: " + std::to_string(month));
  return days[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

bool dateFormatIsValid(const QLocale &locale) {
  return locale.dateFormat(QLocale::ShortFormat).contains(QLatin1String("dd/MM/yyyy"));
}

QStringList filesOfFolder(const QString &pattern) {
  const QFileInfo info(pattern);
  QString wildcard = info.fileName();
  if (wildcard.isEmpty()) return {};
  if (wildcard == QLatin1String("*.*")) wildcard = QStringLiteral("*");
  return QDir(info.path())
      .entryList({wildcard}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
}

}  // namespace Routines
