#include <QtTest>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStatusBar>
#include <QTableView>

#include "app/audit.h"
#include "app/corescreens.h"
#include "app/frmrastro.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/dataset.h"
#include "app/record/recordgrid.h"
#include "app/screens.h"
#include "app/session.h"
#include "common/report/render.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

class TestAudit : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();

  void writesTheRowInsideTheCallersTransaction();
  void deletionLeavesItsRowWrittenBeforeTheRowGoes();
  void reportsTheServerMessageWhenItCannotWrite();

  void filters_data();
  void filters();
  void filterDoesNothingWithABlankDate();
  void unreadableAmountIsReportedAndNothingIsFiltered();
  void databaseErrorIsShownAndTheScreenStaysUsable();
  void datesFillTodayAndAreCheckedOnLeaving();
  void screenIsRegisteredWithItsColumnsAndLegend();

  void reportHasOneGroupPerOperatorAndDate();
  void reportWithoutAFilterPrintsNoRows();
};

namespace {

struct Row {
  QString data, hora, operador, rotina, operacao, historico;
  int favorecido;
  double valor;
  QString obs;
};

// The trail the filters run over. One row lies outside May and one amount carries floating-point noise.
const QList<Row> kRows = {
    {"2024-05-02", "08:00:00", "ANA", "CLIENTE", "I", "JOSE DA SILVA", 10, 0, ""},
    {"2024-05-02", "09:00:00", "ANA", "DOC. RECEBER", "B", "PROPOSTA 123 PARC 1", 20, 1234.5, "BANCO ITAU"},
    {"2024-05-03", "10:00:00", "BETO", "DOC. RECEBER", "A", "PROPOSTA 124 PARC 2", 20, 1234.55, ""},
    {"2024-05-03", "11:00:00", "BETO", "Retorno", "C", "D'AVILA SEGUROS", 30, 0.1 + 0.2, "O'HARA"},
    {"2024-05-10", "12:00:00", "ANA", "DOC. PAGAR", "E", "ALUGUEL 50% MAIO", 0, 1234.5, "CHEQUE 100"},
    {"2024-05-31", "13:00:00", "ANA", "REL FLUXO CAIXA", "R", "ROTINA A SER ENVIADA", 0, 0, ""},
    {"2024-04-30", "14:00:00", "ANA", "CLIENTE", "I", "FORA DO PERIODO", 10, 1234.5, "CHEQUE 100"},
};

bool insertRows(QString *error) {
  QSqlQuery q;
  if (!q.exec("DELETE FROM rastro")) return *error = q.lastError().text(), false;
  q.prepare("INSERT INTO rastro (data, hora, operador, rotina, operacao, historico, favorecido, valor, obs) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const Row &r : kRows) {
    const QVariantList values{QDate::fromString(r.data, Qt::ISODate), r.hora, r.operador, r.rotina, r.operacao,
                              r.historico, r.favorecido, r.valor, r.obs};
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values.at(i));
    if (!q.exec()) return *error = q.lastError().text(), false;
  }
  return true;
}

template <class T>
T *child(QWidget *screen, const char *name) {
  T *w = screen->findChild<T *>(QString::fromLatin1(name));
  if (!w) qFatal("control %s not found", name);
  return w;
}

// Types a text key by key, accented letters included (QTest::keyClicks takes ASCII only).
void type(QWidget *widget, const QString &text) {
  for (const QChar ch : text) {
    const Qt::Key key = ch.unicode() < 128 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, widget, key, QString(ch), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, QString(ch), Qt::NoModifier);
  }
}

QStringList histories(const Dataset *rows) {
  QStringList list;
  for (int r = 0; r < rows->rowCount(); ++r) list << rows->record(r).value("historico").toString();
  return list;
}

QStringList allTexts(const Report::Document &doc) {
  QStringList texts;
  for (int p = 0; p < doc.pageCount(); ++p) texts << doc.pageTexts(p);
  return texts;
}

}  // namespace

void TestAudit::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  registerCoreScreens();
}

