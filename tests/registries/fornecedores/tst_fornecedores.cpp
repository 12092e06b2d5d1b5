#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>

#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/combos.h"
#include "app/record/dataset.h"
#include "app/record/maskededit.h"
#include "app/record/recordgrid.h"
#include "app/screens.h"
#include "app/session.h"
#include "common/amountedit.h"
#include "common/report/render.h"
#include "registries/frmcadfornecedores.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

class TestFornecedores : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();

  void rightsGradeTheButtons_data();
  void rightsGradeTheButtons();
  void rightsAreReadAgainOnReturningToBrowse();
  void kindLeadsToItsOwnDocuments_data();
  void kindLeadsToItsOwnDocuments();
  void invalidDocumentKeepsTheFocus_data();
  void invalidDocumentKeepsTheFocus();
  void changedRowKeepsItsStoredDocument_data();
  void changedRowKeepsItsStoredDocument();
  void missingDocumentAsksToGoOn_data();
  void missingDocumentAsksToGoOn();
  void duplicateDocumentCancelsTheNewRecord();
  void sellerNeedsANickname();
  void insertThenChangeWriteTheirColumns();
  void deletionRefusedWhileInUse_data();
  void deletionRefusedWhileInUse();
  void copyIntoClientsOnlyOnce_data();
  void copyIntoClientsOnlyOnce();
  void brokersBecomeSellersOnce();
  void aRefusedBrokerLeavesNoneImported();
  void reportOpensTheListingWithItsTitle();
  void lookupHandsTheChosenRowBack_data();
  void lookupHandsTheChosenRowBack();

  void confidentialPayStaysForUsersWithoutRh();
  void employeeChangeNeedsAPerson();
  void movementsWaitWhileARecordIsEdited();
  void loansKeepARunningBalance();
  void absencesAreRecordedOnLeaving_data();
  void absencesAreRecordedOnLeaving();
  void overtimeIsRecordedOnLeavingTheQuantity();
  void sellersAreAssignedOneAfterAnother();
  void aRefusedAuditRowUndoesItsWrite_data();
  void aRefusedAuditRowUndoesItsWrite();
  void resignationNoticeNamesThePersonAndTheEmployer();
};

namespace {

const QString kProdutores = QStringLiteral("Cadastro de Produtores/Vendedores");

QPushButton *button(QWidget *s, const QString &name) { return child<QPushButton>(s, name); }

// A row of fornecedores from column values; returns its code.
int supplier(const QVariantMap &columns) {
  QStringList names, marks;
  QVariantList values;
  for (auto it = columns.begin(); it != columns.end(); ++it) {
    names << it.key();
    marks << QStringLiteral("?");
    values << it.value();
  }
  QVariant id;
  run(QStringLiteral("insert into fornecedores (%1) values (%2)").arg(names.join(','), marks.join(',')), values, &id);
  return id.toInt();
}

void addUser(const QString &name, const QString &cadastro, const QString &rh) {
  run(QStringLiteral("insert into usuarios (nome, senha, cadastro, tabelas, financeiro, rh) values (?, 'X', ?, '5', '5', ?)"),
       {name, cadastro, rh});
}

std::unique_ptr<TFrmCadFornecedores> openScreen(const QString &caption = kProdutores) {
  auto s = std::make_unique<TFrmCadFornecedores>();
  s->setWindowTitle(caption);
  s->show();
  s->activateWindow();
  if (!QTest::qWaitForWindowActive(s.get())) qWarning("screen not active");
  return s;
}

// Finds the row by its code on the search tab and shows it on "Dados Gerais".
void showRow(TFrmCadFornecedores *s, int codigo) {
  child<QRadioButton>(s, "rbcodigo")->setChecked(true);
  s->searchField()->setText(QString::number(codigo));
  s->edpesquisaExit();
  s->DBGrid1DblClick();
}

QWidget *focused() { return QApplication::focusWidget(); }

void enter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }

// Makes the server refuse the rows of `table` that `when` picks on insert, with `text`; init() drops it.
bool refuseInsert(const QString &table, const QString &when, const QString &text) {
  QSqlQuery q;
  return q.exec(QStringLiteral("create or replace trigger tst_refuse before insert on %1 for each row "
                               "if %2 then signal sqlstate '45000' set message_text = '%3'; end if")
                    .arg(table, when, text));
}

}  // namespace

void TestFornecedores::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  addUser(QStringLiteral("RH"), QStringLiteral("5"), QStringLiteral("5"));
  addUser(QStringLiteral("BALCAO"), QStringLiteral("5"), QStringLiteral("1"));
  for (const QString level : {"0", "1", "2", "3", "4", "5"})
    addUser(QStringLiteral("CAD") + level, level, QStringLiteral("1"));
}

void TestFornecedores::init() {
  QVERIFY(QSqlQuery().exec(QStringLiteral("drop trigger if exists tst_refuse")));
  for (const char *table : {"fornecedores", "clientes", "corretores", "emprestimos", "faltasfunc", "horasextras",
                            "rastro", "seguros", "docpagar"})
    QVERIFY(run(QStringLiteral("delete from %1").arg(QLatin1String(table))));
  Session::instance().login(QStringLiteral("RH"));
}

// ---- the record ----

void TestFornecedores::rightsGradeTheButtons_data() {
  QTest::addColumn<QString>("cadastro");
  QTest::addColumn<bool>("novo");
  QTest::addColumn<bool>("alterar");
  QTest::addColumn<bool>("excluir");
  QTest::addColumn<bool>("firstAndLast");  // of the employee tab
  QTest::newRow("1 looks only") << "1" << false << false << false << false;
  QTest::newRow("2 adds") << "2" << true << false << false << false;
  QTest::newRow("3 adds and changes") << "3" << true << true << false << false;
  QTest::newRow("4 also deletes and reports") << "4" << true << true << true << false;
  QTest::newRow("5 also first and last") << "5" << true << true << true << true;
  QTest::newRow("0 is treated as looking only") << "0" << false << false << false << false;
}

