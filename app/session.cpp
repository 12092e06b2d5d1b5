#include "app/session.h"

Session &Session::instance() {
  static Session session;
  return session;
}

void Session::login(const QString &user, const QString &brokerage) {
  user_ = user;
  brokerage_ = brokerage;
  emit changed();
}

void Session::clear() { login({}, {}); }
