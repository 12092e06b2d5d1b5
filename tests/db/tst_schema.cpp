// The database built from db/: applying the scripts again is harmless, the stock client builds the
// same schema, and every stored procedure leaves the rows its callers rely on. Procedures are
// called as the screens call them: "CALL sp_x(?, ...)" with the values bound in order.
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtTest>

#include "app/connection.h"
#include "app/schemainstaller.h"
#include "tests/support/testdatabase.h"

namespace {

// The date the screens send for a date left blank.
const QDate kBlank(1899, 12, 30);

// Qt's MySQL driver reads the message of a failed prepared statement as Latin-1 although the
// server sends UTF-8; undo that so the procedures' own messages can be compared.
QString serverText(const QString &text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArray bytes = text.toLatin1();
  const QString decoded = utf8(bytes);
  return utf8.hasError() || QString::fromLatin1(bytes) != text ? text : decoded;
}

bool call(const QString &procedure, const QVariantList &values, QString *error = nullptr) {
  QStringList marks;
  for (qsizetype i = 0; i < values.size(); ++i) marks << QStringLiteral("?");
  QString message;
  const bool ok =
      execBound(QSqlDatabase::database(),
                QStringLiteral("CALL %1(%2)").arg(procedure, marks.join(QStringLiteral(", "))), values, &message);
  if (error) *error = serverText(message);
  return ok;
}

#define CALL_OK(procedure, ...)                                                \
  do {                                                                         \
    QString callError;                                                         \
    QVERIFY2(call(procedure, __VA_ARGS__, &callError), qPrintable(callError)); \
  } while (false)

// The first row of a query with bound values; an empty record when there is none.
QSqlRecord row(const QString &sql, const QVariantList &values = {}) {
  QSqlQuery q;
  q.prepare(sql);
  for (const QVariant &v : values) q.addBindValue(v);
  if (!q.exec()) qWarning() << sql << q.lastError().text();
  return q.next() ? q.record() : QSqlRecord();
}

QVariant value(const QString &sql, const QVariantList &values = {}) { return row(sql, values).value(0); }

int count(const QString &fromWhere, const QVariantList &values = {}) {
  return value(QStringLiteral("SELECT COUNT(*) FROM ") + fromWhere, values).toInt();
}

int lastInsertId() { return value(QStringLiteral("SELECT LAST_INSERT_ID()")).toInt(); }

// Rows per table and the stored routines with their parameters: what a re-application must
// leave exactly as it was.
QStringList snapshot(const QString &schema) {
  QStringList out;
  QSqlQuery tables;
  tables.prepare(
      QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = ? "
                     "ORDER BY table_name"));
  tables.addBindValue(schema);
  if (!tables.exec()) qWarning("snapshot: %s", qPrintable(tables.lastError().text()));
  while (tables.next()) {
    const QString table = tables.value(0).toString();
    out << table + QLatin1Char('=') +
               value(QStringLiteral("SELECT COUNT(*) FROM `%1`.`%2`").arg(schema, table)).toString();
  }
  QSqlQuery routines;
  routines.prepare(
      QStringLiteral("SELECT CONCAT(r.routine_type, ' ', r.routine_name, '(', "
                     "       COALESCE((SELECT GROUP_CONCAT(CONCAT(p.parameter_name, ' ', p.dtd_identifier) "
                     "                   ORDER BY p.ordinal_position) "
                     "                 FROM information_schema.parameters p "
                     "                 WHERE p.specific_schema = r.routine_schema AND p.specific_name = r.routine_name "
                     "                   AND p.ordinal_position > 0), ''), ')') "
                     "FROM information_schema.routines r WHERE r.routine_schema = ? ORDER BY r.routine_name"));
  routines.addBindValue(schema);
  if (!routines.exec()) qWarning("snapshot: %s", qPrintable(routines.lastError().text()));
  while (routines.next()) out << routines.value(0).toString();
  return out;
}

// Tables and columns of a schema, as one comparable list.
QStringList columns(const QString &schema) {
  QStringList out;
  QSqlQuery q;
  q.prepare(
      QStringLiteral("SELECT CONCAT(table_name, '.', column_name, ' ', column_type, ' ', is_nullable, ' ', "
                     "COALESCE(column_default, '-'), ' ', extra) FROM information_schema.columns "
                     "WHERE table_schema = ? ORDER BY table_name, ordinal_position"));
  q.addBindValue(schema);
  if (!q.exec()) qWarning("columns: %s", qPrintable(q.lastError().text()));
  while (q.next()) out << q.value(0).toString();
  return out;
}

QString currentSchema() { return value(QStringLiteral("SELECT DATABASE()")).toString(); }

// A new sale as each sale screen sends it, for a proposal and an insurer.
QVariantList pmeSale(const QString &proposta, int seguradora) {
  return {QStringLiteral("01"),
          QStringLiteral("MARIA"),
          QDate::currentDate(),
          7,
          proposta,
          QDate(2024, 3, 10),
          seguradora,
          12,
          5,
          QStringLiteral("2"),
          QStringLiteral("1"),
          10,
          3,
          1500.0,
          44,
          kBlank,
          1500.0,
          1450.0,
          1,
          30,
          0,
          QStringLiteral("CT-1"),
          QStringLiteral("CT-2"),
          QDate(2024, 4, 1),
          QStringLiteral("A"),
          2,
          QStringLiteral("O"),
          0,
          50.0,
          40.0,
          30.0,
          20.0,
          10.0,
          5.0,
          1};
}

QVariantList individualSale(const QString &proposta, int seguradora) {
  return {QStringLiteral("MARIA"),
          QDate::currentDate(),
          7,
          proposta,
          QDate(2024, 3, 10),
          kBlank,
          seguradora,
          12,
          5,
          300.0,
          45,
          100.0,
          10.0,
          50.0,
          50.0,
          0.0,
          0.0,
          12.5,
          30,
          2,
          0,
          QStringLiteral("05"),
          QStringLiteral("CT-9"),
          3};
}

QVariantList autoSale(const QString &proposta, int seguradora) {
  return {QStringLiteral("03"),
          QStringLiteral("MARIA"),
          QDate::currentDate(),
          8,
          proposta,
          QDate(2024, 3, 10),
          seguradora,
          12,
          5,
          2000.0,
          46,
          15.0,
          0.0,
          4,
          QStringLiteral("GOL 1.0"),
          QDate(2024, 4, 10),
          500.0,
          QStringLiteral("1"),
          QStringLiteral("S"),
          QStringLiteral("N"),
          QStringLiteral("N"),
          QStringLiteral("N"),
          QString(),
          QDate(2024, 4, 1),
          0,
          0,
          QStringLiteral("S"),
          QStringLiteral("N")};
}

