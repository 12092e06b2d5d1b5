#include "registries/fornecedorcommands.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include "app/audit.h"
#include "app/connection.h"
#include "app/tdm.h"

namespace FornecedorCommands {

namespace {

QString digitsOf(const QString &text) {
  QString out;
  for (const QChar c : text)
    if (c.isDigit()) out.append(c);
  return out;
}

// Never NULL, cut to the column it goes into.
QString fit(const QVariant &value, int width) {
  const QString text = value.toString();
  return text.isNull() ? QStringLiteral("") : text.left(width);
}

bool run(QSqlQuery &q, QString *error) {
  if (q.exec()) return true;
  if (error) *error = serverText(q.lastError());
  return false;
}

bool prepare(QSqlQuery &q, const QString &sql, QString *error) {
  if (q.prepare(sql)) return true;
  if (error) *error = serverText(q.lastError());
  return false;
}

}  // namespace

CopyResult copyToClients(int codigo, QString *error) {
  QSqlDatabase db = dm().database();
  QSqlQuery row(db);
  if (!prepare(row, QStringLiteral("select * from fornecedores where codigo = ?"), error)) return CopyResult::Failed;
  row.addBindValue(codigo);
  if (!run(row, error)) return CopyResult::Failed;
  if (!row.next()) return CopyResult::NotFound;
  const QSqlRecord f = row.record();

  const QString cnpj = f.value(QStringLiteral("cnpj")).toString().trimmed();
  const QString cpf = f.value(QStringLiteral("cpf")).toString().trimmed();
  const bool company = f.value(QStringLiteral("tipo")).toString() == QLatin1String("J");
  // The document the client is known by: the CNPJ of a company, the CPF of a person, else whichever exists.
  const bool byCnpj = company ? !cnpj.isEmpty() || cpf.isEmpty() : cpf.isEmpty() && !cnpj.isEmpty();
  const QString document = byCnpj ? cnpj : cpf;
  const QString registration =
      byCnpj ? f.value(QStringLiteral("ie")).toString() : f.value(QStringLiteral("rg")).toString();
  const QString nome = fit(f.value(QStringLiteral("nome")), 70);

  QSqlQuery found(db);
  if (document.isEmpty()) {
    // An empty document would match every client without one: the name decides instead.
    if (!prepare(found, QStringLiteral("select codigo from clientes where nome = ? and coalesce(cnpj_cpf, '') = ''"),
                 error))
      return CopyResult::Failed;
    found.addBindValue(nome);
  } else {
    if (!prepare(found, QStringLiteral("select codigo from clientes where cnpj_cpf = ?"), error))
      return CopyResult::Failed;
    found.addBindValue(document);
  }
  if (!run(found, error)) return CopyResult::Failed;
  if (found.next()) return CopyResult::AlreadyClient;

  const bool ok = inTransaction(
      [&](QString *failure) {
        QSqlQuery q(db);
        if (!prepare(q,
                     QStringLiteral("insert into clientes (cnpj_cpf, ie_rg, nome, fantasia, contato, endereco, bairro, "
                                    "cidade, estado, cep, fone1, fone2, fone3, email, homepage, obs, cadastro) "
                                    "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     failure))
          return false;
        q.addBindValue(document.left(14));
        q.addBindValue(registration.left(15));
        q.addBindValue(nome);
        const QList<QPair<const char *, int>> copied{
            {"fantasia", 50}, {"contato", 30},  {"endereco", 70}, {"bairro", 30}, {"cidade", 30},
            {"estado", 2},    {"cep", 8},       {"fone1", 11},    {"fone2", 11},  {"fone3", 11},
            {"email", 60},    {"homepage", 40}, {"obs", 250}};
        for (const auto &[column, width] : copied) q.addBindValue(fit(f.value(QLatin1String(column)), width));
        q.addBindValue(QDate::currentDate());  // a client's registration date, as every new client has
        if (!run(q, failure)) return false;
        return Audit::write(
            {u'I', QStringLiteral("CLIENTE"), nome, 0, 0, QStringLiteral("Cliente Inserido Via Cad. Fornecedor")},
            failure, db);
      },
      error);
  return ok ? CopyResult::Copied : CopyResult::Failed;
}

QString brokerCpf(const QString &cpfCorretor) { return digitsOf(cpfCorretor).left(11); }

QString brokerPhone(const QString &fone) { return digitsOf(fone).left(11); }

bool importBrokers(int *inserted, QString *error) {
  int count = 0;
  QSqlDatabase db = dm().database();
  const bool ok = inTransaction(
      [&](QString *failure) {
        QSqlQuery brokers(db);
        brokers.setForwardOnly(true);
        if (!prepare(brokers,
                     QStringLiteral("select nome_corretor, rg_corretor, cpf_corretor, nasc_corretor, end_corretor, "
                                    "bairro_corretor, fone_corretor1, email_corretor from corretores "
                                    "order by id_corretor"),
                     failure) ||
            !run(brokers, failure))
          return false;
        QSqlQuery known(db);
        QSqlQuery add(db);
        if (!prepare(known, QStringLiteral("select codigo from fornecedores where cpf = ? limit 1"), failure) ||
            !prepare(add,
                     QStringLiteral("insert into fornecedores (tipo, cpf, rg, nome, endereco, bairro, cidade, estado, "
                                    "cep, fone1, email, dtnasc, funcao, situacao, apelido) "
                                    "values ('F', ?, ?, ?, ?, ?, 'SAO LUIS', 'MA', '65000000', ?, ?, ?, "
                                    "'VENDEDOR', 'A', ?)"),
                     failure))
          return false;
        // Read first: the statements below share the connection with this result.
        QList<QSqlRecord> rows;
        while (brokers.next()) rows << brokers.record();
        for (const QSqlRecord &b : rows) {
          const QString cpf = brokerCpf(b.value(QStringLiteral("cpf_corretor")).toString());
          known.addBindValue(cpf);
          if (!run(known, failure)) return false;
          const bool exists = known.next();
          known.finish();
          if (exists) continue;
          const QString nome = fit(b.value(QStringLiteral("nome_corretor")), 70);
          const QDate nasc = b.value(QStringLiteral("nasc_corretor")).toDate();
          add.addBindValue(cpf);
          add.addBindValue(fit(b.value(QStringLiteral("rg_corretor")), 30));
          add.addBindValue(nome);
          add.addBindValue(fit(b.value(QStringLiteral("end_corretor")), 70));
          add.addBindValue(fit(b.value(QStringLiteral("bairro_corretor")), 30));
          add.addBindValue(brokerPhone(b.value(QStringLiteral("fone_corretor1")).toString()));
          add.addBindValue(fit(b.value(QStringLiteral("email_corretor")), 40));
          add.addBindValue(nasc.isValid() && nasc.year() > 1899 ? QVariant(nasc)
                                                                : QVariant(QMetaType(QMetaType::QDate)));
          add.addBindValue(nome.left(20));
          if (!run(add, failure)) return false;
          ++count;
        }
        return true;
      },
      error);
  if (inserted) *inserted = ok ? count : 0;
  return ok;
}

}  // namespace FornecedorCommands
