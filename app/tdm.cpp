#include "app/tdm.h"

#include <QTextStream>

#include "app/messages.h"
#include "common/spreadsheet/processes.h"

Tdm &Tdm::instance() {
  static Tdm module;
  return module;
}

QSqlDatabase Tdm::database() const {
  return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

bool Tdm::isConnected() const { return database().isOpen(); }

void Tdm::disconnect() {
  if (QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection))) database().close();
}

bool Tdm::connect(QString *error) {
  disconnect();
  QString why;
  bool ok = !beforeConnect_ || beforeConnect_(&why);
  if (ok) ok = settings_.open(QLatin1String(QSqlDatabase::defaultConnection), &why);
  if (!ok) {
    // The box the staff see names no cause; whoever looks after the installation finds it here.
    QTextStream(stderr) << "Velmora: sem conexão com o banco de dados: " << why << Qt::endl;
    if (error) *error = why;
  }
  return ok;
}

bool Tdm::conectarBD() {
  if (connect()) return true;
  showOutOfService();
  return false;
}

void Tdm::finalizarExcel() { Spreadsheet::endSpreadsheetProcesses(); }

void Tdm::showOutOfService() {
  Messages::plain(QStringLiteral("Tente Novamente"), QStringLiteral("Atenção! Sistema Fora do Ar"));
}

bool inTransaction(const std::function<bool(QString *error)> &work, QString *error) {
  QSqlDatabase db = dm().database();
  QString failure;
  bool ok = db.transaction();
  if (!ok) failure = serverText(db.lastError());
  if (ok) {
    ok = work(&failure);
    if (ok && !db.commit()) {
      failure = serverText(db.lastError());
      ok = false;
    }
    if (!ok) db.rollback();
  }
  if (!ok && error) *error = failure.isEmpty() ? serverText(db.lastError()) : failure;
  return ok;
}
