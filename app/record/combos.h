#pragma once

#include <QComboBox>
#include <QList>
#include <QString>
#include <QVariant>

#include "app/record/exitchecked.h"

// A fixed list of codes shown as their long texts: "M" shows "MASCULINO" and "MASCULINO" yields "M".
// Nothing chosen (or a code no item has) shows an empty combo and yields an empty code.
class CodeCombo : public QComboBox {
  Q_OBJECT
 public:
  struct Item {
    QString code;
    QString text;
  };

  explicit CodeCombo(QWidget *parent = nullptr);
  void setItems(const QList<Item> &items);
  QString code() const;
  void setCode(const QString &code);
  void clearChoice() { setCurrentIndex(-1); }

 private:
  QList<Item> items_;
};

// Names from a query that yield codes, typed freely or chosen from the list. A text yields the code
// of the first item with exactly that text (the query's order decides between equal names); an
// empty text yields no code. With an unknown-text message the combo refuses to be left holding a
// text that is no item's.
class QueryCombo : public QComboBox, public ExitChecked {
  Q_OBJECT
 public:
  explicit QueryCombo(QWidget *parent = nullptr);

  // Fills the list from a statement whose first column is the code and second the text shown.
  // On failure keeps the list empty and puts the server's text in *error.
  bool load(const QString &sql, const QVariantList &values = {}, QString *error = nullptr);
  void setItems(const QList<QPair<QVariant, QString>> &items);

  QString shownText() const { return currentText(); }
  bool isEmptyText() const { return currentText().isEmpty(); }
  // An empty text or the text of some item.
  bool isKnown() const;
  // The code for the text shown; a null variant when it is empty or unknown.
  QVariant code() const;
  // Shows the text of the first item with this code; an empty combo when none has it.
  void setCode(const QVariant &code);
  void clearText();

  void setUnknownMessage(const QString &message, const QString &title = QStringLiteral("Atenção")) {
    unknownMessage_ = message;
    unknownTitle_ = title;
  }
  QString unknownMessage() const { return unknownMessage_; }
  // Shows the unknown-text message (information icon) when the text names no item.
  bool checkOnExit() override;

 private:
  int indexOfText(const QString &text) const;
  QList<QPair<QVariant, QString>> items_;
  QString unknownMessage_;
  QString unknownTitle_;
};
