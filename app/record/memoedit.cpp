#include "app/record/memoedit.h"

#include <QTextCursor>

MemoEdit::MemoEdit(QWidget *parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &MemoEdit::enforce);
}

void MemoEdit::enforce() {
  if (enforcing_) return;
  const QString text = toPlainText();
  QString fixed = upper_ ? text.toUpper() : text;
  if (maxLength_ > 0 && fixed.size() > maxLength_) fixed.truncate(maxLength_);
  if (fixed == text) return;
  enforcing_ = true;
  const int position = textCursor().position();
  setPlainText(fixed);
  QTextCursor cursor = textCursor();
  cursor.setPosition(qMin(position, int(fixed.size())));
  setTextCursor(cursor);
  enforcing_ = false;
}