void TestFornecedores::rightsGradeTheButtons() {
  QFETCH(QString, cadastro);
  QFETCH(bool, novo);
  QFETCH(bool, alterar);
  QFETCH(bool, excluir);
  QFETCH(bool, firstAndLast);
  Session::instance().login(QStringLiteral("CAD") + cadastro);
  ScriptedMessages messages;
  auto s = openScreen();

  QCOMPARE(button(s.get(), "btnovo")->isEnabled(), novo);
  QCOMPARE(button(s.get(), "btalterar")->isEnabled(), alterar);
  QCOMPARE(button(s.get(), "btalterar2")->isEnabled(), alterar);
  QCOMPARE(button(s.get(), "btexcluir")->isEnabled(), excluir);
  QCOMPARE(button(s.get(), "btrelatorio")->isEnabled(), excluir);
  QCOMPARE(button(s.get(), "btprimeiro2")->isEnabled(), firstAndLast);
  QCOMPARE(button(s.get(), "btultimo2")->isEnabled(), firstAndLast);
  // whatever the level: previous and next, "Cliente", no "Gravar", and both cancel buttons read "Sair"
  for (const QString name : {"btanterior", "btproximo", "btanterior2", "btproximo2", "btcliente"})
    QVERIFY2(button(s.get(), name)->isEnabled(), qPrintable(name));
  QVERIFY(!button(s.get(), "btgravar")->isEnabled());
  QVERIFY(!button(s.get(), "btgravar2")->isEnabled());
  QCOMPARE(button(s.get(), "btcancelar")->text(), QStringLiteral("Sair"));
  QCOMPARE(button(s.get(), "btcancelar2")->text(), QStringLiteral("Sair"));
  // the general tab has no first and last buttons
  QVERIFY(!s->findChild<QPushButton *>("btprimeiro"));
  QVERIFY(!s->findChild<QPushButton *>("btultimo"));
  QVERIFY(messages.calls.isEmpty());
}

void TestFornecedores::rightsAreReadAgainOnReturningToBrowse() {
  Session::instance().login(QStringLiteral("CAD5"));
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  QVERIFY(run(QStringLiteral("update usuarios set cadastro = '1' where nome = 'CAD5'")));
  s->btcancelarClick();
  QVERIFY(run(QStringLiteral("update usuarios set cadastro = '5' where nome = 'CAD5'")));
  QCOMPARE(s->state(), RecordScreen::State::Browse);
  QVERIFY(!button(s.get(), "btnovo")->isEnabled());
  QVERIFY(!button(s.get(), "btalterar")->isEnabled());
  QVERIFY(s->isVisible());
}

void TestFornecedores::kindLeadsToItsOwnDocuments_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("document");
  QTest::addColumn<QString>("digits");
  QTest::addColumn<QStringList>("after");  // the fields Enter then walks, ending at the name
  QTest::newRow("person") << "F" << "mecpf" << "11144477735" << QStringList{"edrg", "meorgao", "ednome"};
  QTest::newRow("company") << "J" << "mecgc" << "11222333000181" << QStringList{"edie", "edim", "ednome"};
}

void TestFornecedores::kindLeadsToItsOwnDocuments() {
  QFETCH(QString, kind);
  QFETCH(QString, document);
  QFETCH(QString, digits);
  QFETCH(QStringList, after);
  Session::instance().login(QStringLiteral("BALCAO"));  // starts on an empty kind
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  auto *cbtipo = child<CodeCombo>(s.get(), "cbtipo");
  QCOMPARE(focused(), cbtipo);
  QCOMPARE(cbtipo->code(), QString());
  cbtipo->setCode(kind);
  enter(cbtipo);
  auto *doc = child<MaskedEdit>(s.get(), document);
  QCOMPARE(focused(), doc);
  doc->setValue(digits);
  for (const QString &name : after) {
    enter(focused());
    QCOMPARE(focused()->objectName(), name);
  }
  QVERIFY(messages.calls.isEmpty());
}

void TestFornecedores::invalidDocumentKeepsTheFocus_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("bad");
  QTest::addColumn<QString>("good");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("next");
  QTest::newRow("CPF check digit") << "F" << "mecpf" << "11144477730" << "11144477735" << "C.P.F. inválido" << "edrg";
  QTest::newRow("CPF too short") << "F" << "mecpf" << "1114447" << "52998224725" << "C.P.F. inválido" << "edrg";
  QTest::newRow("CNPJ check digit") << "J" << "mecgc" << "11222333000180" << "11222333000181" << "CNPJ inválido" << "edie";
}

void TestFornecedores::invalidDocumentKeepsTheFocus() {
  QFETCH(QString, kind);
  QFETCH(QString, field);
  QFETCH(QString, bad);
  QFETCH(QString, good);
  QFETCH(QString, message);
  QFETCH(QString, next);
  Session::instance().login(QStringLiteral("BALCAO"));
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  child<CodeCombo>(s.get(), "cbtipo")->setCode(kind);
  enter(focused());
  auto *doc = child<MaskedEdit>(s.get(), field);
  QCOMPARE(focused(), doc);

  doc->setValue(bad);
  enter(doc);
  QCOMPARE(messages.texts(), QStringList{message});
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Error);
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Atenção"));
  QCOMPARE(focused(), doc);
  // a button pressed meanwhile does not run
  QTest::mouseClick(button(s.get(), "btgravar"), Qt::LeftButton);
  QCOMPARE(focused(), doc);
  QCOMPARE(rows("select count(*) from fornecedores"), 0);

  messages.clear();
  doc->setValue(good);
  enter(doc);
  QVERIFY(messages.calls.isEmpty());
  QCOMPARE(focused()->objectName(), next);
}

void TestFornecedores::changedRowKeepsItsStoredDocument_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("column");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("next");
  // documents that fail the check digits, as rows brought in from elsewhere may hold them
  QTest::newRow("person's CPF") << "F" << "cpf" << "mecpf" << "11144477730" << "edrg";
  QTest::newRow("company's CNPJ") << "J" << "cnpj" << "mecgc" << "11222333000180" << "edie";
}

void TestFornecedores::changedRowKeepsItsStoredDocument() {
  QFETCH(QString, kind);
  QFETCH(QString, column);
  QFETCH(QString, field);
  QFETCH(QString, stored);
  QFETCH(QString, next);
  const int codigo = supplier({{"tipo", kind}, {column, stored}, {"nome", "ANTIGO"}});
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  s->btalterarClick();
  QCOMPARE(focused()->objectName(), QStringLiteral("cbtipo"));
  enter(focused());
  QCOMPARE(focused()->objectName(), field);
  enter(focused());  // the check digits are not asked of a row being changed
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QCOMPARE(focused()->objectName(), next);
  child<QLineEdit>(s.get(), "edfantasia")->setText(QStringLiteral("NOVA"));
  s->btgravarClick();
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QCOMPARE(s->state(), RecordScreen::State::Browse);
  QCOMPARE(scalar(QStringLiteral("select concat(%1, '|', fantasia) from fornecedores where codigo = ?").arg(column),
                  {codigo}).toString(),
           stored + QStringLiteral("|NOVA"));
}

