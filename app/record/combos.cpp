#include "app/record/combos.h"

#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>

#include "app/connection.h"
#include "app/messages.h"

CodeCombo::CodeCombo(QWidget *parent) : QComboBox(parent) { setEditable(false); }

void CodeCombo::setItems(const QList<Item> &items) {
  items_ = items;
  clear();
  for (const Item &item : items) addItem(item.text);
  setCurrentIndex(-1);
}

QString CodeCombo::code() const {
  const int i = currentIndex();
  return i >= 0 && i < items_.size() ? items_.at(i).code : QString();
}

void CodeCombo::setCode(const QString &code) {
  for (int i = 0; i < items_.size(); ++i) {
    if (!code.isEmpty() && items_.at(i).code == code) {
      setCurrentIndex(i);
      return;
    }
  }
  setCurrentIndex(-1);
}

QueryCombo::QueryCombo(QWidget *parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
}

bool QueryCombo::load(const QString &sql, const QVariantList &values, QString *error) {
  QList<QPair<QVariant, QString>> items;
  QSqlQuery q;
  if (!execBound(q, sql, values, error)) {
    setItems({});
    return false;
  }
  while (q.next()) items.append({q.value(0), q.value(1).toString()});
  setItems(items);
  return true;
}

void QueryCombo::setItems(const QList<QPair<QVariant, QString>> &items) {
  const QString kept = currentText();
  items_ = items;
  clear();
  for (const auto &item : items) addItem(item.second);
  setCurrentIndex(-1);
  setEditText(kept);
}

int QueryCombo::indexOfText(const QString &text) const {
  for (int i = 0; i < items_.size(); ++i)
    if (items_.at(i).second == text) return i;
  return -1;
}

bool QueryCombo::isKnown() const { return currentText().isEmpty() || indexOfText(currentText()) >= 0; }

QVariant QueryCombo::code() const {
  const QString text = currentText();
  if (text.isEmpty()) return {};
  const int i = indexOfText(text);
  return i >= 0 ? items_.at(i).first : QVariant();
}

void QueryCombo::setCode(const QVariant &code) {
  if (!code.isNull() && !code.toString().isEmpty()) {
    for (int i = 0; i < items_.size(); ++i) {
      if (items_.at(i).first.toString() == code.toString()) {
        setCurrentIndex(i);
        return;
      }
    }
  }
  clearText();
}

void QueryCombo::clearText() {
  setCurrentIndex(-1);
  setEditText(QString());
}

bool QueryCombo::checkOnExit() {
  if (unknownMessage_.isEmpty() || isKnown()) return true;
  Messages::information(unknownMessage_, unknownTitle_);
  return false;
}
