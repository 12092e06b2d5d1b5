#include "app/record/inuse.h"

#include <QSqlQuery>

#include "app/connection.h"
#include "app/tdm.h"

bool refusedInUse(const QList<InUseCheck> &checks, const QVariant &key) {
  for (const InUseCheck &c : checks) {
    QSqlQuery q(dm().database());
    q.prepare(c.sql);
    q.addBindValue(key);
    if (!q.exec()) {
      Messages::error(serverText(q.lastError()));
      return true;
    }
    if (q.next()) {
      if (!c.message.isEmpty()) Messages::current().box(c.icon, c.title, c.message, QMessageBox::Ok, QMessageBox::Ok);
      return true;
    }
  }
  return false;
}