void TestAudit::init() { Session::instance().login(QStringLiteral("MARIA")); }

void TestAudit::writesTheRowInsideTheCallersTransaction() {
  QSqlDatabase db = QSqlDatabase::database();
  QSqlQuery(db).exec("DELETE FROM rastro");
  const QString longHistory = QString(80, u'H');
  const QString longObs = QString(75, u'O');
  const AuditEntry change{u'A', QStringLiteral("CONTAS CORRENTE X"), longHistory, 12, 1234.5, longObs};

  // rolled back with the caller's write: the routine neither commits nor opens a transaction
  QVERIFY(db.transaction());
  QString error;
  QVERIFY2(Audit::write(change, &error, db), qPrintable(error));
  QCOMPARE(rows("SELECT COUNT(*) FROM rastro"), 1);
  QVERIFY(db.rollback());
  QCOMPARE(rows("SELECT COUNT(*) FROM rastro"), 0);

  // committed with it: one prepared call serves several rows; long texts are cut to their columns
  Session::instance().login(QString(25, u'U'));
  AuditWriter writer(db);
  QVERIFY(db.transaction());
  QVERIFY2(writer.write(change, &error), qPrintable(error));
  QVERIFY2(writer.write({u'I', QStringLiteral("CLIENTE"), QStringLiteral("JOSÉ D'ÁVILA")}, &error), qPrintable(error));
  QVERIFY(db.commit());

  QSqlQuery q(db);
  QVERIFY(q.exec("SELECT data, hora, operador, rotina, operacao, historico, favorecido, valor, obs, obs IS NULL "
                 "FROM rastro ORDER BY operacao"));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toDate(), QDate::currentDate());
  const QTime hora = QTime::fromString(q.value(1).toString(), QStringLiteral("hh:mm:ss"));
  QVERIFY2(hora.isValid(), qPrintable(q.value(1).toString()));
  QVERIFY(qAbs(hora.secsTo(QTime::currentTime())) < 60);
  QCOMPARE(q.value(2).toString(), QString(20, u'U'));
  QCOMPARE(q.value(3).toString(), QStringLiteral("CONTAS CORRENTE"));
  QCOMPARE(q.value(4).toString(), QStringLiteral("A"));
  QCOMPARE(q.value(5).toString(), QString(70, u'H'));
  QCOMPARE(q.value(6).toInt(), 12);
  QCOMPARE(q.value(7).toDouble(), 1234.5);
  QCOMPARE(q.value(8).toString(), QString(70, u'O'));
  QVERIFY(q.next());
  QCOMPARE(q.value(4).toString(), QStringLiteral("I"));
  QCOMPARE(q.value(5).toString(), QStringLiteral("JOSÉ D'ÁVILA"));
  QCOMPARE(q.value(6).toInt(), 0);
  QCOMPARE(q.value(7).toDouble(), 0.0);
  QCOMPARE(q.value(9).toBool(), false);  // an empty remark is stored empty, not as no value
}

void TestAudit::deletionLeavesItsRowWrittenBeforeTheRowGoes() {
  QSqlDatabase db = QSqlDatabase::database();
  QSqlQuery q(db);
  QVERIFY(q.exec("DELETE FROM rastro"));
  QVERIFY(q.exec("INSERT INTO usuarios (nome, senha) VALUES ('JOAO', 'X')"));
  const int codigo = q.lastInsertId().toInt();

  // a deletion as the screens run it: the "E" row first, naming the record while it still exists
  QVERIFY(db.transaction());
  QVERIFY(q.prepare("SELECT nome FROM usuarios WHERE codigo = ?"));
  q.bindValue(0, codigo);
  QVERIFY(q.exec() && q.next());
  QString error;
  QVERIFY2(Audit::write({u'E', QStringLiteral("USUARIOS"), q.value(0).toString()}, &error, db), qPrintable(error));
  QCOMPARE(rows("SELECT COUNT(*) FROM usuarios WHERE codigo = ?", {codigo}), 1);
  QVERIFY(q.prepare("DELETE FROM usuarios WHERE codigo = ?"));
  q.bindValue(0, codigo);
  QVERIFY(q.exec());
  QVERIFY(db.commit());

  QCOMPARE(rows("SELECT COUNT(*) FROM usuarios WHERE codigo = ?", {codigo}), 0);
  QCOMPARE(rows("SELECT COUNT(*) FROM rastro WHERE operacao = 'E' AND rotina = 'USUARIOS' AND historico = 'JOAO' "
                 "AND operador = 'MARIA'"),
           1);
}

