#include "app/record/passwordedit.h"

#include <QKeyEvent>
#include <QValidator>

#include "common/scramble.h"

PasswordEdit::PasswordEdit(QWidget *parent) : QLineEdit(parent) {
  setEchoMode(QLineEdit::Password);
  // No menu: pasting into the middle of a stored password would mix the two.
  setContextMenuPolicy(Qt::NoContextMenu);
  connect(this, &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void PasswordEdit::setStored(const QString &scrambled) {
  // The scramble may hold any character: the case rule of typing must not touch it.
  const QValidator *rule = validator();
  setValidator(nullptr);
  setText(scrambled);
  setValidator(rule);
  typed_ = false;
}

QString PasswordEdit::scrambled() const { return typed_ ? Scramble::scramble(text()) : text(); }

void PasswordEdit::commit() {
  if (!typed_) return;
  setStored(Scramble::scramble(text()));
}

void PasswordEdit::keyPressEvent(QKeyEvent *event) {
  if (!typed_ && !text().isEmpty()) {
    const bool erases = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    const bool writes =
        event->matches(QKeySequence::Paste) || (!event->text().isEmpty() && event->text().at(0).isPrint() &&
                                                !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    if (erases || writes) {
      clear();
      typed_ = true;
      if (erases) return;
    }
  }
  QLineEdit::keyPressEvent(event);
}
