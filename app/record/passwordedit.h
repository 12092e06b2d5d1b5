#pragma once

#include <QLineEdit>

// A password field that holds either the stored scrambled password or a password being typed over
// it. The first key that edits a stored password replaces it as a whole, so the field never mixes
// the two; leaving the field (commit) scrambles what was typed. Passing through without typing
// keeps the stored text as it is, never scrambling it a second time.
class PasswordEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit PasswordEdit(QWidget *parent = nullptr);

  // Shows a stored (already scrambled) password.
  void setStored(const QString &scrambled);
  // True while the field holds a clear password typed since it was last stored or committed.
  bool typed() const { return typed_; }
  // What the field stands for, scrambled: the stored text, or the scramble of what was typed.
  QString scrambled() const;
  // Puts the scramble of a typed password into the field in its place.
  void commit();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  bool typed_ = false;
};