QVariantList newSale(const QString &kind, const QString &proposta, int seguradora) {
  if (kind == QLatin1String("sp_i_segurospme")) return pmeSale(proposta, seguradora);
  if (kind == QLatin1String("sp_i_seguros")) return individualSale(proposta, seguradora);
  return autoSale(proposta, seguradora);
}

int saleCode(const QString &proposta, int seguradora) {
  return value(QStringLiteral("SELECT codigo FROM seguros WHERE proposta = ? AND seguradora = ?"),
               {proposta, seguradora})
      .toInt();
}

// A new insured party as each screen sends it, for a CNPJ/CPF and a name.
QVariantList newParty(const QString &procedure, const QString &cnpjCpf, const QString &nome) {
  const QString e;
  if (procedure == QLatin1String("sp_i_segurados"))
    return {cnpjCpf,
            nome,
            QStringLiteral("FANT"),
            QStringLiteral("RUA A"),
            QStringLiteral("CENTRO"),
            QStringLiteral("65000000"),
            QStringLiteral("SAO LUIS"),
            QStringLiteral("MA"),
            e,
            e,
            e,
            e,
            e,
            e};
  if (procedure == QLatin1String("sp_i_seguradosind"))
    return {cnpjCpf,
            nome,
            QDate(1980, 1, 2),
            QStringLiteral("RUA B"),
            QStringLiteral("CENTRO"),
            QStringLiteral("65000000"),
            QStringLiteral("SAO LUIS"),
            QStringLiteral("MA"),
            e,
            e,
            e,
            QStringLiteral("ANA"),
            0,
            0};
  if (procedure == QLatin1String("sp_i_seguradosauto"))
    return {cnpjCpf,
            nome,
            kBlank,
            QStringLiteral("RUA C"),
            QStringLiteral("CENTRO"),
            QStringLiteral("65000000"),
            QStringLiteral("SAO LUIS"),
            QStringLiteral("MA"),
            e,
            e,
            e,
            e,
            QStringLiteral("M"),
            e,
            kBlank,
            e};
  if (procedure == QLatin1String("sp_i_titulares"))
    return {cnpjCpf,
            nome,
            QStringLiteral("RUA D"),
            QStringLiteral("CENTRO"),
            QStringLiteral("65000000"),
            QStringLiteral("SAO LUIS"),
            QStringLiteral("MA"),
            e,
            QStringLiteral("F"),
            QDate(1975, 6, 7),
            QStringLiteral("BRA"),
            QStringLiteral("123"),
            QDate(1995, 1, 1),
            QStringLiteral("SSP"),
            QStringLiteral("C"),
            4,
            QStringLiteral("N"),
            QStringLiteral("N"),
            QStringLiteral("N"),
            QStringLiteral("ANA"),
            QStringLiteral("60"),
            QStringLiteral("1,70"),
            0};
  return {cnpjCpf,
          nome,
          QStringLiteral("M"),
          QDate(2010, 2, 3),
          QStringLiteral("S"),
          QStringLiteral("ANA"),
          QStringLiteral("30"),
          QStringLiteral("1,40"),
          QStringLiteral("FILHO")};  // sp_i_terceiros
}

// A change by CNPJ/CPF takes the same values, in the same order, as the insert of its kind.
QVariantList partyChange(const QString &procedure, const QString &cnpjCpf, const QString &nome) {
  return newParty(QString(procedure).replace(QLatin1String("sp_a_"), QLatin1String("sp_i_")), cnpjCpf, nome);
}

}  // namespace

class TstSchema : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void reapplyingScriptsChangesNothing();
  void stockClientBuildsTheSameSchema();

  void dateParameter_data();
  void dateParameter();
  void unreadableDateIsRefused_data();
  void unreadableDateIsRefused();

  void pmeSaleInsertAndChange();
  void individualSaleInsertAndChange();
  void autoSaleInsertAndChange();
  void newSaleWithStoredProposalIsRefused_data();
  void newSaleWithStoredProposalIsRefused();
  void changeCannotMoveSaleOntoAnotherProposal();

  void partyInsertOfRegisteredNumberKeepsOneRow_data();
  void partyInsertOfRegisteredNumberKeepsOneRow();
  void dependentWithoutCpfIsFoundByNameAndMother();
  void partyChangeByNumber_data();
  void partyChangeByNumber();
  void partyChangeWithoutNumberIsRefused_data();
  void partyChangeWithoutNumberIsRefused();
  void holderAndDependentChangeByCode();
  void dependentLinkChange();

  void ledgerEntryAndCorrections();
  void statementLines();
  void receivableInsertAndSettlement();
  void settlementWithoutDateIsRefused();
  void receivableDeletes();
  void auditRow();
  void commissionRowOfSameCombinationIsReplaced();

  void proceduresJoinTheCallersTransaction();
};

void TstSchema::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
}

void TstSchema::reapplyingScriptsChangesNothing() {
  CALL_OK(QStringLiteral("sp_i_rastro"),
          {QDate::currentDate(), QStringLiteral("10:00:00"), QStringLiteral("MARIA"), QStringLiteral("TESTE"),
           QStringLiteral("I"), QStringLiteral("antes"), 0, 0.0, QString()});
  const QStringList before = snapshot(currentSchema());
  QVERIFY(!before.filter(QStringLiteral("PROCEDURE sp_i_rastro(")).isEmpty());

  QString error;
  QVERIFY2(SchemaInstaller(QSqlDatabase::database()).apply(&error), qPrintable(error));

  QCOMPARE(snapshot(currentSchema()), before);
  QCOMPARE(count(QStringLiteral("rastro WHERE historico = 'antes'")), 1);
}

void TstSchema::stockClientBuildsTheSameSchema() {
  QString client = QStandardPaths::findExecutable(QStringLiteral("mariadb"));
  if (client.isEmpty()) client = QStandardPaths::findExecutable(QStringLiteral("mysql"));
  if (client.isEmpty()) QSKIP("the stock client is not installed");

  const QDir dbDir(qEnvironmentVariable("VELMORA_SOURCE_DIR") + QStringLiteral("/db"));
  QByteArray scripts;
  for (const QString &name : dbDir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
    QFile f(dbDir.filePath(name));
    QVERIFY(f.open(QIODevice::ReadOnly));
    scripts += f.readAll() + '\n';
  }
  QVERIFY(!scripts.isEmpty());

  const QString copy = currentSchema() + QStringLiteral("_cliente");
  QSqlQuery drop;
  QVERIFY(drop.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(copy)));
  QString error;
  QVERIFY2(SchemaInstaller::createDatabase(QSqlDatabase::database(), copy, &error), qPrintable(error));

  // Twice, as an administrator re-running "cat db/*.sql | mariadb" would.
  for (int pass = 0; pass < 2; ++pass) {
    QProcess mariadb;
    mariadb.start(client, {QStringLiteral("--socket=") + qEnvironmentVariable("VELMORA_TEST_SOCKET"), copy});
    QVERIFY(mariadb.waitForStarted());
    mariadb.write(scripts);
    mariadb.closeWriteChannel();
    QVERIFY(mariadb.waitForFinished(60000));
    QVERIFY2(mariadb.exitCode() == 0, mariadb.readAllStandardError().constData());
  }

  // Same tables, columns and routines as the installer's database; the first rows only once.
  QCOMPARE(columns(copy), columns(currentSchema()));
  const QStringList installed =
      snapshot(currentSchema()).filter(QRegularExpression(QStringLiteral("^(PROCEDURE|FUNCTION) ")));
  QCOMPARE(snapshot(copy).filter(QRegularExpression(QStringLiteral("^(PROCEDURE|FUNCTION) "))), installed);
  QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM `%1`.parametros").arg(copy)).toInt(), 1);
  QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM `%1`.statusprop").arg(copy)).toInt(),
           count(QStringLiteral("statusprop")));
  QVERIFY(drop.exec(QStringLiteral("DROP DATABASE `%1`").arg(copy)));
}