void TestAudit::reportsTheServerMessageWhenItCannotWrite() {
  QSqlDatabase db = QSqlDatabase::database();
  QSqlQuery(db).exec("DELETE FROM rastro");
  // the trail out of reach: the call fails and says why in the server's words
  QString error;
  QVERIFY(QSqlQuery(db).exec("RENAME TABLE rastro TO rastro_off"));
  const bool ok = Audit::write({u'I', QStringLiteral("CLIENTE"), QStringLiteral("X")}, &error, db);
  QVERIFY(QSqlQuery(db).exec("RENAME TABLE rastro_off TO rastro"));
  QVERIFY(!ok);
  QVERIFY2(error.contains(QStringLiteral("rastro")), qPrintable(error));
  QCOMPARE(rows("SELECT COUNT(*) FROM rastro"), 0);
}

void TestAudit::filters_data() {
  QTest::addColumn<QString>("inicial");
  QTest::addColumn<QString>("final");
  QTest::addColumn<QString>("operador");
  QTest::addColumn<QString>("operacao");
  QTest::addColumn<QString>("rotina");
  QTest::addColumn<QString>("historico");
  QTest::addColumn<QString>("valor");
  QTest::addColumn<QString>("obs");
  QTest::addColumn<QStringList>("expected");  // histories, in the grid's order

  const QString may1 = "01/05/2024", may31 = "31/05/2024";
  QTest::newRow("period only, ordered by date and operator")
      << may1 << may31 << "" << "" << "" << "" << "" << ""
      << QStringList{"JOSE DA SILVA", "PROPOSTA 123 PARC 1", "PROPOSTA 124 PARC 2", "D'AVILA SEGUROS",
                     "ALUGUEL 50% MAIO", "ROTINA A SER ENVIADA"};
  QTest::newRow("period ends are included")
      << "02/05/2024" << "03/05/2024" << "" << "" << "" << "" << "" << ""
      << QStringList{"JOSE DA SILVA", "PROPOSTA 123 PARC 1", "PROPOSTA 124 PARC 2", "D'AVILA SEGUROS"};
  QTest::newRow("operator, typed in lower case")
      << may1 << may31 << "beto" << "" << "" << "" << "" << ""
      << QStringList{"PROPOSTA 124 PARC 2", "D'AVILA SEGUROS"};
  QTest::newRow("operation BAIXA is B") << may1 << may31 << "" << "BAIXA" << "" << "" << "" << ""
                                        << QStringList{"PROPOSTA 123 PARC 1"};
  QTest::newRow("operation EXCLUSÃO is E") << may1 << may31 << "" << "exclusão" << "" << "" << "" << ""
                                            << QStringList{"ALUGUEL 50% MAIO"};
  QTest::newRow("routine compares the whole name")
      << may1 << may31 << "" << "" << "DOC. RECEBER" << "" << "" << ""
      << QStringList{"PROPOSTA 123 PARC 1", "PROPOSTA 124 PARC 2"};
  QTest::newRow("routine stored in mixed case") << may1 << may31 << "" << "" << "retorno" << "" << "" << ""
                                                << QStringList{"D'AVILA SEGUROS"};
  QTest::newRow("history contains, anywhere")
      << may1 << may31 << "" << "" << "" << "PARC" << "" << ""
      << QStringList{"PROPOSTA 123 PARC 1", "PROPOSTA 124 PARC 2"};
  QTest::newRow("history contains, at the end") << may1 << may31 << "" << "" << "" << "parc 2" << "" << ""
                                                << QStringList{"PROPOSTA 124 PARC 2"};
  QTest::newRow("a percent sign is just a character") << may1 << may31 << "" << "" << "" << "%" << "" << ""
                                                      << QStringList{"ALUGUEL 50% MAIO"};
  QTest::newRow("a quote in the history is just a character")
      << may1 << may31 << "" << "" << "" << "D'AVILA" << "" << "" << QStringList{"D'AVILA SEGUROS"};
  QTest::newRow("a quote in the operator finds nobody")
      << may1 << may31 << "O'BRIEN" << "" << "" << "" << "" << "" << QStringList{};
  QTest::newRow("remark contains") << may1 << may31 << "" << "" << "" << "" << "" << "cheque"
                                   << QStringList{"ALUGUEL 50% MAIO"};
  QTest::newRow("a quote in the remark") << may1 << may31 << "" << "" << "" << "" << "" << "O'HA"
                                         << QStringList{"D'AVILA SEGUROS"};
  QTest::newRow("amount with thousands point and decimal comma")
      << may1 << may31 << "" << "" << "" << "" << "1.234,50" << ""
      << QStringList{"PROPOSTA 123 PARC 1", "ALUGUEL 50% MAIO"};
  QTest::newRow("amount stored with floating-point noise") << may1 << may31 << "" << "" << "" << "" << "0,30" << ""
                                                           << QStringList{"D'AVILA SEGUROS"};
  QTest::newRow("filters combine") << may1 << may31 << "ANA" << "BAIXA" << "DOC. RECEBER" << "PROPOSTA"
                                   << "1.234,50" << "ITAU" << QStringList{"PROPOSTA 123 PARC 1"};
}