void TestFornecedores::missingDocumentAsksToGoOn_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("goesOn");
  QTest::newRow("company, No cancels") << "J" << "CNPJ não Informado" << int(QMessageBox::No) << false;
  QTest::newRow("company, Yes goes on") << "J" << "CNPJ não Informado" << int(QMessageBox::Yes) << true;
  QTest::newRow("person, No cancels") << "F" << "CPF não Informado" << int(QMessageBox::No) << false;
}

void TestFornecedores::missingDocumentAsksToGoOn() {
  QFETCH(QString, kind);
  QFETCH(QString, title);
  QFETCH(int, answer);
  QFETCH(bool, goesOn);
  Session::instance().login(QStringLiteral("BALCAO"));
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  child<CodeCombo>(s.get(), "cbtipo")->setCode(kind);
  enter(focused());
  child<QLineEdit>(s.get(), "edfantasia")->setText(QStringLiteral("TYPED"));
  messages.answer(QMessageBox::StandardButton(answer));
  enter(focused());  // leaves the empty document
  QCOMPARE(messages.texts(), QStringList{"Deseja prosseguir?"});
  QCOMPARE(messages.calls.at(0).title, title);
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Question);
  QCOMPARE(messages.calls.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(s->state(), goesOn ? RecordScreen::State::Edit : RecordScreen::State::Browse);
  if (goesOn) {
    QCOMPARE(focused()->objectName(), QStringLiteral("edie"));
  } else {
    // the record is given up: nothing typed stays, nothing is written
    QCOMPARE(child<QLineEdit>(s.get(), "edfantasia")->text(), QString());
    QCOMPARE(rows("select count(*) from fornecedores"), 0);
    QCOMPARE(rows("select count(*) from rastro"), 0);
  }
}

void TestFornecedores::duplicateDocumentCancelsTheNewRecord() {
  supplier({{"tipo", "F"}, {"cpf", "52998224725"}, {"nome", "ANA"}});
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();  // a user with rh "5" starts on a person's CPF
  auto *mecpf = child<MaskedEdit>(s.get(), "mecpf");
  QCOMPARE(child<CodeCombo>(s.get(), "cbtipo")->code(), QStringLiteral("F"));
  QCOMPARE(focused(), mecpf);
  mecpf->setValue(QStringLiteral("52998224725"));
  enter(mecpf);
  QCOMPARE(messages.texts(), QStringList{"Registro já cadastrado!"});
  QCOMPARE(s->state(), RecordScreen::State::Browse);
  QCOMPARE(rows("select count(*) from fornecedores"), 1);
}

void TestFornecedores::sellerNeedsANickname() {
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  child<MaskedEdit>(s.get(), "mecpf")->setValue(QStringLiteral("11144477735"));
  child<QLineEdit>(s.get(), "ednome")->setText(QStringLiteral("JOSE"));
  auto *funcao = child<QLineEdit>(s.get(), "EdFuncao");
  funcao->setFocus();
  funcao->setText(QStringLiteral("VENDEDOR"));
  enter(funcao);
  QCOMPARE(messages.texts(), QStringList{"Preencha o Apelido do Vendedor(a)!"});
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Information);
  QCOMPARE(focused(), child<QLineEdit>(s.get(), "edapelido"));

  // saving without it is refused the same way
  messages.clear();
  s->btgravarClick();
  QCOMPARE(messages.texts(), QStringList{"Preencha o Apelido do Vendedor(a)!"});
  QCOMPARE(rows("select count(*) from fornecedores"), 0);

  messages.clear();
  child<QLineEdit>(s.get(), "edapelido")->setText(QStringLiteral("ZE"));
  s->btgravarClick();
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QCOMPARE(scalar("select apelido from fornecedores where nome = 'JOSE'").toString(), QStringLiteral("ZE"));
}

void TestFornecedores::insertThenChangeWriteTheirColumns() {
  const int repasse = supplier({{"tipo", "J"}, {"nome", "REPASSE NORTE LTDA"}, {"apelido", "NORTE"}});
  ScriptedMessages messages;
  auto s = openScreen();
  s->btnovoClick();
  child<MaskedEdit>(s.get(), "mecpf")->setValue(QStringLiteral("11144477735"));
  child<QLineEdit>(s.get(), "ednome")->setText(QStringLiteral("MARIA DAS DORES"));
  child<QComboBox>(s.get(), "cbestado")->setEditText(QStringLiteral("SP"));
  child<MaskedEdit>(s.get(), "mefone1")->setValue(QStringLiteral("98981234567"));
  child<QCheckBox>(s.get(), "chtipocc")->setChecked(true);
  child<QCheckBox>(s.get(), "chpagarvital")->setChecked(true);
  child<CodeCombo>(s.get(), "cbsexo")->setCode(QStringLiteral("F"));
  child<QComboBox>(s.get(), "cbfilial")->setEditText(QStringLiteral("NORTE"));
  child<AmountEdit>(s.get(), "edsalario")->setText(QStringLiteral("1.500,50"));
  child<MaskedEdit>(s.get(), "medtadmissao")->setText(QStringLiteral("02/01/2020"));
  s->btgravarClick();
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QCOMPARE(s->state(), RecordScreen::State::Browse);

  const int codigo = scalar("select codigo from fornecedores where nome = 'MARIA DAS DORES'").toInt();
  QVERIFY(codigo > 0);
  QCOMPARE(child<QLineEdit>(s.get(), "EdCodigo")->text(), QString::number(codigo));
  QSqlQuery q;
  QVERIFY(q.exec(QStringLiteral("select tipo, cpf, estado, fone1, tipocc, pagarvital, debencargos, sexo, empresa, salario, "
                                "premio, dtadmissao, nfilhos is null, dtdemissao is null, contacontabil is null "
                                "from fornecedores where codigo = %1").arg(codigo)));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toString(), QStringLiteral("F"));
  QCOMPARE(q.value(1).toString(), QStringLiteral("11144477735"));
  QCOMPARE(q.value(2).toString(), QStringLiteral("SP"));
  QCOMPARE(q.value(3).toString(), QStringLiteral("98981234567"));
  QCOMPARE(q.value(4).toString(), QStringLiteral("S"));
  QCOMPARE(q.value(5).toInt(), 1);
  QCOMPARE(q.value(6).toInt(), 0);
  QCOMPARE(q.value(7).toString(), QStringLiteral("F"));
  QCOMPARE(q.value(8).toInt(), repasse);
  QCOMPARE(q.value(9).toDouble(), 1500.5);
  QCOMPARE(q.value(10).toDouble(), 0.0);
  QCOMPARE(q.value(11).toDate(), QDate(2020, 1, 2));
  QVERIFY(q.value(12).toBool());  // an empty count is no value on a new row
  QVERIFY(q.value(13).toBool());
  QVERIFY(q.value(14).toBool());
  QCOMPARE(rows("select count(*) from rastro where rotina = 'FORNECEDOR' and operacao = 'I' and "
                 "historico = 'MARIA DAS DORES' and favorecido = ?", {codigo}),
           1);

  // a change writes the counts as 0 and resets the columns the screen does not show
  QVERIFY(run("update fornecedores set contacontabil = 7, com2setorpme = 'S' where codigo = ?", {codigo}));
  showRow(s.get(), codigo);
  s->btalterarClick();
  QCOMPARE(focused(), child<CodeCombo>(s.get(), "cbtipo"));
  child<QLineEdit>(s.get(), "ednome")->setText(QStringLiteral("MARIA DAS DORES SILVA"));
  child<MaskedEdit>(s.get(), "medtadmissao")->setText(QString());
  child<QCheckBox>(s.get(), "chtipocc")->setChecked(false);
  s->btgravarClick();
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QVERIFY(q.exec(QStringLiteral("select nome, nfilhos, ndependentes, contacontabil, com2setorpme, dtadmissao is null, "
                                "tipocc, salario, empresa from fornecedores where codigo = %1").arg(codigo)));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toString(), QStringLiteral("MARIA DAS DORES SILVA"));
  QCOMPARE(q.value(1).toInt(), 0);
  QVERIFY(!q.value(1).isNull());
  QCOMPARE(q.value(2).toInt(), 0);
  QCOMPARE(q.value(3).toInt(), 0);
  QCOMPARE(q.value(4).toString(), QString(""));
  QVERIFY(!q.value(4).isNull());
  QVERIFY(q.value(5).toBool());
  QCOMPARE(q.value(6).toString(), QStringLiteral("N"));
  QCOMPARE(q.value(7).toDouble(), 1500.5);
  QCOMPARE(q.value(8).toInt(), repasse);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'FORNECEDOR' and operacao = 'A' and "
                 "historico = 'MARIA DAS DORES SILVA' and favorecido = ?", {codigo}),
           1);
}

