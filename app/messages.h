#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

// Every message box and input box of the program goes through here, so the texts, titles, icons and
// buttons are decided in one place and tests can answer them from a script.
class Messages {
 public:
  enum class Icon { None, Information, Warning, Error, Question };
  using Button = QMessageBox::StandardButton;
  using Buttons = QMessageBox::StandardButtons;

  virtual ~Messages() = default;
  virtual Button box(Icon icon, const QString &title, const QString &text, Buttons buttons, Button defaultButton) = 0;
  // The text typed, or nothing when the user cancels.
  virtual std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) = 0;

  // The service in use: the real boxes unless a test installed another. Does not take ownership.
  static Messages &current();
  static void install(Messages *messages);

  // The usual boxes; "Atenção" is the title of most of the system's messages.
  static void information(const QString &text, const QString &title = QStringLiteral("Atenção"));
  static void warning(const QString &text, const QString &title = QStringLiteral("Atenção"));
  static void error(const QString &text, const QString &title = QStringLiteral("Atenção"));
  static void plain(const QString &text, const QString &title = QStringLiteral("Atenção"));    // OK, no icon
  static bool confirm(const QString &text, const QString &title = QStringLiteral("Atenção"));  // Yes / No
  static Button ask(const QString &text, const QString &title, Buttons buttons, Button defaultButton);
  static std::optional<QString> prompt(const QString &caption, const QString &prompt, const QString &defaultText = {});
};

// The real boxes: QMessageBox and QInputDialog over the active window.
class WidgetMessages : public Messages {
 public:
  Button box(Icon icon, const QString &title, const QString &text, Buttons buttons, Button defaultButton) override;
  std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override;
};

// The test double: records every call and answers from queues. An empty queue answers with the box's
// default button (or OK) and cancels an input box.
class ScriptedMessages : public Messages {
 public:
  struct Call {
    Icon icon;
    QString title;
    QString text;
    Buttons buttons;
    bool isInput = false;
  };

  ScriptedMessages() {
    previous_ = &Messages::current();
    Messages::install(this);
  }
  ~ScriptedMessages() override { Messages::install(previous_); }

  void answer(Button b) { buttons_.append(b); }
  void answerInput(const std::optional<QString> &text) { inputs_.append(text); }

  Button box(Icon icon, const QString &title, const QString &text, Buttons buttons, Button defaultButton) override;
  std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override;

  QList<Call> calls;
  QStringList texts() const;
  void clear() { calls.clear(); }

 private:
  Messages *previous_ = nullptr;
  QList<Button> buttons_;
  QList<std::optional<QString>> inputs_;
};
