#pragma once

#include <QObject>
#include <QString>

// The login values every screen reads: the logged-in user (audit operator, rights look-ups) and the
// brokerage code written into brokerage columns. The main window's status bar shows them.
class Session : public QObject {
  Q_OBJECT
 public:
  static Session &instance();

  QString user() const { return user_; }
  QString brokerage() const { return brokerage_; }  // "1" after login
  int brokerageCode() const { return brokerage_.toInt(); }

  void login(const QString &user, const QString &brokerage = QStringLiteral("1"));
  void clear();

 signals:
  void changed();

 private:
  QString user_;
  QString brokerage_;
};
