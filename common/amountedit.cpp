#include "common/amountedit.h"

#include "common/routines.h"

#include <QFocusEvent>

namespace {

QChar decimalSeparatorOf(const QLocale &locale) {
  const QString point = locale.decimalPoint();
  return point.isEmpty() ? QChar(u',') : point.at(0);
}

}  // namespace

AmountEdit::AmountEdit(QWidget *parent) : QLineEdit(parent) { setTextAlignment(m_alignment); }

void AmountEdit::setTextAlignment(Alignment alignment) {
  m_alignment = alignment;
  Qt::Alignment horizontal = Qt::AlignRight;
  switch (alignment) {
    case Alignment::Left:
      horizontal = Qt::AlignLeft;
      break;
    case Alignment::Right:
      horizontal = Qt::AlignRight;
      break;
    case Alignment::Centre:
      horizontal = Qt::AlignHCenter;
      break;
  }
  setAlignment(horizontal | Qt::AlignVCenter);
  update();
}

double AmountEdit::value() const {
  if (text().isEmpty()) return 0.0;
  return Routines::readNumber(text(), decimalSeparatorOf(locale()));
}

void AmountEdit::setValue(double value) {
  // "#,##0.00" always groups thousands, whatever the locale's own number options say.
  QLocale format = locale();
  format.setNumberOptions(format.numberOptions() & ~QLocale::OmitGroupSeparator);
  setText(format.toString(value == 0.0 ? 0.0 : value, 'f', 2));  // "-0" shows as 0,00
}

void AmountEdit::formatText() {
  if (text().isEmpty()) return;
  try {
    setValue(Routines::readNumber(text(), decimalSeparatorOf(locale())));
  } catch (const Routines::ConversionError &) {
    // Kept as typed: no exception may leave an event handler.
  }
}

void AmountEdit::focusOutEvent(QFocusEvent *event) {
  QLineEdit::focusOutEvent(event);
  // A context menu opening over the field is not leaving it.
  if (event->reason() != Qt::PopupFocusReason) formatText();
}
