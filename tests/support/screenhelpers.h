#pragma once
// Small helpers for driving screens offscreen and reading back what they wrote.

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTest>
#include <QVariant>
#include <QWidget>

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/record/fields.h"
#include "app/record/screenbehaviour.h"
#include "common/report/layout.h"
#include "common/report/render.h"

// Shows the window and waits until it has the keyboard, so focus moves and key clicks act as typed.
inline bool showActive(QWidget *window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

// A control by its name; a missing one ends the test at once instead of crashing it later.
template <class T>
T *child(QObject *parent, const QString &name) {
  T *w = parent->findChild<T *>(name);
  if (!w) qFatal("control %s not found", qPrintable(name));
  return w;
}

// The first column of the first row. A missing row gives the text "<no row>", so that a test
// expecting a NULL column cannot pass on a row that is not there.
inline QVariant scalar(const QString &sql, const QVariantList &values = {}) {
  QSqlQuery q;
  q.prepare(sql);
  for (const QVariant &v : values) q.addBindValue(v);
  if (!q.exec()) qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
  if (!q.isActive() || !q.next()) return QVariant(QStringLiteral("<no row>"));
  return q.value(0);
}

// Runs a statement with its values; *id gets the key the server generated for an insert, *error the
// server's text of a failure.
inline bool run(const QString &sql, const QVariantList &values, QVariant *id, QString *error) {
  QSqlQuery q;
  q.prepare(sql);
  for (const QVariant &v : values) q.addBindValue(v);
  if (!q.exec()) {
    if (error)
      *error = q.lastError().text();
    else
      qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
  }
  if (id) *id = q.lastInsertId();
  return true;
}
inline bool run(const QString &sql, const QVariantList &values = {}, QVariant *id = nullptr) {
  return run(sql, values, id, nullptr);
}
inline bool run(const QString &sql, const QVariantList &values, QString *error) {
  return run(sql, values, nullptr, error);
}

inline int rows(const QString &sql, const QVariantList &values = {}) { return scalar(sql, values).toInt(); }

// Types text key by key, accented letters included (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget *widget, const QString &text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(widget, char(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
  }
}

// Enter where the focus is, as the user presses it.
inline void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

// Captures the reports a screen would preview, instead of opening the preview window.
struct PreviewCapture {
  QList<Report::Document> docs;
  QStringList captions;
  Report::PreviewHook previous;
  PreviewCapture() {
    previous = Report::setPreviewHook([this](const Report::Document &d, const QString &c) {
      docs << d;
      captions << c;
    });
  }
  ~PreviewCapture() { Report::setPreviewHook(previous); }
  // Every laid-out text of one captured report, page after page.
  QStringList texts(int doc = 0) const {
    QStringList all;
    for (int p = 0; p < docs.at(doc).pageCount(); ++p) all << docs.at(doc).pageTexts(p);
    return all;
  }
};

// A calling window with a code field `edcliente` (and a second field to leave to) whose F10 opens the
// look-up screen `screen`; `checked` collects the field's text each time its exit check runs.
struct LookupCaller {
  QDialog dialog;
  ScreenBehaviour behaviour{&dialog};
  QLineEdit *edcliente = Fields::upper(&dialog, QStringLiteral("edcliente"));
  QLineEdit *other = Fields::upper(&dialog, QStringLiteral("other"));
  QStringList checked;

  explicit LookupCaller(const QString &screen) {
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(edcliente);
    layout->addWidget(other);
    behaviour.onExit(edcliente, [this] {
      checked << edcliente->text();
      return true;
    });
    behaviour.addLookup(edcliente, screen, QStringLiteral("codigo"));
  }
  // Shows the window and presses F10 in the code field; false when the window never became active.
  bool pressF10() {
    if (!showActive(&dialog)) return false;
    edcliente->setFocus();
    QTest::keyClick(edcliente, Qt::Key_F10);
    return true;
  }
};