void TestAudit::filters() {
  QFETCH(QString, inicial);
  QFETCH(QString, final);
  QFETCH(QString, operador);
  QFETCH(QString, operacao);
  QFETCH(QString, rotina);
  QFETCH(QString, historico);
  QFETCH(QString, valor);
  QFETCH(QString, obs);
  QFETCH(QStringList, expected);

  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  TFrmRastro screen;
  child<QLineEdit>(&screen, "medatainicial")->setText(inicial);
  child<QLineEdit>(&screen, "medatafinal")->setText(final);
  // typed key by key, so the fields' upper case applies as it does for the user
  type(child<QComboBox>(&screen, "cboperador"), operador);
  type(child<QComboBox>(&screen, "cboperacao"), operacao);
  type(child<QLineEdit>(&screen, "edrotina"), rotina);
  type(child<QLineEdit>(&screen, "edhistorico"), historico);
  type(child<QLineEdit>(&screen, "edvalor"), valor);
  type(child<QLineEdit>(&screen, "edobs"), obs);
  child<QPushButton>(&screen, "btfiltrar")->click();

  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join(" | ")));
  QCOMPARE(histories(screen.rastro()), expected);
}

void TestAudit::filterDoesNothingWithABlankDate() {
  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  TFrmRastro screen;
  child<QLineEdit>(&screen, "medatainicial")->setText("01/05/2024");
  child<QLineEdit>(&screen, "medatafinal")->setText("31/05/2024");
  child<QPushButton>(&screen, "btfiltrar")->click();
  QCOMPARE(screen.rastro()->rowCount(), 6);

  child<QLineEdit>(&screen, "medatafinal")->clear();
  type(child<QLineEdit>(&screen, "edhistorico"), "PARC 1");
  child<QPushButton>(&screen, "btfiltrar")->click();
  QCOMPARE(screen.rastro()->rowCount(), 6);
  QVERIFY(messages.calls.isEmpty());
}

void TestAudit::unreadableAmountIsReportedAndNothingIsFiltered() {
  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  TFrmRastro screen;
  child<QLineEdit>(&screen, "medatainicial")->setText("01/05/2024");
  child<QLineEdit>(&screen, "medatafinal")->setText("31/05/2024");
  type(child<QLineEdit>(&screen, "edvalor"), "abc");
  child<QPushButton>(&screen, "btfiltrar")->click();
  QCOMPARE(messages.texts(), QStringList{"'abc' não é um valor numérico válido"});
  QCOMPARE(screen.rastro()->rowCount(), 0);
}