void TestFornecedores::deletionRefusedWhileInUse_data() {
  QTest::addColumn<QString>("user");  // the row that refers to the supplier
  QTest::newRow("seller with a sale") << "seguros";
  QTest::newRow("supplier with a payable") << "docpagar";
  QTest::newRow("free") << "";
}

void TestFornecedores::deletionRefusedWhileInUse() {
  QFETCH(QString, user);
  const int codigo = supplier({{"tipo", "J"}, {"cnpj", "11222333000181"}, {"cpf", ""}, {"nome", "PAPELARIA"}});
  if (user == "seguros")
    QVERIFY(run("insert into seguros (produto, proposta, seguradora, vendedor, producao) values (1, 'P1', 1, ?, '2024-01-01')", {codigo}));
  if (user == "docpagar")
    QVERIFY(run("insert into docpagar (fornecedor, fixa, tipo, doc, emissao, vencto, valor) "
                 "values (?, 'N', '01', 'NF1', '2024-01-01', '2024-02-01', 10)",
                 {codigo}));
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  messages.answer(QMessageBox::Yes);
  s->btexcluirClick();
  if (!user.isEmpty()) {
    QCOMPARE(messages.texts(), QStringList{"Fornecedor com Movimentação"});
    QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Warning);
    QCOMPARE(rows("select count(*) from fornecedores"), 1);
    QCOMPARE(rows("select count(*) from rastro"), 0);
    return;
  }
  QCOMPARE(messages.texts(), QStringList{"Deseja excluir o registro?"});
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Velmora"));
  QCOMPARE(messages.calls.at(0).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QCOMPARE(rows("select count(*) from fornecedores"), 0);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'FORNECEDOR' and operacao = 'E' and historico = 'PAPELARIA' "
                 "and favorecido = ? and obs = '11222333000181 '",
                 {codigo}),
           1);
  QCOMPARE(child<QLineEdit>(s.get(), "ednome")->text(), QString());
}

void TestFornecedores::copyIntoClientsOnlyOnce_data() {
  QTest::addColumn<QString>("tipo");
  QTest::addColumn<QString>("document");
  QTest::addColumn<QString>("registration");
  QTest::newRow("person by CPF") << "F" << "52998224725" << "123456 SSP";
  QTest::newRow("company by CNPJ") << "J" << "11222333000181" << "IE998877";
  QTest::newRow("no document, by name") << "F" << "" << "";
}

void TestFornecedores::copyIntoClientsOnlyOnce() {
  QFETCH(QString, tipo);
  QFETCH(QString, document);
  QFETCH(QString, registration);
  const bool company = tipo == "J";
  const int codigo = supplier({{"tipo", tipo},
                               {company ? "cnpj" : "cpf", document},
                               {company ? "ie" : "rg", registration},
                               {"nome", "JOAO DO PASTEL"},
                               {"cidade", "SAO LUIS"},
                               {"fone1", "9832321234"}});
  // another client without a document must not pass for this one
  QVERIFY(run("insert into clientes (cnpj_cpf, nome) values ('', 'OUTRO CLIENTE')"));
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  messages.answer(QMessageBox::Yes);
  QTest::mouseClick(button(s.get(), "btcliente"), Qt::LeftButton);
  QCOMPARE(messages.texts(), QStringList{"Deseja Inserir o Fornecedor em Cliente?"});
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Velmora"));
  QSqlQuery q;
  QVERIFY(q.exec("select cnpj_cpf, ie_rg, nome, cidade, fone1, cadastro from clientes where nome = 'JOAO DO PASTEL'"));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toString(), document);
  QCOMPARE(q.value(1).toString(), registration);
  QCOMPARE(q.value(2).toString(), QStringLiteral("JOAO DO PASTEL"));
  QCOMPARE(q.value(3).toString(), QStringLiteral("SAO LUIS"));
  QCOMPARE(q.value(4).toString(), QStringLiteral("9832321234"));
  QCOMPARE(q.value(5).toDate(), QDate::currentDate());
  QCOMPARE(rows("select count(*) from rastro where rotina = 'CLIENTE' and operacao = 'I' and favorecido = 0 "
                 "and obs = 'Cliente Inserido Via Cad. Fornecedor'"),
           1);

  messages.clear();
  messages.answer(QMessageBox::Yes);
  QTest::mouseClick(button(s.get(), "btcliente"), Qt::LeftButton);
  QCOMPARE(messages.texts(), (QStringList{"Deseja Inserir o Fornecedor em Cliente?", "Cliente já Inserido"}));
  QCOMPARE(messages.calls.at(1).icon, Messages::Icon::Information);
  QCOMPARE(rows("select count(*) from clientes"), 2);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'CLIENTE'"), 1);
}

