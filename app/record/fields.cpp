#include "app/record/fields.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace Fields {

TextRule::TextRule(Case textCase, QObject *parent) : QValidator(parent), case_(textCase) {}

QValidator::State TextRule::validate(QString &input, int &pos) const {
  Q_UNUSED(pos);
  if (case_ == Case::Upper)
    input = input.toUpper();
  else if (case_ == Case::Lower)
    input = input.toLower();
  return Acceptable;
}

void applyRule(QLineEdit *edit, Case textCase) {
  if (textCase == Case::AsTyped) return;
  edit->setValidator(new TextRule(textCase, edit));
}

bool refusedInName(QChar c) {
  static const QString symbols = QStringLiteral("<>!#$%¨&*()_-+={}[]?;:,.|/@'\"`´");
  if (c.isDigit()) return true;
  if (symbols.contains(c)) return true;
  if (c.isLetter()) {
    const char16_t u = c.unicode();
    return !((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'));
  }
  return false;
}

namespace {

class NameKeys : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent *>(event)->text();
      for (QChar c : text)
        if (refusedInName(c)) return true;
    } else if (event->type() == QEvent::InputMethod) {
      // An accent composed by the input method arrives here rather than as a key.
      auto *im = static_cast<QInputMethodEvent *>(event);
      QString kept;
      for (QChar c : im->commitString())
        if (!refusedInName(c)) kept.append(c);
      if (kept != im->commitString()) {
        if (kept.isEmpty() && im->preeditString().isEmpty() && im->replacementLength() == 0) return true;
        im->setCommitString(kept, im->replacementStart(), im->replacementLength());
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void refuseNameCharacters(QWidget *edit) { edit->installEventFilter(new NameKeys(edit)); }

QLineEdit *edit(QWidget *parent, const QString &name, Case textCase, int maxLength) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  if (maxLength > 0) e->setMaxLength(maxLength);
  applyRule(e, textCase);
  return e;
}

QLineEdit *upper(QWidget *parent, const QString &name, int maxLength) {
  return edit(parent, name, Case::Upper, maxLength);
}

QLineEdit *lower(QWidget *parent, const QString &name, int maxLength) {
  return edit(parent, name, Case::Lower, maxLength);
}

QLineEdit *personName(QWidget *parent, const QString &name, int maxLength) {
  QLineEdit *e = edit(parent, name, Case::Upper, maxLength);
  refuseNameCharacters(e);
  return e;
}

MaskedEdit *masked(QWidget *parent, const QString &name, const QString &mask) {
  auto *e = new MaskedEdit(parent, mask);
  e->setObjectName(name);
  return e;
}

DateEdit *date(QWidget *parent, const QString &name, bool todayOnEnter) {
  auto *e = new DateEdit(parent);
  e->setObjectName(name);
  e->setTodayOnEnter(todayOnEnter);
  return e;
}

AmountEdit *amount(QWidget *parent, const QString &name) {
  auto *e = new AmountEdit(parent);
  e->setObjectName(name);
  return e;
}

QComboBox *combo(QWidget *parent, const QString &name, const QStringList &items, bool freeText, Case textCase) {
  auto *c = new QComboBox(parent);
  c->setObjectName(name);
  c->setEditable(freeText);
  c->addItems(items);
  c->setCurrentIndex(-1);
  if (freeText) {
    c->setInsertPolicy(QComboBox::NoInsert);
    applyRule(c->lineEdit(), textCase);
  }
  return c;
}

CodeCombo *codes(QWidget *parent, const QString &name, const QList<CodeCombo::Item> &items) {
  auto *c = new CodeCombo(parent);
  c->setObjectName(name);
  c->setItems(items);
  return c;
}

QueryCombo *query(QWidget *parent, const QString &name, const QString &unknownMessage) {
  auto *c = new QueryCombo(parent);
  c->setObjectName(name);
  c->setUnknownMessage(unknownMessage);
  return c;
}

MemoEdit *memo(QWidget *parent, const QString &name, int maxLength, Case textCase) {
  auto *m = new MemoEdit(parent);
  m->setObjectName(name);
  m->setMaxLength(maxLength);
  m->setUpperCase(textCase == Case::Upper);
  return m;
}

PasswordEdit *password(QWidget *parent, const QString &name, int maxLength) {
  auto *p = new PasswordEdit(parent);
  p->setObjectName(name);
  if (maxLength > 0) p->setMaxLength(maxLength);
  applyRule(p, Case::Upper);
  return p;
}

QLabel *label(QWidget *parent, const QString &text, QWidget *buddy) {
  auto *l = new QLabel(text, parent);
  if (buddy) l->setBuddy(buddy);
  return l;
}

}  // namespace Fields
