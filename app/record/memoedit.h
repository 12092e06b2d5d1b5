#pragma once

#include <QPlainTextEdit>

// A memo of at most maxLength characters (0: no limit), optionally forced to upper case. Enter
// never breaks a line here: the screen's behaviour moves on to the next control.
class MemoEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit MemoEdit(QWidget *parent = nullptr);
  void setMaxLength(int length) { maxLength_ = length; }
  int maxLength() const { return maxLength_; }
  void setUpperCase(bool on) { upper_ = on; }
  QString text() const { return toPlainText(); }
  void setText(const QString &text) { setPlainText(text); }

 private:
  void enforce();
  int maxLength_ = 0;
  bool upper_ = false;
  bool enforcing_ = false;
};