void TestFornecedores::brokersBecomeSellersOnce() {
  supplier({{"tipo", "F"}, {"cpf", "52998224725"}, {"nome", "JA CADASTRADO"}});
  const QString insert = QStringLiteral(
      "insert into corretores (sit_corretor, nome_corretor, rg_corretor, cpf_corretor, nasc_corretor, end_corretor, "
      "bairro_corretor, cidade_corretor, estado_corretor, fone_corretor1, fone_corretor2, email_corretor) "
      "values ('A', ?, ?, ?, ?, ?, 'CENTRO', 'X', 'X', ?, '', ?)");
  QVERIFY(run(insert, {"CORRETOR PRIMEIRO DA SILVA", "111", "111.444.777-35", "1980-05-01", "RUA A", "(98) 3232-1234",
                        "um@x.com"}));
  QVERIFY(run(insert, {"MESMO CPF OUTRA VEZ", "222", "111.444.777-35", "1981-01-01", "RUA B", "(98) 1111-2222", ""}));
  QVERIFY(run(insert, {"JA CADASTRADO NO SISTEMA", "333", "529.982.247-25", "1982-01-01", "RUA C", "(98) 1111-2222", ""}));
  QVERIFY(run(insert, {"SEM NASCIMENTO", "444", "123.456.789-09", "0000-00-00", "RUA D", "(98) 9999-8888", ""}));

  ScriptedMessages messages;
  auto s = openScreen();
  for (int run = 0; run < 2; ++run) {
    messages.clear();
    QTest::keyClick(s->grid(), Qt::Key_F12);
    QCOMPARE(messages.texts(), QStringList{"FIM"});
    QCOMPARE(rows("select count(*) from fornecedores"), 3);
    QCOMPARE(rows("select count(*) from fornecedores where cpf = '11144477735'"), 1);
  }
  QSqlQuery q;
  QVERIFY(q.exec("select tipo, rg, nome, endereco, bairro, cidade, estado, cep, fone1, email, dtnasc, funcao, situacao, "
                 "apelido from fornecedores where cpf = '11144477735'"));
  QVERIFY(q.next());
  const QStringList expected{"F", "111", "CORRETOR PRIMEIRO DA SILVA", "RUA A", "CENTRO", "SAO LUIS", "MA", "65000000",
                             "9832321234", "um@x.com"};
  for (int i = 0; i < expected.size(); ++i) QCOMPARE(q.value(i).toString(), expected.at(i));
  QCOMPARE(q.value(10).toDate(), QDate(1980, 5, 1));
  QCOMPARE(q.value(11).toString(), QStringLiteral("VENDEDOR"));
  QCOMPARE(q.value(12).toString(), QStringLiteral("A"));
  QCOMPARE(q.value(13).toString(), QStringLiteral("CORRETOR PRIMEIRO DA"));  // the first 20 characters
  QVERIFY(scalar("select dtnasc is null from fornecedores where cpf = '12345678909'").toBool());
}

void TestFornecedores::aRefusedBrokerLeavesNoneImported() {
  const QString insert = QStringLiteral(
      "insert into corretores (sit_corretor, nome_corretor, rg_corretor, cpf_corretor, nasc_corretor, end_corretor, "
      "bairro_corretor, cidade_corretor, estado_corretor, fone_corretor1, fone_corretor2, email_corretor) "
      "values ('A', ?, '', ?, '1980-05-01', '', '', '', '', '', '', '')");
  QVERIFY(run(insert, {"PRIMEIRO", "111.444.777-35"}));
  QVERIFY(run(insert, {"SEGUNDO", "123.456.789-09"}));
  QVERIFY(refuseInsert("fornecedores", "new.nome = 'SEGUNDO'", "Corretor recusado"));
  ScriptedMessages messages;
  auto s = openScreen();
  QTest::keyClick(s->grid(), Qt::Key_F12);
  QCOMPARE(messages.texts(), QStringList{"Corretor recusado"});  // and no "FIM"
  QCOMPARE(rows("select count(*) from fornecedores"), 0);
}

void TestFornecedores::reportOpensTheListingWithItsTitle() {
  {
    ScriptedMessages messages;
    auto s = openScreen();
    s->btrelatorioClick();
    QCOMPARE(messages.texts(), QStringList{"Relatório ainda não disponível nesta versão."});
  }
  QStringList titles;
  Screens::add(QStringLiteral("TFrmRelFornecedor"), [](QWidget *p) { return new QDialog(p); });
  Screens::setHook([&titles](QDialog *d) {
    titles << d->windowTitle();
    return int(QDialog::Accepted);
  });
  for (const QString &caption : {kProdutores, QStringLiteral("Cadastro de Fornecedores")}) {
    ScriptedMessages messages;
    auto s = openScreen(caption);
    s->btrelatorioClick();
    QVERIFY(messages.calls.isEmpty());
  }
  Screens::setHook({});
  QCOMPARE(titles, (QStringList{"Relatório de Produtores/Vendedores", "Relatório de Fornecedores"}));
}

void TestFornecedores::lookupHandsTheChosenRowBack_data() {
  QTest::addColumn<bool>("doubleClick");
  QTest::newRow("Enter (payables)") << false;
  QTest::newRow("double click (receipts)") << true;
}