void TstSchema::dateParameter_data() {
  QTest::addColumn<QVariant>("sent");
  QTest::addColumn<QDate>("stored");  // null: NULL stored

  QTest::newRow("blank date value 30/12/1899") << QVariant(kBlank) << QDate();
  QTest::newRow("blank literal 0000/00/00") << QVariant(QStringLiteral("0000/00/00")) << QDate();
  QTest::newRow("blank text 0000-00-00") << QVariant(QStringLiteral("0000-00-00")) << QDate();
  QTest::newRow("blank text 1899-12-30") << QVariant(QStringLiteral("1899-12-30")) << QDate();
  QTest::newRow("empty text") << QVariant(QString(QLatin1String(""))) << QDate();
  QTest::newRow("no value") << QVariant() << QDate();
  QTest::newRow("date value") << QVariant(QDate(2013, 5, 31)) << QDate(2013, 5, 31);
  QTest::newRow("literal year/month/day") << QVariant(QStringLiteral("2013/05/31")) << QDate(2013, 5, 31);
  QTest::newRow("text day/month/year") << QVariant(QStringLiteral("31/05/2013")) << QDate(2013, 5, 31);
  QTest::newRow("leap day") << QVariant(QStringLiteral("2024/02/29")) << QDate(2024, 2, 29);
}

void TstSchema::dateParameter() {
  QFETCH(QVariant, sent);
  QFETCH(QDate, stored);
  // The holder's birth date and the issue date of its identity card, both through one insert.
  static int next = 0;
  const QString cpf = QStringLiteral("9%1").arg(++next, 10, 10, QLatin1Char('0'));
  QVariantList values = newParty(QStringLiteral("sp_i_titulares"), cpf, QStringLiteral("DATA"));
  values[9] = sent;   // s_dtnasc
  values[12] = sent;  // s_emissaorg
  CALL_OK(QStringLiteral("sp_i_titulares"), values);
  const QSqlRecord r = row(QStringLiteral("SELECT dtnasc, emissaorg FROM seguros_clientes WHERE cnpj_cpf = ?"), {cpf});
  QCOMPARE(r.value(0).isNull(), stored.isNull());
  QCOMPARE(r.value(1).isNull(), stored.isNull());
  if (!stored.isNull()) {
    QCOMPARE(r.value(0).toDate(), stored);
    QCOMPARE(r.value(1).toDate(), stored);
  }
}

void TstSchema::unreadableDateIsRefused_data() {
  QTest::addColumn<QString>("sent");
  QTest::newRow("no such day") << QStringLiteral("31/02/2013");
  QTest::newRow("no such month") << QStringLiteral("2013/13/01");
  QTest::newRow("zero month") << QStringLiteral("2013/00/10");
  QTest::newRow("not a date") << QStringLiteral("ontem");
}

void TstSchema::unreadableDateIsRefused() {
  QFETCH(QString, sent);
  const int before = count(QStringLiteral("conta_produtor"));
  QString error;
  QVERIFY(!call(QStringLiteral("sp_i_conta_produtor"),
                {0, sent, 1, 0, 9, 1, 3, 3, 10.0, 100.0, 0.0, 10.0, 0.0, 0.0, QStringLiteral("X"), QString(), QString(),
                 QString()},
                &error));
  QVERIFY2(error.contains(QStringLiteral("Data inválida")), qPrintable(error));
  QCOMPARE(count(QStringLiteral("conta_produtor")), before);
}

void TstSchema::pmeSaleInsertAndChange() {
  CALL_OK(QStringLiteral("sp_i_segurospme"), pmeSale(QStringLiteral("PME-1"), 101));
  const int codigo = saleCode(QStringLiteral("PME-1"), 101);
  QVERIFY(codigo > 0);
  QSqlRecord s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("tipo").toString(), QStringLiteral("01"));
  QCOMPARE(s.value("operador").toString(), QStringLiteral("MARIA"));
  QCOMPARE(s.value("data_operacao").toDate(), QDate::currentDate());
  QCOMPARE(s.value("producao").toDate(), QDate(2024, 3, 10));
  QCOMPARE(s.value("efetivacao").toDate(), QDate(2024, 4, 1));
  QVERIFY(s.value("vencto1a").isNull());
  QCOMPARE(s.value("ntitular").toString(), QStringLiteral("2"));
  QCOMPARE(s.value("tipoSPG").toString(), QStringLiteral("1"));
  QCOMPARE(s.value("v18").toInt(), 10);
  QCOMPARE(s.value("v23").toInt(), 3);
  QCOMPARE(s.value("segurado").toInt(), 44);
  QCOMPARE(s.value("produtor").toInt(), 30);
  QCOMPARE(s.value("contratoii").toString(), QStringLiteral("CT-2"));
  QCOMPARE(s.value("acomodacao").toString(), QStringLiteral("A"));
  QCOMPARE(s.value("tipoAdesao").toString(), QStringLiteral("O"));
  QCOMPARE(s.value("com3").toDouble(), 30.0);
  QCOMPARE(s.value("com6").toDouble(), 5.0);
  QCOMPARE(s.value("pagarvital").toInt(), 1);

  // The change screen sends its dates as year/month/day literals and leaves the percentages alone.
  CALL_OK(QStringLiteral("sp_a_segurospme"), {codigo,
                                              8,
                                              QStringLiteral("PME-1B"),
                                              QStringLiteral("CT-1B"),
                                              101,
                                              13,
                                              6,
                                              QStringLiteral("1"),
                                              QStringLiteral("3"),
                                              20,
                                              0,
                                              1800.0,
                                              QStringLiteral("2024/03/11"),
                                              QStringLiteral("2024/05/01"),
                                              QStringLiteral("2024/05/10"),
                                              1800.0,
                                              QStringLiteral("0000/00/00"),
                                              1750.0,
                                              1,
                                              31,
                                              75,
                                              QStringLiteral("CT-2B"),
                                              QStringLiteral("E"),
                                              0,
                                              QStringLiteral("C"),
                                              2,
                                              0});
  s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("proposta").toString(), QStringLiteral("PME-1B"));
  QCOMPARE(s.value("contrato").toString(), QStringLiteral("CT-1B"));
  QCOMPARE(s.value("produto").toInt(), 8);
  QCOMPARE(s.value("status_prop").toInt(), 6);
  QCOMPARE(s.value("tipoSPG").toString(), QStringLiteral("3"));
  QCOMPARE(s.value("vlrcomissionado").toDouble(), 1800.0);
  QCOMPARE(s.value("producao").toDate(), QDate(2024, 3, 11));
  QCOMPARE(s.value("efetivacao").toDate(), QDate(2024, 5, 1));
  QCOMPARE(s.value("vencto1a").toDate(), QDate(2024, 5, 10));
  QVERIFY(s.value("pgto1a").isNull());
  QCOMPARE(s.value("adm_super").toInt(), 75);
  QCOMPARE(s.value("administradora").toInt(), 2);
  QCOMPARE(s.value("pagarvital").toInt(), 0);
  QCOMPARE(s.value("com1").toDouble(), 50.0);
  QCOMPARE(s.value("tipo").toString(), QStringLiteral("01"));

  CALL_OK(QStringLiteral("sp_a_seguroscom"), {codigo, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0});
  s = row(QStringLiteral("SELECT com1, com2, com3, com4, com5, com6 FROM seguros WHERE codigo = ?"), {codigo});
  for (int i = 0; i < 6; ++i) QCOMPARE(s.value(i).toDouble(), i + 1.0);
}

