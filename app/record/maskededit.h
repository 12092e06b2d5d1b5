#pragma once

#include <QDate>
#include <QLineEdit>
#include <QVariant>
#include <QVector>

#include "app/record/exitchecked.h"

// An edit with an edit mask written as the screens give it: "mask;save;blank", where the mask's
// '0' is a required digit, '9' an optional digit, '#' a digit or sign, 'L'/'l' a letter, 'A'/'a' a
// letter or digit, 'C'/'c' any character and every other character a literal; save "1" keeps the
// literals in the value, "0" stores only what was typed; blank is the placeholder shown ("_").
class MaskedEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit MaskedEdit(QWidget *parent = nullptr, const QString &mask = {});

  // An empty mask makes a plain edit (a document field typed freely).
  void setEditMask(const QString &mask);
  QString editMask() const { return mask_; }

  // Nothing typed in the mask's places.
  bool isBlank() const;
  // What the field stores: with the literals when the mask keeps them, else only the typed characters.
  QString value() const;
  // Shows a stored value (with or without the literals).
  void setValue(const QString &stored);

 protected:
  // Entered from the keyboard, by the screen or as its window first shows, a blank field puts the cursor in its first
  // place and a filled one is selected, so typing starts over; a click leaves the cursor where it fell.
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  // The focus event just received hands the focus back to this field after another window or a
  // pop-up held it: the field is not being entered. The first focus of a window's first showing
  // also comes with the window's activation, and that one is entering.
  bool focusCameBack() const { return cameBack_; }

 private:
  bool awayWithFocus_ = false;  // lost the focus to another window or a pop-up, still this window's focus
  bool cameBack_ = false;
  QString mask_;
  bool saveLiterals_ = true;
  QChar blank_ = QChar(u'_');
  QVector<bool> places_;  // per displayed position: a place to type in (true) or a literal
};

// A date typed as day/month/year in the mask "99/99/9999;1;_"; a blank date reads "  /  /    ".
// Leaving it with a text that is not a date shows "Data Inválida!" (error icon) and keeps the focus.
class DateEdit : public MaskedEdit, public ExitChecked {
  Q_OBJECT
 public:
  explicit DateEdit(QWidget *parent = nullptr);

  // The date typed; invalid when the field is blank or unreadable.
  QDate date() const;
  bool isValidOrBlank() const { return isBlank() || date().isValid(); }
  void setDate(const QDate &date);
  // Shows a stored date: NULL, 0000-00-00 and 30/12/1899 show blank.
  void setStored(const QVariant &stored);
  // For a write: the date, or NULL when blank.
  QVariant dateValue() const;
  // For a statement that takes dates as text: "yyyy/MM/dd", or "0000/00/00" when blank.
  QString statementText() const;
  void clearDate() { setText(QString()); }

  // Fills a blank field with today's date, selected, when the field is entered (also when it holds
  // the focus as its window first shows, but not when the focus comes back from another window).
  void setTodayOnEnter(bool on) { todayOnEnter_ = on; }
  bool todayOnEnter() const { return todayOnEnter_; }
  void setInvalidTitle(const QString &title) { invalidTitle_ = title; }

  bool checkOnExit() override;

 protected:
  void focusInEvent(QFocusEvent *event) override;

 private:
  bool todayOnEnter_ = false;
  QString invalidTitle_ = QStringLiteral("Atenção");
};