void TestFornecedores::lookupHandsTheChosenRowBack() {
  QFETCH(bool, doubleClick);
  supplier({{"tipo", "F"}, {"nome", "OUTRO"}, {"cpf", "11144477735"}});
  const int codigo = supplier({{"tipo", "J"}, {"nome", "GRAFICA"}, {"cnpj", "11222333000181"}});
  ScriptedMessages messages;
  auto s = openScreen(QStringLiteral("Cadastro de Fornecedores"));
  QSqlRecord chosen;
  s->useAsLookup([&chosen](const QSqlRecord &row) { chosen = row; });
  child<QRadioButton>(s.get(), "rbcnpj")->setChecked(true);
  s->searchField()->setText(QStringLiteral("11222333000181"));
  QTest::keyClick(s->searchField(), Qt::Key_Return);  // leaving the search field lists the match
  QCOMPARE(s->grid()->model()->rowCount(), 1);
  QVERIFY(chosen.isEmpty());
  if (doubleClick) s->DBGrid1DblClick();
  else QTest::keyClick(s->grid(), Qt::Key_Return);
  QCOMPARE(chosen.value("codigo").toInt(), codigo);
  QCOMPARE(chosen.value("cnpj").toString(), QStringLiteral("11222333000181"));
  QCOMPARE(s->result(), int(QDialog::Accepted));
  QVERIFY(messages.calls.isEmpty());
}

// ---- the employee tabs ----

void TestFornecedores::confidentialPayStaysForUsersWithoutRh() {
  const int codigo = supplier({{"tipo", "F"}, {"nome", "CAIXA DA LOJA"}, {"salario", 1500.0}, {"premio", 200.0}});
  QVERIFY(run("insert into emprestimos (funcionario, data, credito, saldo) values (?, '2024-01-01', 50, 50)", {codigo}));
  {
    Session::instance().login(QStringLiteral("BALCAO"));
    ScriptedMessages messages;
    auto s = openScreen();
    showRow(s.get(), codigo);
    auto *salario = child<AmountEdit>(s.get(), "edsalario");
    QCOMPARE(salario->text(), QString());
    QCOMPARE(child<AmountEdit>(s.get(), "edpremio")->text(), QString());
    QCOMPARE(salario->echoMode(), QLineEdit::Password);
    QVERIFY(child<RecordGrid>(s.get(), "DBGridE")->isHidden());
    QVERIFY(button(s.get(), "btrelatorioE")->isHidden());

    s->btalterarClick();
    child<QLineEdit>(s.get(), "ednome")->setText(QStringLiteral("CAIXA DA LOJA CENTRO"));
    s->btgravarClick();
    QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
    QCOMPARE(scalar("select nome from fornecedores where codigo = ?", {codigo}).toString(),
             QStringLiteral("CAIXA DA LOJA CENTRO"));
    QCOMPARE(scalar("select salario from fornecedores where codigo = ?", {codigo}).toDouble(), 1500.0);
    QCOMPARE(scalar("select premio from fornecedores where codigo = ?", {codigo}).toDouble(), 200.0);
    QCOMPARE(salario->text(), QString());  // the saved row is shown again, still hidden
  }
  Session::instance().login(QStringLiteral("RH"));
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  QCOMPARE(child<AmountEdit>(s.get(), "edsalario")->text(), QStringLiteral("1.500,00"));
  QCOMPARE(child<AmountEdit>(s.get(), "edsalario")->echoMode(), QLineEdit::Normal);
  QVERIFY(!child<RecordGrid>(s.get(), "DBGridE")->isHidden());
  QCOMPARE(child<RecordGrid>(s.get(), "DBGridE")->model()->rowCount(), 1);
}

void TestFornecedores::employeeChangeNeedsAPerson() {
  ScriptedMessages messages;
  auto s = openScreen();
  s->pages()->setCurrentIndex(2);
  QTest::mouseClick(button(s.get(), "btalterar2"), Qt::LeftButton);
  QCOMPARE(messages.texts(), QStringList{"Consulte um Registro"});
  QCOMPARE(s->pages()->currentIndex(), 0);
  QCOMPARE(s->state(), RecordScreen::State::Browse);

  const int codigo = supplier({{"tipo", "F"}, {"nome", "PESSOA"}});
  showRow(s.get(), codigo);
  s->pages()->setCurrentIndex(2);
  messages.clear();
  QTest::mouseClick(button(s.get(), "btalterar2"), Qt::LeftButton);
  QVERIFY(messages.calls.isEmpty());
  QCOMPARE(s->state(), RecordScreen::State::Edit);
  QCOMPARE(focused(), child<QComboBox>(s.get(), "cbfilial"));
}

void TestFornecedores::movementsWaitWhileARecordIsEdited() {
  const int codigo = supplier({{"tipo", "F"}, {"nome", "EM EDICAO"}});
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  QVERIFY(child<QWidget>(s.get(), "tsE")->isEnabled());
  s->btalterarClick();
  for (const char *name : {"tsE", "tsF", "tsHE", "tsFF", "btcliente", "btavisoprevio"})
    QVERIFY2(!child<QWidget>(s.get(), name)->isEnabled(), name);
  s->btcancelarClick();
  for (const char *name : {"tsE", "tsF", "tsHE", "tsFF", "btcliente", "btavisoprevio"})
    QVERIFY2(child<QWidget>(s.get(), name)->isEnabled(), name);
  // the edit was given up, so no person is shown to the movement tabs
  QCOMPARE(child<QLabel>(s.get(), "lbnomeE")->text(), QString());
}

