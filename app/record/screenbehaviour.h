#pragma once

#include <QColor>
#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QSqlRecord>
#include <functional>

class QDialog;
class QKeyEvent;
class QWidget;

// The keys and field behaviour every screen shares, attached to one dialog. The screen sees keys
// before its controls: Enter moves to the next control and is swallowed everywhere (memos and
// buttons included); ESC is swallowed, or closes the screen at once without saving where the
// screen says so; Ctrl+Delete does nothing in grids; the Up arrow goes back a control inside the
// area a screen names; F-keys run the commands a screen declares. Entering a field paints it light
// yellow. Leaving a field for another control of the screen runs the field kind's own rule (a
// readable date, a known combo text) and then the screen's exit checks; a check that fails keeps
// the focus in the field. Another window taking the focus (a message box, a pop-up) is not leaving.
class ScreenBehaviour : public QObject {
  Q_OBJECT
 public:
  explicit ScreenBehaviour(QDialog *screen);
  ~ScreenBehaviour() override;

  QDialog *screen() const { return screen_; }

  void setEscapeCloses(bool on) { escapeCloses_ = on; }
  void setUpArrowBack(QWidget *area) { upArea_ = area; }
  void setSwallowCtrlDelete(bool on) { swallowCtrlDelete_ = on; }
  void setFocusColour(bool on) { focusColour_ = on; }
  // Red 255, green 255, blue 128.
  static QColor focusColour();

  // A key pressed anywhere inside `scope` (the whole screen when null) runs `action` and is swallowed.
  // A command of a narrower scope wins over one of the whole screen.
  void addKey(QKeyCombination key, std::function<void()> action, QWidget *scope = nullptr);

  // Run when `field` is entered or left for another control of this screen; several run in the order
  // given. An exit check returning false keeps the focus in the field and stops the later checks.
  void onEnter(QWidget *field, std::function<void()> action);
  void onExit(QWidget *field, std::function<bool()> check);

  // The field's exit checks, as if it had just been left (a look-up runs them after writing into
  // its calling field). Their messages show; the focus is not moved.
  bool runExit(QWidget *field);

  // `key` (F10) in `field` opens `screenClass` as a look-up; the chosen row goes through `write`
  // into the field and the field's exit checks run.
  void addLookup(QWidget *field, const QString &screenClass, std::function<void(const QSqlRecord &)> write,
                 QKeyCombination key = QKeyCombination(Qt::Key_F10));
  // The same, writing the chosen row's `column` as the field's text.
  void addLookup(QWidget *field, const QString &screenClass, const QString &column,
                 QKeyCombination key = QKeyCombination(Qt::Key_F10));

  // Moves the focus as Enter (forward) or Shift+Tab does.
  void focusNext(bool forward = true);
  // Moves the focus without running the exit checks of the field left; the field entered runs its
  // enter actions.
  void focusWithoutExit(QWidget *field);

  // While one of these lives, focus changes run no exit or enter actions (the screen itself moving
  // the focus, emptying or disabling its fields).
  class Quiet {
   public:
    explicit Quiet(ScreenBehaviour &b) : b_(b) { ++b_.quiet_; }
    ~Quiet() { --b_.quiet_; }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

   private:
    ScreenBehaviour &b_;
  };

  // True once for a button whose press was refused because the field being left failed its check:
  // the click that follows that press must do nothing.
  bool clickRefused(QObject *button);

  // The field a focused widget belongs to (a combo for its inner edit, a memo for its viewport).
  QWidget *fieldOf(QWidget *widget) const;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  struct KeyCommand {
    QKeyCombination key;
    std::function<void()> action;
    QPointer<QWidget> scope;
    bool scoped;
  };

  void focusChanged(QWidget *old, QWidget *now);
  bool inScreen(const QWidget *w) const;
  bool handleKey(QWidget *target, QKeyEvent *event, bool dryRun);
  const KeyCommand *commandFor(QWidget *target, QKeyCombination key) const;
  void paint(QWidget *field, bool focused);

  QDialog *screen_;
  bool escapeCloses_ = false;
  bool swallowCtrlDelete_ = true;
  bool focusColour_ = true;
  QPointer<QWidget> upArea_;
  QList<KeyCommand> keys_;
  QHash<QWidget *, QList<std::function<void()>>> enters_;
  QHash<QWidget *, QList<std::function<bool()>>> exits_;
  QHash<QWidget *, QPalette> palettes_;
  QPointer<QWidget> current_;
  int quiet_ = 0;
  bool inExit_ = false;
  bool skipExit_ = false;
  QPointer<QObject> refusedButton_;
};
