#pragma once
// Small helpers for driving record screens offscreen and reading back what they wrote.

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTest>
#include <QVariant>
#include <QWidget>

// Shows the window and waits until it has the keyboard, so focus moves and key clicks act as typed.
inline bool showActive(QWidget *window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

template <class T>
T *child(QObject *parent, const QString &name) {
  return parent->findChild<T *>(name);
}

// The first column of the first row, or an invalid variant when there is none.
inline QVariant scalar(const QString &sql, const QVariantList &values = {}) {
  QSqlQuery q;
  q.prepare(sql);
  for (const QVariant &v : values) q.addBindValue(v);
  if (!q.exec() || !q.next()) return {};
  return q.value(0);
}

inline bool run(const QString &sql, const QVariantList &values = {}, QString *error = nullptr) {
  QSqlQuery q;
  q.prepare(sql);
  for (const QVariant &v : values) q.addBindValue(v);
  if (q.exec()) return true;
  if (error) *error = q.lastError().text();
  return false;
}

inline int rows(const QString &sql, const QVariantList &values = {}) { return scalar(sql, values).toInt(); }

// Types text key by key, accented letters included (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget *widget, const QString &text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) QTest::keyClick(widget, char(c.unicode()));
    else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
  }
}

// Enter where the focus is, as the user presses it.
inline void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