void TstSchema::individualSaleInsertAndChange() {
  CALL_OK(QStringLiteral("sp_i_seguros"), individualSale(QStringLiteral("IND-1"), 102));
  const int codigo = saleCode(QStringLiteral("IND-1"), 102);
  QVERIFY(codigo > 0);
  QSqlRecord s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("tipo").toString(), QStringLiteral("05"));
  QVERIFY(s.value("efetivacao").isNull());
  QCOMPARE(s.value("desccom").toDouble(), 12.5);
  QCOMPARE(s.value("com1").toDouble(), 100.0);
  QCOMPARE(s.value("vidas").toInt(), 2);
  QCOMPARE(s.value("administradora").toInt(), 3);
  QCOMPARE(s.value("contrato").toString(), QStringLiteral("CT-9"));

  CALL_OK(QStringLiteral("sp_a_seguros"),
          {codigo, 9, QStringLiteral("IND-1B"), 102, 14, 4, 350.0, QStringLiteral("2024/03/12"),
           QStringLiteral("2024/06/01"), 32, 3, 21, QStringLiteral("CT-9B"), 80.0, 0});
  s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("proposta").toString(), QStringLiteral("IND-1B"));
  QCOMPARE(s.value("vendedor").toInt(), 14);
  QCOMPARE(s.value("efetivacao").toDate(), QDate(2024, 6, 1));
  QCOMPARE(s.value("vidas").toInt(), 3);
  QCOMPARE(s.value("com1").toDouble(), 80.0);
  QCOMPARE(s.value("administradora").toInt(), 0);
  // line of business, the other percentages and the deduction are not the change's to touch
  QCOMPARE(s.value("tipo").toString(), QStringLiteral("05"));
  QCOMPARE(s.value("com2").toDouble(), 10.0);
  QCOMPARE(s.value("desccom").toDouble(), 12.5);
}

void TstSchema::autoSaleInsertAndChange() {
  CALL_OK(QStringLiteral("sp_i_segurosAuto"), autoSale(QStringLiteral("AUT-1"), 103));
  const int codigo = saleCode(QStringLiteral("AUT-1"), 103);
  QVERIFY(codigo > 0);
  QSqlRecord s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("tipo").toString(), QStringLiteral("03"));
  QCOMPARE(s.value("veiculo").toString(), QStringLiteral("GOL 1.0"));
  QCOMPARE(s.value("comA").toDouble(), 15.0);
  QCOMPARE(s.value("parcA").toInt(), 4);
  QCOMPARE(s.value("vencto1a").toDate(), QDate(2024, 4, 10));
  QCOMPARE(s.value("formapgtoA").toString(), QStringLiteral("1"));
  QCOMPARE(s.value("Autosn").toString(), QStringLiteral("S"));
  QCOMPARE(s.value("redeA").toString(), QStringLiteral("S"));

  QSqlQuery setBranch;
  QVERIFY(setBranch.exec(QStringLiteral("UPDATE seguros SET empresa = 1 WHERE codigo = %1").arg(codigo)));
  // The screen sends no branch; the policy number is read back as apolice and as contrato.
  CALL_OK(QStringLiteral("sp_a_segurosauto"), {codigo,
                                               QStringLiteral("GOL 1.6"),
                                               103,
                                               15,
                                               16.0,
                                               2.0,
                                               5,
                                               2100.0,
                                               QStringLiteral("2"),
                                               QStringLiteral("AUT-1"),
                                               QStringLiteral("2024/03/10"),
                                               420.0,
                                               QStringLiteral("2024/04/10"),
                                               QStringLiteral("2024/04/12"),
                                               6,
                                               QStringLiteral("2024/04/01"),
                                               QStringLiteral("AP-77"),
                                               QStringLiteral("N"),
                                               QStringLiteral("S"),
                                               QStringLiteral("N"),
                                               QStringLiteral("N"),
                                               QStringLiteral("E1"),
                                               2,
                                               3,
                                               QStringLiteral("N"),
                                               QStringLiteral("S"),
                                               QVariant(),
                                               QStringLiteral("2024/09/01"),
                                               120.0,
                                               47});
  s = row(QStringLiteral("SELECT * FROM seguros WHERE codigo = ?"), {codigo});
  QCOMPARE(s.value("apolice").toString(), QStringLiteral("AP-77"));
  QCOMPARE(s.value("contrato").toString(), QStringLiteral("AP-77"));
  QCOMPARE(s.value("empresa").toInt(), 1);
  QCOMPARE(s.value("veiculo").toString(), QStringLiteral("GOL 1.6"));
  QCOMPARE(s.value("pgto1a").toDate(), QDate(2024, 4, 12));
  QCOMPARE(s.value("dtcancel").toDate(), QDate(2024, 9, 1));
  QCOMPARE(s.value("vlrestorno").toDouble(), 120.0);
  QCOMPARE(s.value("segurado").toInt(), 47);
  QCOMPARE(s.value("Autorn").toString(), QStringLiteral("S"));
  QCOMPARE(s.value("canalV").toInt(), 2);
  QCOMPARE(s.value("mercadoA").toString(), QStringLiteral("S"));
}

