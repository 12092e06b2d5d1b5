#include "app/record/maskededit.h"

#include <QFocusEvent>

#include "app/messages.h"

namespace {

// Characters with a meaning in Qt's input masks; as literals they are escaped.
bool isQtMaskCharacter(QChar c) {
  static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
  return meta.contains(c);
}

// The screens' mask characters and the Qt ones that take the same input.
QChar qtPlace(QChar c) {
  switch (c.unicode()) {
    case '0':
      return u'9';  // required digit
    case '9':
      return u'0';  // optional digit
    case '#':
      return u'#';  // digit or sign
    case 'L':
      return u'A';  // required letter
    case 'l':
      return u'a';
    case 'A':
      return u'N';  // required letter or digit
    case 'a':
      return u'n';
    case 'C':
      return u'X';  // required character
    case 'c':
      return u'x';
    default:
      return QChar();
  }
}

}  // namespace

MaskedEdit::MaskedEdit(QWidget *parent, const QString &mask) : QLineEdit(parent) { setEditMask(mask); }

void MaskedEdit::setEditMask(const QString &mask) {
  const QString kept = text();
  mask_ = mask;
  places_.clear();
  saveLiterals_ = true;
  blank_ = QChar(u'_');
  if (mask.isEmpty()) {
    setInputMask(QString());
    setText(kept);
    return;
  }
  const QStringList parts = mask.split(QChar(u';'));
  const QString body = parts.value(0);
  if (parts.size() > 1) saveLiterals_ = parts.at(1).trimmed() != QLatin1String("0");
  if (parts.size() > 2 && !parts.at(2).isEmpty()) blank_ = parts.at(2).at(0);

  QString qt;
  for (qsizetype i = 0; i < body.size(); ++i) {
    QChar c = body.at(i);
    if (c == u'>' || c == u'<') {  // case of what follows: takes no position
      qt.append(c);
      continue;
    }
    if (c == u'!') continue;  // leading-blank option: no meaning here
    if (c == u'\\' && i + 1 < body.size())
      c = body.at(++i);
    else if (const QChar place = qtPlace(c); !place.isNull()) {
      qt.append(place);
      places_.append(true);
      continue;
    }
    if (isQtMaskCharacter(c)) qt.append(u'\\');
    qt.append(c);
    places_.append(false);
  }
  setInputMask(qt + u';' + blank_);
}

bool MaskedEdit::isBlank() const {
  if (places_.isEmpty()) return text().trimmed().isEmpty();
  const QString shown = displayText();
  for (qsizetype i = 0; i < shown.size() && i < places_.size(); ++i)
    if (places_.at(i) && shown.at(i) != blank_ && shown.at(i) != u' ') return false;
  return true;
}

QString MaskedEdit::value() const {
  if (places_.isEmpty()) return text();
  const QString shown = displayText();
  QString out;
  for (qsizetype i = 0; i < shown.size() && i < places_.size(); ++i) {
    const QChar c = shown.at(i);
    if (places_.at(i)) {
      if (c != blank_)
        out.append(c);
      else if (saveLiterals_)
        out.append(u' ');
    } else if (saveLiterals_) {
      out.append(c);
    }
  }
  return out;
}

void MaskedEdit::setValue(const QString &stored) {
  if (places_.isEmpty() || stored.isEmpty()) {
    setText(stored);
    return;
  }
  // Lay the stored characters into the places one by one, so a value stored without the literals
  // and one stored with them both come out right.
  QString shaped = displayText();
  qsizetype next = 0;
  for (qsizetype i = 0; i < shaped.size() && i < places_.size(); ++i) {
    if (places_.at(i)) {
      shaped[i] = next < stored.size() ? stored.at(next++) : blank_;
    } else if (next < stored.size() && stored.at(next) == shaped.at(i)) {
      ++next;  // the stored literal itself
    }
  }
  // A blank place goes in as the blank character, which the mask shows as empty.
  setText(shaped);
}

namespace {

bool isWindowSwitch(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

void MaskedEdit::focusOutEvent(QFocusEvent *event) {
  awayWithFocus_ = isWindowSwitch(event->reason());
  QLineEdit::focusOutEvent(event);
}

void MaskedEdit::focusInEvent(QFocusEvent *event) {
  cameBack_ = awayWithFocus_ && isWindowSwitch(event->reason());
  awayWithFocus_ = false;
  QLineEdit::focusInEvent(event);
  if (places_.isEmpty() || cameBack_ || event->reason() == Qt::MouseFocusReason) return;
  if (isBlank())
    setCursorPosition(0);
  else
    selectAll();
}

DateEdit::DateEdit(QWidget *parent) : MaskedEdit(parent, QStringLiteral("99/99/9999;1;_")) {}

QDate DateEdit::date() const {
  if (isBlank()) return {};
  const QStringList parts = value().split(QChar(u'/'));
  if (parts.size() != 3) return {};
  int numbers[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const QString digits = parts.at(i).trimmed();
    const int maxDigits = i == 2 ? 4 : 2;
    const int minDigits = i == 2 ? 4 : 1;
    if (digits.size() < minDigits || digits.size() > maxDigits) return {};
    bool ok = false;
    numbers[i] = digits.toInt(&ok);
    if (!ok) return {};
  }
  return QDate(numbers[2], numbers[1], numbers[0]);
}

void DateEdit::setDate(const QDate &date) {
  if (date.isValid())
    setText(date.toString(QStringLiteral("dd/MM/yyyy")));
  else
    setText(QString());
}

void DateEdit::setStored(const QVariant &stored) {
  QDate d;
  if (!stored.isNull()) {
    d = stored.toDate();
    if (!d.isValid()) d = QDate::fromString(stored.toString().left(10), QStringLiteral("yyyy-MM-dd"));
  }
  setDate(d == QDate(1899, 12, 30) ? QDate() : d);
}

QVariant DateEdit::dateValue() const {
  const QDate d = date();
  return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDate>());
}

QString DateEdit::statementText() const {
  const QDate d = date();
  return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : QStringLiteral("0000/00/00");
}

bool DateEdit::checkOnExit() {
  if (isValidOrBlank()) return true;
  Messages::error(QStringLiteral("Data Inválida!"), invalidTitle_);
  return false;
}

void DateEdit::focusInEvent(QFocusEvent *event) {
  MaskedEdit::focusInEvent(event);
  if (todayOnEnter_ && isBlank() && !focusCameBack()) {
    setDate(QDate::currentDate());
    selectAll();
  }
}
