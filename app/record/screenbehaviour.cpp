#include "app/record/screenbehaviour.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "app/record/exitchecked.h"
#include "app/record/lookup.h"

namespace {

// Shift+Enter is Enter too: in a memo it would otherwise break the line.
bool isEnter(const QKeyEvent *e) {
  const auto mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

bool isPaintable(const QWidget *w) {
  return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
         qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
         qobject_cast<const QAbstractSpinBox *>(w);
}

bool isCompound(const QWidget *w) {
  return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
         qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
         qobject_cast<const QAbstractItemView *>(w);
}

bool contains(const QWidget *area, const QWidget *w) {
  for (const QWidget *p = w; p; p = p->parentWidget())
    if (p == area) return true;
  return false;
}

}  // namespace

ScreenBehaviour::ScreenBehaviour(QDialog *screen) : QObject(screen), screen_(screen) {
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, &ScreenBehaviour::focusChanged);
}

ScreenBehaviour::~ScreenBehaviour() { qApp->removeEventFilter(this); }

QColor ScreenBehaviour::focusColour() { return QColor(255, 255, 128); }

void ScreenBehaviour::addKey(QKeyCombination key, std::function<void()> action, QWidget *scope) {
  keys_.append({key, std::move(action), scope, scope != nullptr});
}

void ScreenBehaviour::onEnter(QWidget *field, std::function<void()> action) {
  enters_[field].append(std::move(action));
}

void ScreenBehaviour::onExit(QWidget *field, std::function<bool()> check) { exits_[field].append(std::move(check)); }

bool ScreenBehaviour::runExit(QWidget *field) {
  if (!field) return true;
  const bool nested = inExit_;
  inExit_ = true;
  bool ok = true;
  if (auto *own = dynamic_cast<ExitChecked *>(field)) ok = own->checkOnExit();
  if (ok) {
    const auto checks = exits_.value(field);
    for (const auto &check : checks) {
      if (!check()) {
        ok = false;
        break;
      }
    }
  }
  inExit_ = nested;
  return ok;
}

void ScreenBehaviour::addLookup(QWidget *field, const QString &screenClass,
                                std::function<void(const QSqlRecord &)> write, QKeyCombination key) {
  QPointer<QWidget> target = field;
  addKey(
      key,
      [this, target, screenClass, write] {
        if (!target) return;
        Lookup::open(target, screenClass, [this, target, write](const QSqlRecord &row) {
          if (!target) return;
          write(row);
          runExit(target);
        });
      },
      field);
}

void ScreenBehaviour::addLookup(QWidget *field, const QString &screenClass, const QString &column,
                                QKeyCombination key) {
  QPointer<QWidget> target = field;
  addLookup(
      field, screenClass,
      [target, column](const QSqlRecord &row) {
        const QString text = row.value(column).toString();
        if (auto *edit = qobject_cast<QLineEdit *>(target.data()))
          edit->setText(text);
        else if (auto *combo = qobject_cast<QComboBox *>(target.data()))
          combo->setEditText(text);
      },
      key);
}