void TstSchema::newSaleWithStoredProposalIsRefused_data() {
  QTest::addColumn<QString>("procedure");
  QTest::newRow("PME") << QStringLiteral("sp_i_segurospme");
  QTest::newRow("Individual/Adesão") << QStringLiteral("sp_i_seguros");
  QTest::newRow("Auto/RE") << QStringLiteral("sp_i_segurosAuto");
}

void TstSchema::newSaleWithStoredProposalIsRefused() {
  QFETCH(QString, procedure);
  const QString proposta = QStringLiteral("DUP-") + procedure.right(4);
  CALL_OK(procedure, newSale(procedure, proposta, 201));
  QString error;
  QVERIFY(!call(procedure, newSale(procedure, proposta, 201), &error));
  QVERIFY2(error.contains(QStringLiteral("Proposta já cadastrada")), qPrintable(error));
  QCOMPARE(count(QStringLiteral("seguros WHERE proposta = ? AND seguradora = 201"), {proposta}), 1);
  // The same number at another insurer is another sale.
  CALL_OK(procedure, newSale(procedure, proposta, 202));
  QCOMPARE(count(QStringLiteral("seguros WHERE proposta = ?"), {proposta}), 2);
}

void TstSchema::changeCannotMoveSaleOntoAnotherProposal() {
  CALL_OK(QStringLiteral("sp_i_seguros"), individualSale(QStringLiteral("MOV-A"), 301));
  CALL_OK(QStringLiteral("sp_i_seguros"), individualSale(QStringLiteral("MOV-B"), 301));
  const int b = saleCode(QStringLiteral("MOV-B"), 301);
  const QVariantList moveBOntoA{b,
                                7,
                                QStringLiteral("MOV-A"),
                                301,
                                12,
                                5,
                                300.0,
                                QStringLiteral("2024/03/10"),
                                QStringLiteral("0000/00/00"),
                                30,
                                2,
                                0,
                                QString(),
                                10.0,
                                0};
  QString error;
  QVERIFY(!call(QStringLiteral("sp_a_seguros"), moveBOntoA, &error));
  QVERIFY2(error.contains(QStringLiteral("Proposta já cadastrada")), qPrintable(error));
  QCOMPARE(value(QStringLiteral("SELECT proposta FROM seguros WHERE codigo = ?"), {b}).toString(),
           QStringLiteral("MOV-B"));

  // A pair that older data already repeats can still be changed in its other columns.
  QSqlQuery legacy;
  QVERIFY(
      legacy.exec(QStringLiteral("INSERT INTO seguros (produto, proposta, seguradora, vendedor, producao) "
                                 "VALUES (7, 'MOV-A', 301, 12, '2020-01-01')")));
  const int old = lastInsertId();
  QVariantList keepPair = moveBOntoA;
  keepPair[0] = old;
  keepPair[13] = 33.0;  // s_com1
  CALL_OK(QStringLiteral("sp_a_seguros"), keepPair);
  QCOMPARE(value(QStringLiteral("SELECT com1 FROM seguros WHERE codigo = ?"), {old}).toDouble(), 33.0);
}

void TstSchema::partyInsertOfRegisteredNumberKeepsOneRow_data() {
  QTest::addColumn<QString>("procedure");
  QTest::addColumn<QString>("cnpjCpf");
  QTest::newRow("PME company") << QStringLiteral("sp_i_segurados") << QStringLiteral("11222333000181");
  QTest::newRow("individual insured") << QStringLiteral("sp_i_seguradosind") << QStringLiteral("11111111111");
  QTest::newRow("Auto insured") << QStringLiteral("sp_i_seguradosauto") << QStringLiteral("22222222222");
  QTest::newRow("holder") << QStringLiteral("sp_i_titulares") << QStringLiteral("33333333333");
  QTest::newRow("dependent with CPF") << QStringLiteral("sp_i_terceiros") << QStringLiteral("44444444444");
}

void TstSchema::partyInsertOfRegisteredNumberKeepsOneRow() {
  QFETCH(QString, procedure);
  QFETCH(QString, cnpjCpf);
  CALL_OK(procedure, newParty(procedure, cnpjCpf, QStringLiteral("PRIMEIRO NOME")));
  const int codigo = value(QStringLiteral("SELECT codigo FROM seguros_clientes WHERE cnpj_cpf = ?"), {cnpjCpf}).toInt();
  CALL_OK(procedure, newParty(procedure, cnpjCpf, QStringLiteral("NOME CORRIGIDO")));
  QCOMPARE(count(QStringLiteral("seguros_clientes WHERE cnpj_cpf = ?"), {cnpjCpf}), 1);
  const QSqlRecord r = row(QStringLiteral("SELECT codigo, nome FROM seguros_clientes WHERE cnpj_cpf = ?"), {cnpjCpf});
  QCOMPARE(r.value(0).toInt(), codigo);
  QCOMPARE(r.value(1).toString(), QStringLiteral("NOME CORRIGIDO"));
}

void TstSchema::dependentWithoutCpfIsFoundByNameAndMother() {
  QVariantList dependent = newParty(QStringLiteral("sp_i_terceiros"), QString(), QStringLiteral("JOAO SEM CPF"));
  CALL_OK(QStringLiteral("sp_i_terceiros"), dependent);
  dependent[8] = QStringLiteral("NETO");  // s_parentesco
  CALL_OK(QStringLiteral("sp_i_terceiros"), dependent);
  QCOMPARE(count(QStringLiteral("seguros_clientes WHERE nome = 'JOAO SEM CPF'")), 1);
  QCOMPARE(value(QStringLiteral("SELECT parentesco FROM seguros_clientes WHERE nome = 'JOAO SEM CPF'")).toString(),
           QStringLiteral("NETO"));

  dependent[5] = QStringLiteral("BEATRIZ");  // another mother: another person
  CALL_OK(QStringLiteral("sp_i_terceiros"), dependent);
  QCOMPARE(count(QStringLiteral("seguros_clientes WHERE nome = 'JOAO SEM CPF'")), 2);
}

void TstSchema::partyChangeByNumber_data() {
  QTest::addColumn<QString>("procedure");
  QTest::addColumn<QString>("cnpjCpf");
  QTest::newRow("PME company") << QStringLiteral("sp_a_segurados") << QStringLiteral("55666777000199");
  QTest::newRow("individual insured") << QStringLiteral("sp_a_seguradosind") << QStringLiteral("55555555555");
  QTest::newRow("Auto insured") << QStringLiteral("sp_a_seguradosauto") << QStringLiteral("66666666666");
}