void TestAudit::databaseErrorIsShownAndTheScreenStaysUsable() {
  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  TFrmRastro screen;
  child<QLineEdit>(&screen, "medatainicial")->setText("01/05/2024");
  child<QLineEdit>(&screen, "medatafinal")->setText("31/05/2024");

  QVERIFY(QSqlQuery().exec("RENAME TABLE rastro TO rastro_off"));
  child<QPushButton>(&screen, "btfiltrar")->click();
  QVERIFY(QSqlQuery().exec("RENAME TABLE rastro_off TO rastro"));
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Error);
  QVERIFY2(messages.calls.at(0).text.contains("rastro"), qPrintable(messages.calls.at(0).text));
  QCOMPARE(screen.rastro()->rowCount(), 0);

  child<QPushButton>(&screen, "btfiltrar")->click();
  QCOMPARE(screen.rastro()->rowCount(), 6);
  QCOMPARE(messages.calls.size(), 1);
}

void TestAudit::datesFillTodayAndAreCheckedOnLeaving() {
  ScriptedMessages messages;
  TFrmRastro screen;
  screen.show();
  screen.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&screen));
  auto *inicial = child<QLineEdit>(&screen, "medatainicial");
  auto *final = child<QLineEdit>(&screen, "medatafinal");
  const QString today = QDate::currentDate().toString("dd/MM/yyyy");

  // the screen opens in the initial date, filled with today and selected; the focused field is light yellow
  QCOMPARE(QApplication::focusWidget(), inicial);
  QCOMPARE(inicial->text(), today);
  QCOMPARE(inicial->selectedText(), today);
  QCOMPARE(inicial->palette().color(QPalette::Base), QColor(255, 255, 128));

  // Enter moves on; the final date fills too
  QTest::keyClick(inicial, Qt::Key_Return);
  QCOMPARE(QApplication::focusWidget(), final);
  QCOMPARE(final->text(), today);
  QVERIFY(inicial->palette().color(QPalette::Base) != QColor(255, 255, 128));

  // a final date before the initial one is refused on leaving
  final->setText(QDate::currentDate().addDays(-1).toString("dd/MM/yyyy"));
  QTest::keyClick(final, Qt::Key_Return);
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, QStringLiteral("Data inferior à data inicial de pesquisa!!"));
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Atenção"));
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Warning);
  QCOMPARE(QApplication::focusWidget(), final);

  // an impossible date is refused on leaving, with the error icon
  messages.clear();
  final->setText("31/02/2024");
  QTest::keyClick(final, Qt::Key_Tab);
  QCOMPARE(messages.texts(), QStringList{"Data Inválida!"});
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Error);
  QCOMPARE(QApplication::focusWidget(), final);

  // a good date leaves quietly
  messages.clear();
  final->setText(today);
  QTest::keyClick(final, Qt::Key_Return);
  QVERIFY(messages.calls.isEmpty());
  QCOMPARE(QApplication::focusWidget(), child<QComboBox>(&screen, "cboperador"));
}