void TestFornecedores::loansKeepARunningBalance() {
  const int codigo = supplier({{"tipo", "F"}, {"nome", "TOMADOR"}});
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsE"));
  QCOMPARE(child<QLabel>(s.get(), "lbnomeE")->text(), QStringLiteral("TOMADOR"));
  auto *data = child<MaskedEdit>(s.get(), "medataE");
  auto *valor = child<AmountEdit>(s.get(), "edvalorE");
  auto *grid = child<RecordGrid>(s.get(), "DBGridE");

  data->setFocus();
  QCOMPARE(data->text(), QDate::currentDate().toString("dd/MM/yyyy"));
  valor->setFocus();
  valor->setText(QStringLiteral("100,00"));
  enter(valor);
  QCOMPARE(focused(), data);
  QCOMPARE(valor->text(), QString());
  child<QRadioButton>(s.get(), "rbdebitoE")->setChecked(true);
  valor->setFocus();
  valor->setText(QStringLiteral("30"));
  enter(valor);
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));

  QCOMPARE(grid->model()->rowCount(), 2);
  QCOMPARE(grid->cellText(0, 1), QStringLiteral("100,00"));
  QCOMPARE(grid->cellText(0, 3), QStringLiteral("100,00"));
  QCOMPARE(grid->cellText(1, 2), QStringLiteral("30,00"));
  QCOMPARE(grid->cellText(1, 3), QStringLiteral("70,00"));
  QCOMPARE(rows("select count(*) from rastro where rotina = 'EMPRESTIMO' and operacao = 'I' and historico = 'TOMADOR' "
                 "and favorecido = ?",
                 {codigo}),
           2);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'EMPRESTIMO' and valor = 30 and obs = 'DEBITO'"), 1);

  // the statement lists both rows with their balances
  {
    PreviewCapture preview;
    QTest::mouseClick(button(s.get(), "btrelatorioE"), Qt::LeftButton);
    QCOMPARE(preview.captions, QStringList{"EXTRATO EMPRÉSTIMO"});
    const QStringList texts = preview.texts();
    QVERIFY(texts.contains("EXTRATO EMPRÉSTIMO"));
    QVERIFY(texts.contains("TOMADOR"));
    QCOMPARE(texts.count("100,00"), 2);
    QVERIFY(texts.contains("70,00"));
  }

  // deleting the first leaves the second as it was
  grid->dataset()->setRow(0);
  messages.answer(QMessageBox::Yes);
  emit grid->rowDoubleClicked(0);
  QCOMPARE(messages.texts(), QStringList{"Deseja excluir o registro?"});
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Velmora"));
  QCOMPARE(grid->model()->rowCount(), 1);
  QCOMPARE(grid->cellText(0, 3), QStringLiteral("70,00"));
  QCOMPARE(rows("select count(*) from rastro where rotina = 'EMPRESTIMO' and operacao = 'E' and valor = 100 "
                 "and obs = 'CREDITO'"),
           1);

  // a new loan goes on from the last balance
  valor->setFocus();
  child<QRadioButton>(s.get(), "rbcreditoE")->setChecked(true);
  valor->setText(QStringLiteral("5"));
  enter(valor);
  QCOMPARE(grid->cellText(1, 3), QStringLiteral("75,00"));
}

void TestFornecedores::absencesAreRecordedOnLeaving_data() {
  QTest::addColumn<bool>("justified");
  QTest::addColumn<QString>("qtd");
  QTest::addColumn<QString>("remark");
  QTest::addColumn<QString>("tipo");  // empty: nothing recorded
  QTest::addColumn<double>("days");
  QTest::newRow("absence, on leaving the quantity") << false << "2" << "" << "F" << 2.0;
  QTest::newRow("empty quantity is one day") << false << "" << "" << "F" << 1.0;
  QTest::newRow("justified, on leaving the remark") << true << "" << "CONSULTA MEDICA" << "FJ" << 1.0;
  QTest::newRow("justified without a remark") << true << "3" << "" << "" << 0.0;
}

void TestFornecedores::absencesAreRecordedOnLeaving() {
  QFETCH(bool, justified);
  QFETCH(QString, qtd);
  QFETCH(QString, remark);
  QFETCH(QString, tipo);
  QFETCH(double, days);
  const int codigo = supplier({{"tipo", "F"}, {"nome", "FALTOSO"}});
  ScriptedMessages messages;
  auto s = openScreen();
  showRow(s.get(), codigo);
  s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsF"));
  auto *data = child<MaskedEdit>(s.get(), "medatafalta");
  auto *edqtd = child<QLineEdit>(s.get(), "edqtdF");
  auto *edobs = child<QLineEdit>(s.get(), "edobsF");
  data->setFocus();
  child<QRadioButton>(s.get(), justified ? "rbfaltajust" : "rbfalta")->setChecked(true);
  edqtd->setFocus();
  edqtd->setText(qtd);
  edobs->setFocus();  // leaves the quantity
  if (justified) {
    QCOMPARE(rows("select count(*) from faltasfunc"), 0);
    edobs->setText(remark);
    data->setFocus();  // leaves the remark
  }
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  if (tipo.isEmpty()) {
    QCOMPARE(rows("select count(*) from faltasfunc"), 0);
    QCOMPARE(rows("select count(*) from rastro"), 0);
    return;
  }
  QSqlQuery q;
  QVERIFY(q.exec("select funcionario, data, qtd, tipo, obs from faltasfunc"));
  QVERIFY(q.next());
  QCOMPARE(q.value(0).toInt(), codigo);
  QCOMPARE(q.value(1).toDate(), QDate::currentDate());
  QCOMPARE(q.value(2).toDouble(), days);
  QCOMPARE(q.value(3).toString(), tipo);
  QCOMPARE(q.value(4).toString(), remark);
  QVERIFY(!q.next());
  const QString obs = justified ? "FJ - " + remark : QStringLiteral("F");
  QCOMPARE(rows("select count(*) from rastro where rotina = 'FALTAS' and operacao = 'I' and obs = ? and favorecido = ?",
                 {obs, codigo}),
           1);
  QCOMPARE(child<RecordGrid>(s.get(), "DBGridF")->model()->rowCount(), 1);
  QCOMPARE(edqtd->text(), QString());
}

void TestFornecedores::overtimeIsRecordedOnLeavingTheQuantity() {
  const int codigo = supplier({{"tipo", "F"}, {"nome", "HORISTA"}});
  ScriptedMessages messages;
  auto s = openScreen();
  // nothing is recorded while no person is shown
  s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsHE"));
  auto *data = child<MaskedEdit>(s.get(), "medataHE");
  auto *qtd = child<QLineEdit>(s.get(), "edqtdHE");
  data->setFocus();
  qtd->setFocus();
  qtd->setText(QStringLiteral("2,5"));
  enter(qtd);
  QCOMPARE(rows("select count(*) from horasextras"), 0);

  showRow(s.get(), codigo);
  s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsHE"));
  data->setFocus();
  qtd->setFocus();
  qtd->setText(QStringLiteral("2,5"));
  enter(qtd);
  QCOMPARE(focused(), data);
  QCOMPARE(scalar("select qtd from horasextras where funcionario = ?", {codigo}).toDouble(), 2.5);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'Horas Extras' and historico = 'HORISTA - 2,5'"), 1);

  auto *grid = child<RecordGrid>(s.get(), "DBGridHE");
  grid->dataset()->setRow(0);
  messages.answer(QMessageBox::No);
  emit grid->rowDoubleClicked(0);
  QCOMPARE(rows("select count(*) from horasextras"), 1);
  messages.answer(QMessageBox::Yes);
  emit grid->rowDoubleClicked(0);
  QCOMPARE(rows("select count(*) from horasextras"), 0);
  QCOMPARE(rows("select count(*) from rastro where rotina = 'Horas Extras' and operacao = 'E'"), 1);
}