void TstSchema::partyChangeByNumber() {
  QFETCH(QString, procedure);
  QFETCH(QString, cnpjCpf);
  const QString insert = QString(procedure).replace(QLatin1String("sp_a_"), QLatin1String("sp_i_"));
  CALL_OK(insert, newParty(insert, cnpjCpf, QStringLiteral("ANTES")));
  CALL_OK(insert, newParty(insert, QStringLiteral("77777777777"), QStringLiteral("OUTRO")));

  QVariantList change = partyChange(procedure, cnpjCpf, QStringLiteral("DEPOIS"));
  if (procedure != QLatin1String("sp_a_segurados")) change[2] = QStringLiteral("0000/00/00");  // s_dtnasc literal
  CALL_OK(procedure, change);
  QCOMPARE(value(QStringLiteral("SELECT nome FROM seguros_clientes WHERE cnpj_cpf = ?"), {cnpjCpf}).toString(),
           QStringLiteral("DEPOIS"));
  if (procedure != QLatin1String("sp_a_segurados"))
    QVERIFY(value(QStringLiteral("SELECT dtnasc FROM seguros_clientes WHERE cnpj_cpf = ?"), {cnpjCpf}).isNull());
  QCOMPARE(value(QStringLiteral("SELECT nome FROM seguros_clientes WHERE cnpj_cpf = '77777777777'")).toString(),
           QStringLiteral("OUTRO"));
}

void TstSchema::partyChangeWithoutNumberIsRefused_data() {
  QTest::addColumn<QString>("procedure");
  QTest::newRow("PME company") << QStringLiteral("sp_a_segurados");
  QTest::newRow("individual insured") << QStringLiteral("sp_a_seguradosind");
  QTest::newRow("Auto insured") << QStringLiteral("sp_a_seguradosauto");
}

void TstSchema::partyChangeWithoutNumberIsRefused() {
  QFETCH(QString, procedure);
  // A dependent registered without CPF must not be rewritten by a change that lacks the number.
  CALL_OK(QStringLiteral("sp_i_terceiros"),
          newParty(QStringLiteral("sp_i_terceiros"), QString(), QStringLiteral("SEM NUMERO")));
  QString error;
  QVERIFY(!call(procedure, partyChange(procedure, QString(), QStringLiteral("SOBRESCRITO")), &error));
  QVERIFY2(error.contains(QStringLiteral("CNPJ/CPF")), qPrintable(error));
  QCOMPARE(count(QStringLiteral("seguros_clientes WHERE nome = 'SOBRESCRITO'")), 0);
}

void TstSchema::holderAndDependentChangeByCode() {
  CALL_OK(QStringLiteral("sp_i_titulares"),
          newParty(QStringLiteral("sp_i_titulares"), QStringLiteral("88888888888"), QStringLiteral("TITULAR")));
  const int holder =
      value(QStringLiteral("SELECT codigo FROM seguros_clientes WHERE cnpj_cpf = '88888888888'")).toInt();
  QCOMPARE(value(QStringLiteral("SELECT matricula FROM seguros_clientes WHERE codigo = ?"), {holder}).toInt(), 0);

  QVariantList change =
      newParty(QStringLiteral("sp_i_titulares"), QStringLiteral("88888888889"), QStringLiteral("TITULAR ALTERADO"));
  change.removeLast();  // no employee number on a change
  change.prepend(holder);
  change[10] = QStringLiteral("1975/06/08");  // s_dtnasc
  change[13] = QStringLiteral("0000/00/00");  // s_emissaorg
  CALL_OK(QStringLiteral("sp_a_titulares"), change);
  QSqlRecord r = row(QStringLiteral("SELECT * FROM seguros_clientes WHERE codigo = ?"), {holder});
  QCOMPARE(r.value("cnpj_cpf").toString(), QStringLiteral("88888888889"));
  QCOMPARE(r.value("nome").toString(), QStringLiteral("TITULAR ALTERADO"));
  QCOMPARE(r.value("dtnasc").toDate(), QDate(1975, 6, 8));
  QVERIFY(r.value("emissaorg").isNull());
  QCOMPARE(r.value("EstCivil").toString(), QStringLiteral("C"));
  QCOMPARE(r.value("profissao").toInt(), 4);
  QCOMPARE(r.value("altura").toString(), QStringLiteral("1,70"));

  CALL_OK(QStringLiteral("sp_i_terceiros"),
          newParty(QStringLiteral("sp_i_terceiros"), QString(), QStringLiteral("DEPENDENTE")));
  const int dependent = lastInsertId();
  CALL_OK(QStringLiteral("sp_a_terceiros"),
          {dependent, QStringLiteral("99999999999"), QStringLiteral("DEPENDENTE"), QStringLiteral("F"),
           QStringLiteral("2011/03/04"), QStringLiteral("S"), QStringLiteral("ANA"), QStringLiteral("31"),
           QStringLiteral("1,41"), QStringLiteral("FILHA")});
  r = row(QStringLiteral("SELECT * FROM seguros_clientes WHERE codigo = ?"), {dependent});
  QCOMPARE(r.value("cnpj_cpf").toString(), QStringLiteral("99999999999"));
  QCOMPARE(r.value("sexo").toString(), QStringLiteral("F"));
  QCOMPARE(r.value("dtnasc").toDate(), QDate(2011, 3, 4));
  QCOMPARE(r.value("parentesco").toString(), QStringLiteral("FILHA"));
}

void TstSchema::dependentLinkChange() {
  QSqlQuery links;
  QVERIFY(
      links.exec(QStringLiteral("INSERT INTO seguros_idterceiros (seguro, favorecido, terceiro) "
                                "VALUES (900, 10, 20), (900, 10, 21), (901, 10, 20)")));
  CALL_OK(QStringLiteral("sp_a_seguros_idterceiros"), {900, 10, 20, QStringLiteral("S"), QStringLiteral("UNIMED")});
  QSqlRecord r =
      row(QStringLiteral("SELECT carencia, convenio FROM seguros_idterceiros "
                         "WHERE seguro = 900 AND favorecido = 10 AND terceiro = 20"));
  QCOMPARE(r.value(0).toString(), QStringLiteral("S"));
  QCOMPARE(r.value(1).toString(), QStringLiteral("UNIMED"));
  QCOMPARE(count(QStringLiteral("seguros_idterceiros WHERE carencia IS NOT NULL")), 1);

  // "NÃO" on a changed link is stored as "N".
  CALL_OK(QStringLiteral("sp_a_seguros_idterceiros"), {900, 10, 20, QStringLiteral("N"), QString()});
  QCOMPARE(
      value(QStringLiteral("SELECT carencia FROM seguros_idterceiros WHERE seguro = 900 AND terceiro = 20")).toString(),
      QStringLiteral("N"));
}