void TestAudit::screenIsRegisteredWithItsColumnsAndLegend() {
  QSqlQuery q;
  QVERIFY(q.exec("DELETE FROM usuarios WHERE nome IN ('ZULEIDE', 'BRUNO')"));
  QVERIFY(q.exec("INSERT INTO usuarios (nome, senha) VALUES ('ZULEIDE', 'X'), ('BRUNO', 'X')"));
  ScriptedMessages messages;
  std::unique_ptr<QDialog> screen(Screens::create("TFrmRastro", nullptr));
  QVERIFY(qobject_cast<TFrmRastro *>(screen.get()));

  auto *operators = child<QComboBox>(screen.get(), "cboperador");
  QVERIFY(operators->currentText().isEmpty());
  QVERIFY(operators->findText("BRUNO") >= 0);
  QVERIFY(operators->findText("BRUNO") < operators->findText("ZULEIDE"));

  auto *grid = child<QTableView>(screen.get(), "DBGrid1");
  QStringList titles;
  for (int c = 0; c < grid->model()->columnCount(); ++c) titles << grid->model()->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(titles, (QStringList{"Data", "Hora", "Operador", "Rotina", "Favorecido", "Valor R$", "Op", "Histórico",
                                "Observação"}));

  QStringList legend;
  for (QLabel *l : child<QStatusBar>(screen.get(), "StatusBar1")->findChildren<QLabel *>()) legend << l->text();
  QCOMPARE(legend, (QStringList{"Lengeda:", "A - Alteração", "B - Baixa", "C - Cancelamento", "E - Exclusão",
                                "I - Inclusão", "R - Relatório"}));
}

void TestAudit::reportHasOneGroupPerOperatorAndDate() {
  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  PreviewCapture preview;
  TFrmRastro screen;
  child<QLineEdit>(&screen, "medatainicial")->setText("01/05/2024");
  child<QLineEdit>(&screen, "medatafinal")->setText("31/05/2024");
  child<QPushButton>(&screen, "btfiltrar")->click();

  // the grid shows the party's code and the amount masked
  const QAbstractItemModel *grid = child<QTableView>(&screen, "DBGrid1")->model();
  QCOMPARE(grid->index(1, 0).data().toString(), QStringLiteral("02/05/2024"));
  QCOMPARE(grid->index(1, 4).data().toString(), QStringLiteral("20"));
  QCOMPARE(grid->index(1, 5).data().toString(), QStringLiteral("1.234,50"));
  QCOMPARE(grid->index(0, 5).data().toString(), QStringLiteral("0,00"));

  child<QPushButton>(&screen, "btrelatorio")->click();
  QCOMPARE(preview.docs.size(), 1);
  QVERIFY(messages.calls.isEmpty());
  const QStringList texts = allTexts(preview.docs.at(0));

  QVERIFY(texts.contains("Rastro no Período de 01/05/2024 à 31/05/2024"));
  QVERIFY(texts.contains(QDate::currentDate().toString("dd/MM/yyyy")));
  QVERIFY(texts.contains("Lengeda: A - Alteração   |    B - Baixa   |   C - Cancelamento    |    E - Exclusão   |"
                         "    I - Inclusão   |   R - Relatório"));

  // each group header names its operator and date, in the order of the rows
  QStringList groups;
  for (int i = 0; i + 3 < texts.size(); ++i)
    if (texts.at(i) == "Operador(a):") {
      QCOMPARE(texts.at(i + 2), QStringLiteral("Data:"));
      groups << texts.at(i + 1) + " " + texts.at(i + 3);
    }
  QCOMPARE(groups, (QStringList{"ANA 02/05/2024", "BETO 03/05/2024", "ANA 10/05/2024", "ANA 31/05/2024"}));

  // one line per row: time, routine, operation, history, amount, remark
  const int line = texts.indexOf("09:00:00");
  QVERIFY(line > 0);
  QCOMPARE(texts.mid(line, 6), (QStringList{"09:00:00", "DOC. RECEBER", "B", "PROPOSTA 123 PARC 1", "1.234,50",
                                           "BANCO ITAU"}));
  QVERIFY(!texts.contains("FORA DO PERIODO"));
}

void TestAudit::reportWithoutAFilterPrintsNoRows() {
  QString error;
  QVERIFY2(insertRows(&error), qPrintable(error));
  ScriptedMessages messages;
  PreviewCapture preview;
  TFrmRastro screen;
  child<QPushButton>(&screen, "btrelatorio")->click();
  QCOMPARE(preview.docs.size(), 1);
  const QStringList texts = allTexts(preview.docs.at(0));
  QVERIFY(!texts.contains("Operador(a):"));
  QVERIFY(!texts.contains("JOSE DA SILVA"));
  QVERIFY(messages.calls.isEmpty());
}

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
