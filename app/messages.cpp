#include "app/messages.h"

#include <QApplication>
#include <QInputDialog>

namespace {
WidgetMessages widgetMessages;
Messages *installed = &widgetMessages;

QMessageBox::Icon toQt(Messages::Icon icon) {
  switch (icon) {
    case Messages::Icon::Information:
      return QMessageBox::Information;
    case Messages::Icon::Warning:
      return QMessageBox::Warning;
    case Messages::Icon::Error:
      return QMessageBox::Critical;
    case Messages::Icon::Question:
      return QMessageBox::Question;
    case Messages::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

Messages &Messages::current() { return *installed; }
void Messages::install(Messages *messages) { installed = messages ? messages : &widgetMessages; }

void Messages::information(const QString &text, const QString &title) {
  current().box(Icon::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}
void Messages::warning(const QString &text, const QString &title) {
  current().box(Icon::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}
void Messages::error(const QString &text, const QString &title) {
  current().box(Icon::Error, title, text, QMessageBox::Ok, QMessageBox::Ok);
}
void Messages::plain(const QString &text, const QString &title) {
  current().box(Icon::None, title, text, QMessageBox::Ok, QMessageBox::Ok);
}
bool Messages::confirm(const QString &text, const QString &title) {
  return current().box(Icon::Question, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}
Messages::Button Messages::ask(const QString &text, const QString &title, Buttons buttons, Button defaultButton) {
  return current().box(Icon::Question, title, text, buttons, defaultButton);
}
std::optional<QString> Messages::prompt(const QString &caption, const QString &prompt, const QString &defaultText) {
  return current().input(caption, prompt, defaultText);
}

Messages::Button WidgetMessages::box(Icon icon, const QString &title, const QString &text, Buttons buttons,
                                     Button defaultButton) {
  QMessageBox box(toQt(icon), title, text, buttons, QApplication::activeWindow());
  box.setDefaultButton(defaultButton);
  return static_cast<Button>(box.exec());
}

std::optional<QString> WidgetMessages::input(const QString &caption, const QString &prompt,
                                             const QString &defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return text;
}

Messages::Button ScriptedMessages::box(Icon icon, const QString &title, const QString &text, Buttons buttons,
                                       Button defaultButton) {
  calls.append({icon, title, text, buttons, false});
  if (!buttons_.isEmpty()) return buttons_.takeFirst();
  return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
}

std::optional<QString> ScriptedMessages::input(const QString &caption, const QString &prompt,
                                               const QString &defaultText) {
  Q_UNUSED(defaultText);
  calls.append({Icon::None, caption, prompt, {}, true});
  if (!inputs_.isEmpty()) return inputs_.takeFirst();
  return std::nullopt;
}

QStringList ScriptedMessages::texts() const {
  QStringList out;
  for (const Call &c : calls) out << c.text;
  return out;
}