void TstSchema::ledgerEntryAndCorrections() {
  CALL_OK(QStringLiteral("sp_i_conta_produtor"),
          {501, QDate(2024, 5, 2), 2, 44, 101, 1, 12, 30, 40.0, 250.0, 0.0, 100.0, 0.0, 5.0,
           QStringLiteral("Pgto Com. Parc. 2"), QStringLiteral("CT-1"), QStringLiteral("PME-1"),
           QStringLiteral("extrato maio.xlsx")});
  const int entry = lastInsertId();
  QSqlRecord r = row(QStringLiteral("SELECT * FROM conta_produtor WHERE codigo = ?"), {entry});
  QCOMPARE(r.value("producao").toInt(), 501);
  QCOMPARE(r.value("data").toDate(), QDate(2024, 5, 2));
  QCOMPARE(r.value("parcelas").toInt(), 2);
  QCOMPARE(r.value("corretora").toInt(), 1);
  QCOMPARE(r.value("vendedor").toInt(), 12);
  QCOMPARE(r.value("repasse").toInt(), 30);
  QCOMPARE(r.value("comissao").toDouble(), 40.0);
  QCOMPARE(r.value("premio").toDouble(), 250.0);
  QCOMPARE(r.value("credito").toDouble(), 100.0);
  QCOMPARE(r.value("desconto").toDouble(), 5.0);
  QCOMPARE(r.value("historico").toString(), QStringLiteral("Pgto Com. Parc. 2"));
  QCOMPARE(r.value("docorigem").toString(), QStringLiteral("extrato maio.xlsx"));

  CALL_OK(QStringLiteral("sp_a_conta_produtor_saldo"), {entry, 1234.5});
  CALL_OK(QStringLiteral("sp_a_conta_produtor_com_cred"), {entry, 2.0, 5.0});
  r = row(QStringLiteral("SELECT saldo, comissao, credito, debito, premio FROM conta_produtor WHERE codigo = ?"),
          {entry});
  QCOMPARE(r.value(0).toDouble(), 1234.5);
  QCOMPARE(r.value(1).toDouble(), 2.0);
  QCOMPARE(r.value(2).toDouble(), 5.0);
  QCOMPARE(r.value(3).toDouble(), 0.0);
  QCOMPARE(r.value(4).toDouble(), 250.0);
}

void TstSchema::statementLines() {
  const QString longName = QString(60, QLatin1Char('N'));
  CALL_OK(QStringLiteral("sp_i_retorno"), {QDate(2024, 5, 3), 250.0, 25.0, 0.0, QDate(2024, 5, 10),
                                           QStringLiteral(" 000123 "), 2, longName, QStringLiteral("OK")});
  const int line = lastInsertId();
  QSqlRecord r = row(QStringLiteral("SELECT * FROM retorno WHERE codigo = ?"), {line});
  QCOMPARE(r.value("data_baixa").toDate(), QDate(2024, 5, 3));
  QCOMPARE(r.value("data_pgto").toDate(), QDate(2024, 5, 10));
  QCOMPARE(r.value("valor_base").toDouble(), 250.0);
  QCOMPARE(r.value("valor_doc").toDouble(), 25.0);
  QCOMPARE(r.value("apolice").toString(), QStringLiteral("000123"));
  QCOMPARE(r.value("parcela").toInt(), 2);
  QCOMPARE(r.value("nome").toString(), longName.left(50));
  QCOMPARE(r.value("obs").toString(), QStringLiteral("OK"));

  CALL_OK(QStringLiteral("sp_a_retorno"), {line, QStringLiteral("COM.GERADA")});
  QCOMPARE(value(QStringLiteral("SELECT obs FROM retorno WHERE codigo = ?"), {line}).toString(),
           QStringLiteral("COM.GERADA"));
}

void TstSchema::receivableInsertAndSettlement() {
  // An installment as the statement import inserts it: already settled.
  CALL_OK(QStringLiteral("sp_i_docreceber"),
          {101, QStringLiteral("OU"), QStringLiteral("PME-1"), QDate(2024, 5, 10), QDate(2024, 5, 10), 250.0, 25.0,
           QStringLiteral("000123"), QStringLiteral("BB"), 25.0, QDate(2024, 5, 10), 2, QStringLiteral("extrato.xlsx"),
           601});
  QSqlRecord r = row(QStringLiteral("SELECT * FROM docreceber WHERE cod = ?"), {lastInsertId()});
  QCOMPARE(r.value("tipo").toString(), QStringLiteral("OU"));
  QCOMPARE(r.value("pgto").toDate(), QDate(2024, 5, 10));
  QCOMPARE(r.value("nf").toString(), QStringLiteral("000123"));
  QCOMPARE(r.value("conta").toString(), QStringLiteral("BB"));
  QCOMPARE(r.value("parc").toInt(), 2);
  QCOMPARE(r.value("producao").toInt(), 601);

  // An open one (no payment date, no type), then settled.
  CALL_OK(QStringLiteral("sp_i_docreceber"),
          {101, QString(), QStringLiteral("PME-1"), QDate(2024, 6, 1), QDate(2024, 6, 10), 250.0, 30.0, QString(),
           QVariant(), QVariant(), kBlank, 3, QString(), 601});
  const int open = lastInsertId();
  r = row(QStringLiteral("SELECT tipo, pgto FROM docreceber WHERE cod = ?"), {open});
  QCOMPARE(r.value(0).toString(), QStringLiteral("OU"));
  QVERIFY(r.value(1).isNull());

  CALL_OK(QStringLiteral("sp_a_bxdocreceber"),
          {open, QStringLiteral("BB"), QStringLiteral("2024/06/12"), 28.0, 28.0, QStringLiteral("extrato junho.xlsx")});
  r = row(QStringLiteral("SELECT conta, pgto, valorpago, liquido, docorigem, valor FROM docreceber WHERE cod = ?"),
          {open});
  QCOMPARE(r.value(0).toString(), QStringLiteral("BB"));
  QCOMPARE(r.value(1).toDate(), QDate(2024, 6, 12));
  QCOMPARE(r.value(2).toDouble(), 28.0);
  QCOMPARE(r.value(3).toDouble(), 28.0);
  QCOMPARE(r.value(4).toString(), QStringLiteral("extrato junho.xlsx"));
  QCOMPARE(r.value(5).toDouble(), 250.0);
}

void TstSchema::settlementWithoutDateIsRefused() {
  CALL_OK(QStringLiteral("sp_i_docreceber"),
          {101, QStringLiteral("OU"), QStringLiteral("SEMDATA"), QDate(2024, 6, 1), QDate(2024, 6, 10), 250.0, 30.0,
           QString(), QVariant(), QVariant(), kBlank, 1, QString(), 602});
  const int open = lastInsertId();
  QString error;
  QVERIFY(!call(QStringLiteral("sp_a_bxdocreceber"),
                {open, QStringLiteral("BB"), QStringLiteral("0000/00/00"), 28.0, 28.0, QStringLiteral("x")}, &error));
  QVERIFY(!error.isEmpty());
  const QSqlRecord r = row(QStringLiteral("SELECT pgto, valorpago, liquido FROM docreceber WHERE cod = ?"), {open});
  QVERIFY(r.value(0).isNull());
  QVERIFY(r.value(1).isNull());
  QCOMPARE(r.value(2).toDouble(), 30.0);
}