void TestFornecedores::sellersAreAssignedOneAfterAnother() {
  const int sul = supplier({{"tipo", "J"}, {"nome", "REPASSE SUL LTDA"}, {"apelido", "SUL"}});
  const int ana = supplier({{"tipo", "F"}, {"nome", "ANA"}, {"funcao", "VENDEDOR"}});
  const int bia = supplier({{"tipo", "F"}, {"nome", "BIA"}, {"funcao", "VENDEDORA"}});
  supplier({{"tipo", "F"}, {"nome", "CAIO"}, {"funcao", "MOTORISTA"}});
  ScriptedMessages messages;
  auto s = openScreen();
  s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsFF"));
  QTest::mouseClick(child<QRadioButton>(s.get(), "rbgeralFF"), Qt::LeftButton);
  auto *grid = child<RecordGrid>(s.get(), "DBGridFF");
  QCOMPARE(grid->model()->rowCount(), 2);
  QCOMPARE(grid->dataset()->row(), 0);

  auto *filial = child<QComboBox>(s.get(), "cbfilialFF");
  filial->setEditText(QStringLiteral("NENHUMA"));
  QTest::mouseClick(button(s.get(), "btatualizar"), Qt::LeftButton);
  QCOMPARE(messages.texts(), QStringList{"Filial não Cadastrada!"});
  QVERIFY(scalar("select empresa from fornecedores where codigo = ?", {ana}).isNull());

  messages.clear();
  filial->setEditText(QStringLiteral("SUL"));
  QTest::mouseClick(button(s.get(), "btatualizar"), Qt::LeftButton);
  QCOMPARE(scalar("select empresa from fornecedores where codigo = ?", {ana}).toInt(), sul);
  QCOMPARE(grid->dataset()->row(), 1);  // on to the next seller
  QCOMPARE(grid->cellText(0, 2), QStringLiteral("SUL"));
  QTest::mouseClick(button(s.get(), "btatualizar"), Qt::LeftButton);
  QCOMPARE(scalar("select empresa from fornecedores where codigo = ?", {bia}).toInt(), sul);
  QVERIFY(messages.calls.isEmpty());
}

void TestFornecedores::aRefusedAuditRowUndoesItsWrite_data() {
  QTest::addColumn<QString>("command");
  QTest::newRow("copy into clients") << "btcliente";
  QTest::newRow("loan") << "edvalorE";
  QTest::newRow("branch assignment") << "btatualizar";
}

void TestFornecedores::aRefusedAuditRowUndoesItsWrite() {
  QFETCH(QString, command);
  const int sul = supplier({{"tipo", "J"}, {"cnpj", "11222333000181"}, {"nome", "REPASSE SUL LTDA"}, {"apelido", "SUL"}});
  const int ana = supplier({{"tipo", "F"}, {"nome", "ANA"}, {"funcao", "VENDEDOR"}});
  QVERIFY(refuseInsert("rastro", "true", "Auditoria recusada"));
  ScriptedMessages messages;
  auto s = openScreen();
  QStringList expected{"Auditoria recusada"};
  if (command == "btcliente") {
    showRow(s.get(), sul);
    messages.answer(QMessageBox::Yes);
    QTest::mouseClick(button(s.get(), "btcliente"), Qt::LeftButton);
    expected.prepend("Deseja Inserir o Fornecedor em Cliente?");
    QCOMPARE(rows("select count(*) from clientes"), 0);
  } else if (command == "edvalorE") {
    showRow(s.get(), ana);
    s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsE"));
    child<MaskedEdit>(s.get(), "medataE")->setFocus();
    auto *valor = child<AmountEdit>(s.get(), "edvalorE");
    valor->setFocus();
    valor->setText(QStringLiteral("100,00"));
    enter(valor);
    QCOMPARE(rows("select count(*) from emprestimos"), 0);
    QCOMPARE(valor->text(), QStringLiteral("100,00"));  // kept, to be entered again
    QCOMPARE(focused(), valor);
  } else {
    s->pages()->setCurrentWidget(child<QWidget>(s.get(), "tsFF"));
    QTest::mouseClick(child<QRadioButton>(s.get(), "rbgeralFF"), Qt::LeftButton);
    child<QComboBox>(s.get(), "cbfilialFF")->setEditText(QStringLiteral("SUL"));
    QTest::mouseClick(button(s.get(), "btatualizar"), Qt::LeftButton);
    QVERIFY(scalar("select empresa from fornecedores where codigo = ?", {ana}).isNull());
    QCOMPARE(child<RecordGrid>(s.get(), "DBGridFF")->dataset()->row(), 0);  // still on the same seller
  }
  QCOMPARE(messages.texts(), expected);
  QCOMPARE(rows("select count(*) from rastro"), 0);
  QVERIFY(s->isVisible());
}

void TestFornecedores::resignationNoticeNamesThePersonAndTheEmployer() {
  const int codigo = supplier({{"tipo", "F"}, {"nome", "DEMISSIONARIO"}, {"departamento", "COBRANCA"},
                               {"ctps", "12345/001"}, {"dtadmissao", QDate(2020, 1, 2)}});
  ScriptedMessages messages;
  PreviewCapture preview;
  auto s = openScreen();
  s->pages()->setCurrentIndex(2);
  QTest::mouseClick(button(s.get(), "btavisoprevio"), Qt::LeftButton);
  QCOMPARE(messages.texts(), QStringList{"Consulte um Funcionário(a)!"});
  QCOMPARE(s->pages()->currentIndex(), 0);
  QVERIFY(preview.docs.isEmpty());

  showRow(s.get(), codigo);
  s->pages()->setCurrentIndex(2);
  QTest::mouseClick(button(s.get(), "btavisoprevio"), Qt::LeftButton);
  QCOMPARE(preview.docs.size(), 1);
  QCOMPARE(preview.docs.at(0).pageCount(), 1);
  const QStringList texts = preview.texts();
  for (const char *expected : {"AVISO PREVIO DO EMPREGADO", "Nome completo do funcionário(a) :", "DEMISSIONARIO",
                                 "COBRANCA", "12345/001", "VELMORA CORRETORA DE SEGUROS LTDA", "Atenciosamente",
                                 "Funcionário(a)", "ass. empregador", "ciente da empresa: _____ / _____ / ________"})
    QVERIFY2(texts.contains(expected), qPrintable(expected));
  const QString body = texts.filter("Por motivo de ordem particular").value(0);
  QVERIFY(body.contains("o emprego que ocupo nesta empresa desde 02/01/2020. Assim sendo"));
  QVERIFY(!texts.filter(QRegularExpression("^SAO LUIS, ")).isEmpty());
}

QTEST_MAIN(TestFornecedores)
#include "tst_fornecedores.moc"