void ScreenBehaviour::focusNext(bool forward) {
  QWidget *start = QApplication::focusWidget();
  if (!start || start->window() != screen_) start = screen_;
  QWidget *w = start;
  for (int guard = 0; guard < 10000; ++guard) {
    w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    if (!w || w == start) return;
    if (w->window() == screen_ && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
        w->isVisibleTo(screen_) && w->isEnabled()) {
      w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

void ScreenBehaviour::focusWithoutExit(QWidget *field) {
  if (!field) return;
  const bool kept = skipExit_;
  skipExit_ = true;
  field->setFocus(Qt::OtherFocusReason);
  skipExit_ = kept;
}

bool ScreenBehaviour::clickRefused(QObject *button) {
  if (!button || refusedButton_ != button) return false;
  refusedButton_ = nullptr;
  return true;
}

QWidget *ScreenBehaviour::fieldOf(QWidget *widget) const {
  for (QWidget *p = widget; p && p != screen_; p = p->parentWidget()) {
    if (exits_.contains(p) || enters_.contains(p) || isCompound(p)) return p;
  }
  return widget;
}

bool ScreenBehaviour::inScreen(const QWidget *w) const { return w && w->window() == screen_; }

void ScreenBehaviour::paint(QWidget *field, bool focused) {
  if (!field || !isPaintable(field)) return;
  if (focused) {
    if (!focusColour_) return;
    if (!palettes_.contains(field)) palettes_.insert(field, field->palette());
    QPalette p = palettes_.value(field);
    p.setColor(QPalette::Base, focusColour());
    // A combo that takes no typing is drawn as a button, in the button colour.
    if (auto *c = qobject_cast<QComboBox *>(field); c && !c->isEditable()) p.setColor(QPalette::Button, focusColour());
    field->setPalette(p);
  } else if (palettes_.contains(field)) {
    field->setPalette(palettes_.take(field));
  }
}

void ScreenBehaviour::focusChanged(QWidget *old, QWidget *now) {
  Q_UNUSED(old);
  // Another window taking the focus does not leave the field; coming back does not enter it.
  if (!inScreen(now)) return;
  QWidget *field = fieldOf(now);
  QWidget *left = current_;
  if (left == field) return;
  if (inExit_) return;  // a message of an exit check handing the focus back
  if (left && quiet_ == 0 && !skipExit_) {
    refusedButton_ = nullptr;
    if (!runExit(left)) {
      if (qobject_cast<QAbstractButton *>(now)) refusedButton_ = now;
      // back into the field that refused to be left: neither left nor entered
      Quiet quiet(*this);
      left->setFocus(Qt::OtherFocusReason);
      return;
    }
    // a check may have moved the focus on by itself
    QWidget *focused = QApplication::focusWidget();
    if (inScreen(focused)) field = fieldOf(focused);
    if (field == left) return;
  }
  paint(left, false);
  current_ = field;
  paint(field, true);
  if (quiet_ == 0) {
    const auto actions = enters_.value(field);
    for (const auto &action : actions) action();
  }
}

const ScreenBehaviour::KeyCommand *ScreenBehaviour::commandFor(QWidget *target, QKeyCombination key) const {
  const KeyCommand *best = nullptr;
  int bestDepth = 1 << 30;
  for (const KeyCommand &c : keys_) {
    if (c.key != key) continue;
    if (!c.scoped) {
      if (!best) best = &c;
      continue;
    }
    if (!c.scope) continue;
    int depth = 0;
    const QWidget *p = target;
    for (; p && p != c.scope; p = p->parentWidget()) ++depth;
    if (p && depth < bestDepth) {
      best = &c;
      bestDepth = depth;
    }
  }
  return best;
}

bool ScreenBehaviour::handleKey(QWidget *target, QKeyEvent *event, bool dryRun) {
  const QKeyCombination key(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
  const KeyCommand *c = commandFor(target, key);
  if (!c && isEnter(event)) c = commandFor(target, QKeyCombination(Qt::Key(event->key())));
  if (c && (!c->scoped || contains(c->scope, target))) {
    if (!dryRun) {
      auto action = c->action;  // the command may change the list
      action();
    }
    return true;
  }
  if (isEnter(event)) {
    if (!dryRun) focusNext(true);
    return true;
  }
  if (event->key() == Qt::Key_Escape) {
    if (!dryRun && escapeCloses_) screen_->reject();
    return true;
  }
  if (event->key() == Qt::Key_Up && upArea_ && contains(upArea_, target) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (!dryRun) focusNext(false);
    return true;
  }
  if (swallowCtrlDelete_ && event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
    for (QWidget *p = target; p && p != screen_; p = p->parentWidget())
      if (qobject_cast<QAbstractItemView *>(p)) return true;
  }
  return false;
}

bool ScreenBehaviour::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
  if (!watched->isWidgetType()) return false;
  auto *target = static_cast<QWidget *>(watched);
  if (!inScreen(target) || !screen_->isEnabled()) return false;
  auto *key = static_cast<QKeyEvent *>(event);
  if (type == QEvent::ShortcutOverride) {
    // Keep the keys this screen handles away from any shortcut, so the key press follows.
    if (handleKey(target, key, true)) {
      event->accept();
      return true;
    }
    return false;
  }
  return handleKey(target, key, false);
}