void TstSchema::receivableDeletes() {
  QSqlQuery docs;
  // Sale 700: installments 1 (settled) and 2 (open twice over); sale 701: installment 1; debtor 0.
  QVERIFY(docs.exec(
      QStringLiteral("INSERT INTO docreceber (cliente, doc, emissao, vencto, valor, parc, producao, pgto) VALUES "
                     "(105, 'P700', '2024-01-01', '2024-01-10', 10, 1, 700, '2024-01-10'), "
                     "(105, 'P700', '2024-01-01', '2024-02-10', 10, 2, 700, NULL), "
                     "(105, 'P700', '2024-01-01', '2024-02-10', 10, 2, 700, '2024-02-10'), "
                     "(105, 'P701', '2024-01-01', '2024-01-10', 10, 1, 701, NULL), "
                     "(0,   'X',    '2024-01-01', '2024-01-10', 10, 1, NULL, NULL), "
                     "(0,   'Y',    '2024-01-01', '2024-01-10', 10, 1, NULL, NULL)")));

  // Replacing installment 2 of sale 700 removes every copy of it, open or settled, and nothing else.
  CALL_OK(QStringLiteral("sp_d_docsreceberprod"), {700, 2});
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 700 AND parc = 2")), 0);
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 700 AND parc = 1")), 1);
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 701")), 1);

  CALL_OK(QStringLiteral("sp_a_docreceberprop"), {700, QStringLiteral("P700-NOVA")});
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 700 AND doc = 'P700-NOVA'")), 1);
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 701 AND doc = 'P701'")), 1);

  const int before = count(QStringLiteral("docreceber"));
  CALL_OK(QStringLiteral("sp_d_docscliente0"), {0});
  QCOMPARE(count(QStringLiteral("docreceber WHERE cliente = 0")), 0);
  QCOMPARE(count(QStringLiteral("docreceber")), before - 2);

  const int one = value(QStringLiteral("SELECT cod FROM docreceber WHERE producao = 701")).toInt();
  CALL_OK(QStringLiteral("sp_d_docsreceber"), {one});
  QCOMPARE(count(QStringLiteral("docreceber WHERE cod = ?"), {one}), 0);
  QCOMPARE(count(QStringLiteral("docreceber")), before - 3);
}

void TstSchema::auditRow() {
  const QString longUser = QStringLiteral("OPERADOR COM NOME BEM COMPRIDO");  // 30 characters, trail keeps 20
  const QString longText = QString(90, QLatin1Char('H'));
  CALL_OK(QStringLiteral("sp_i_rastro"),
          {QDate(2024, 7, 1), QStringLiteral("09:15:30"), longUser, QStringLiteral("DOC. RECEBER"), QStringLiteral("E"),
           longText, 105, 28.5, QStringLiteral("motivo")});
  const QSqlRecord r = row(QStringLiteral("SELECT * FROM rastro WHERE rotina = 'DOC. RECEBER'"));
  QCOMPARE(r.value("data").toDate(), QDate(2024, 7, 1));
  QCOMPARE(r.value("hora").toString(), QStringLiteral("09:15:30"));
  QCOMPARE(r.value("operador").toString(), longUser.left(20));
  QCOMPARE(r.value("operacao").toString(), QStringLiteral("E"));
  QCOMPARE(r.value("historico").toString(), longText.left(70));
  QCOMPARE(r.value("favorecido").toInt(), 105);
  QCOMPARE(r.value("valor").toDouble(), 28.5);
  QCOMPARE(r.value("obs").toString(), QStringLiteral("motivo"));
}

void TstSchema::commissionRowOfSameCombinationIsReplaced() {
  const QVariantList first{0, 1, 401, 30, 50.0, 40.0, 30.0, 0.0, 0.0, 0.0, QStringLiteral("01"), 0};
  CALL_OK(QStringLiteral("sp_i_compersonalizado"), first);
  QVariantList again = first;
  again[4] = 55.0;  // s_com1
  CALL_OK(QStringLiteral("sp_i_compersonalizado"), again);
  QCOMPARE(count(QStringLiteral("com_prod_filial WHERE seguradora = 401")), 1);
  QCOMPARE(value(QStringLiteral("SELECT com1 FROM com_prod_filial WHERE seguradora = 401")).toDouble(), 55.0);
  QCOMPARE(value(QStringLiteral("SELECT com2 FROM com_prod_filial WHERE seguradora = 401")).toDouble(), 40.0);

  QVariantList otherAdministrator = first;
  otherAdministrator[10] = QStringLiteral("05");
  otherAdministrator[11] = 7;
  CALL_OK(QStringLiteral("sp_i_compersonalizado"), otherAdministrator);
  QCOMPARE(count(QStringLiteral("com_prod_filial WHERE seguradora = 401")), 2);
}

void TstSchema::proceduresJoinTheCallersTransaction() {
  QSqlDatabase db = QSqlDatabase::database();
  CALL_OK(QStringLiteral("sp_i_docreceber"),
          {101, QStringLiteral("OU"), QStringLiteral("T-801"), QDate::currentDate(), QDate::currentDate(), 100.0, 10.0,
           QString(), QVariant(), QVariant(), kBlank, 1, QString(), 801});
  const int ledger = count(QStringLiteral("conta_produtor"));

  // A settlement command: credit, replace the installment by a settled one; then it fails.
  QVERIFY(db.transaction());
  CALL_OK(QStringLiteral("sp_i_conta_produtor"),
          {801, QDate::currentDate(), 1, 0, 101, 1, 12, 30, 10.0, 100.0, 0.0, 10.0, 0.0, 0.0,
           QStringLiteral("Pgto Com. Parc. 1"), QString(), QString(), QString()});
  CALL_OK(QStringLiteral("sp_d_docsreceberprod"), {801, 1});
  CALL_OK(QStringLiteral("sp_i_docreceber"),
          {101, QStringLiteral("OU"), QStringLiteral("T-801"), QDate::currentDate(), QDate::currentDate(), 100.0, 10.0,
           QString(), QStringLiteral("BB"), 10.0, QDate::currentDate(), 1, QString(), 801});
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 801 AND pgto IS NOT NULL")), 1);
  QVERIFY(db.rollback());

  QCOMPARE(count(QStringLiteral("conta_produtor")), ledger);
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 801")), 1);
  QCOMPARE(count(QStringLiteral("docreceber WHERE producao = 801 AND pgto IS NULL")), 1);
}

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
