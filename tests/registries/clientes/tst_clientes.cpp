#include <QtTest>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/recordgrid.h"
#include "app/record/screenbehaviour.h"
#include "app/screens.h"
#include "app/session.h"
#include "common/amountedit.h"
#include "common/report/render.h"
#include "registries/clientsheet.h"
#include "registries/frmclientes.h"
#include "registries/registryscreens.h"
#include "tests/app/loginfixture.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

struct Client {
  QString nome;
  QString cnpj_cpf;
  QString fantasia = {};
};

int addClient(const Client &c) {
  run(QStringLiteral("insert into clientes (nome, cnpj_cpf, fantasia, endereco, bairro, cidade) "
                     "values (?, ?, ?, 'RUA A', 'CENTRO', 'SAO LUIS')"),
      {c.nome, c.cnpj_cpf, c.fantasia});
  return scalar(QStringLiteral("select max(codigo) from clientes")).toInt();
}

QPushButton *button(QWidget *screen, const char *name) { return screen->findChild<QPushButton *>(QLatin1String(name)); }

template <class T = QLineEdit>
T *field(QWidget *screen, const char *name) {
  return screen->findChild<T *>(QLatin1String(name));
}

// Finds the client by name on the search tab and shows it on the record tab, as a person does.
void showByName(TFrmClientes &screen, const QString &name) {
  screen.searchField()->setFocus();
  QTest::keyClicks(screen.searchField(), name);
  pressEnter();  // leaving the search field runs the search; the focus lands in the grid
  QTest::keyClick(screen.grid(), Qt::Key_Return);
}

void typeInto(QWidget *w, const QString &text) {
  w->setFocus();
  QTest::keyClicks(w, text);
}

// Fills every required field of the record tab (by hand, not by typing: no exit checks run).
void fillRequired(TFrmClientes &screen, const QString &document) {
  field<MaskedEdit>(&screen, "mecgc")->setText(document);
  field(&screen, "ednome")->setText(QStringLiteral("JOANA LIMA"));
  field(&screen, "EdEndereco")->setText(QStringLiteral("RUA B"));
  field(&screen, "EdBairro")->setText(QStringLiteral("CENTRO"));
  field(&screen, "EdCidade")->setText(QStringLiteral("SAO LUIS"));
}

}  // namespace

class TestClientes : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void documentLeftLaysItsMaskOrRefusesADuplicate_data();
  void documentLeftLaysItsMaskOrRefusesADuplicate();
  void documentOfAnotherLengthAsksAndGoesOn_data();
  void documentOfAnotherLengthAsksAndGoesOn();
  void changeToAnotherClientsDocumentIsAccepted();

  void newClientIsTypedThroughAndSavedWithF12();
  void emptyDeductionIsNoValueOnInsertAndZeroOnChange();
  void saveChecksRunInOrder_data();
  void saveChecksRunInOrder();
  void clientsSharingANameShowTheOneSaved();

  void deletion_data();
  void deletion();

  void clientSheet_data();
  void clientSheet();
  void clientSheetNeedsAClient();

  void lookupWritesTheCodeIntoTheCallingField();
  void lookupWithNoRowsChoosesNothing();

 private:
  std::unique_ptr<ScriptedMessages> messages_;
};

void TestClientes::initTestCase() {
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  QVERIFY2(insertUser(QStringLiteral("TESTE"), QStringLiteral("TESTE"), QStringLiteral("5"), &error),
           qPrintable(error));
  Session::instance().login(QStringLiteral("TESTE"));
  registerRegistryScreens();
}

void TestClientes::init() {
  messages_ = std::make_unique<ScriptedMessages>();
  for (const char *table : {"clientes", "rastro", "seguros", "docreceber"})
    QVERIFY(run(QStringLiteral("delete from ") + QLatin1String(table)));
}

void TestClientes::cleanup() {
  Screens::setHook({});
  Report::setPreviewHook({});
  messages_.reset();
}

void TestClientes::documentLeftLaysItsMaskOrRefusesADuplicate_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("existing");
  QTest::addColumn<QString>("shown");  // empty: the edit was cancelled

  QTest::newRow("new CPF") << "12345678901" << false << "123.456.789-01";
  QTest::newRow("new CNPJ") << "12345678000195" << false << "12.345.678/0001-95";
  QTest::newRow("CPF of another client") << "12345678901" << true << "";
  QTest::newRow("CNPJ of another client") << "12345678000195" << true << "";
}

void TestClientes::documentLeftLaysItsMaskOrRefusesADuplicate() {
  QFETCH(QString, typed);
  QFETCH(bool, existing);
  QFETCH(QString, shown);
  if (existing) addClient({QStringLiteral("UNIMED"), typed});
  const int before = rows(QStringLiteral("select count(*) from clientes"));

  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  auto *mecgc = field<MaskedEdit>(&screen, "mecgc");
  QCOMPARE(QApplication::focusWidget(), mecgc);
  QVERIFY(mecgc->editMask().isEmpty());
  QTest::keyClicks(mecgc, typed);
  pressEnter();

  if (existing) {
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Registro já cadastrado!")});
    QCOMPARE(messages_->calls.at(0).icon, Messages::Icon::None);
    QCOMPARE(screen.state(), RecordScreen::State::Browse);
    QVERIFY(mecgc->isBlank());
    QVERIFY(!button(&screen, "btgravar")->isEnabled());
  } else {
    QVERIFY(messages_->calls.isEmpty());
    QCOMPARE(screen.state(), RecordScreen::State::Edit);
    QCOMPARE(mecgc->displayText(), shown);
    QCOMPARE(QApplication::focusWidget(), field(&screen, "edie"));
  }
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), before);
}

void TestClientes::documentOfAnotherLengthAsksAndGoesOn_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("focused");
  // The field is left by a click in the name: Yes still sends the user to "I.E./RG".
  QTest::newRow("Yes") << int(QMessageBox::Yes) << "edie";
  QTest::newRow("No") << int(QMessageBox::No) << "ednome";
}

void TestClientes::documentOfAnotherLengthAsksAndGoesOn() {
  QFETCH(int, answer);
  QFETCH(QString, focused);
  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  QTest::keyClicks(field<MaskedEdit>(&screen, "mecgc"), QStringLiteral("1234567"));
  messages_->answer(QMessageBox::StandardButton(answer));
  field(&screen, "ednome")->setFocus();

  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("CNPJ/CPJ Inválido. Deseja Prosseguir?")});
  QCOMPARE(messages_->calls.at(0).icon, Messages::Icon::Question);
  QCOMPARE(messages_->calls.at(0).title, QStringLiteral("Atenção"));
  QCOMPARE(QApplication::focusWidget()->objectName(), focused);
  QCOMPARE(screen.state(), RecordScreen::State::Edit);
  QCOMPARE(field<MaskedEdit>(&screen, "mecgc")->text(), QStringLiteral("1234567"));
}

void TestClientes::changeToAnotherClientsDocumentIsAccepted() {
  addClient({QStringLiteral("BRADESCO SAUDE"), QStringLiteral("60746948000112")});
  const int other = addClient({QStringLiteral("AMIL"), QStringLiteral("29309127000179")});

  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  showByName(screen, QStringLiteral("AMIL"));
  auto *mecgc = field<MaskedEdit>(&screen, "mecgc");
  QCOMPARE(mecgc->displayText(), QStringLiteral("29.309.127/0001-79"));
  button(&screen, "btalterar")->click();
  QCOMPARE(QApplication::focusWidget(), mecgc);
  mecgc->selectAll();
  QTest::keyClicks(mecgc, QStringLiteral("60746948000112"));
  pressEnter();
  button(&screen, "btgravar")->click();

  QVERIFY2(messages_->calls.isEmpty(), qPrintable(messages_->texts().join(u'|')));
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QCOMPARE(scalar(QStringLiteral("select cnpj_cpf from clientes where codigo = ?"), {other}).toString(),
           QStringLiteral("60746948000112"));
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where cnpj_cpf = '60746948000112'")), 2);
  QCOMPARE(scalar(QStringLiteral(
                      "select concat(rotina, '|', operacao, '|', historico, '|', favorecido, '|', valor, '|', obs) "
                      "from rastro"))
               .toString(),
           QStringLiteral("CLIENTE|A|AMIL|%1|0|60746948000112").arg(other));
}

void TestClientes::newClientIsTypedThroughAndSavedWithF12() {
  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  const auto typeAndEnter = [](const QString &text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    pressEnter();
  };
  typeAndEnter(QStringLiteral("12345678901"));  // mecgc
  typeAndEnter(QStringLiteral("mA1234"));       // edie
  typeAndEnter(QStringLiteral("1.234,5"));      // edtaxaPME
  typeAndEnter(QString());                      // edtaxaInd, left empty
  // the code is never typed: Enter goes on to the name
  QCOMPARE(QApplication::focusWidget(), field(&screen, "ednome"));
  typeAndEnter(QStringLiteral("Maria 2 Sousa"));  // the digit is refused
  typeAndEnter(QStringLiteral("jose"));           // EdContato
  typeAndEnter(QString());                        // EdFantasia
  typeAndEnter(QStringLiteral("rua das flores 10"));
  typeAndEnter(QStringLiteral("centro"));
  // entering the empty city offers SAO LUIS, selected: typing replaces it, leaving drops the accents
  QCOMPARE(field(&screen, "EdCidade")->text(), QStringLiteral("SAO LUIS"));
  QCOMPARE(field(&screen, "EdCidade")->selectedText(), QStringLiteral("SAO LUIS"));
  field(&screen, "EdCidade")->setText(QStringLiteral("SÃO JOSÉ DE RIBAMAR"));
  QTest::keyClick(field(&screen, "EdCidade"), Qt::Key_F12);

  QVERIFY2(messages_->calls.isEmpty(), qPrintable(messages_->texts().join(u'|')));
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QSqlQuery q;
  QVERIFY(q.exec(QStringLiteral("select * from clientes")));
  QVERIFY(q.next());
  const QSqlRecord r = q.record();
  const int code = r.value("codigo").toInt();
  QCOMPARE(r.value("cnpj_cpf").toString(), QStringLiteral("12345678901"));
  QCOMPARE(r.value("ie_rg").toString(), QStringLiteral("MA1234"));
  QCOMPARE(r.value("taxapme").toDouble(), 1234.5);
  QVERIFY(r.value("taxaind").isNull());
  QCOMPARE(r.value("nome").toString(), QStringLiteral("MARIA  SOUSA"));
  QCOMPARE(r.value("contato").toString(), QStringLiteral("JOSE"));
  QCOMPARE(r.value("endereco").toString(), QStringLiteral("RUA DAS FLORES 10"));
  QCOMPARE(r.value("cidade").toString(), QStringLiteral("SAO JOSE DE RIBAMAR"));
  QVERIFY(r.value("dtnasc").isNull());
  QCOMPARE(r.value("cadastro").toDate(), QDate::currentDate());
  QCOMPARE(r.value("tipo").toString(), QString());
  QVERIFY(!q.next());
  // the saved row is shown again, its code included
  QCOMPARE(field(&screen, "EdCodigo")->text(), QString::number(code));
  QCOMPARE(field<AmountEdit>(&screen, "edtaxaInd")->text(), QStringLiteral("0,00"));
  QCOMPARE(scalar(QStringLiteral("select concat(rotina, '|', operacao, '|', historico, '|', favorecido, '|', obs) "
                                 "from rastro"))
               .toString(),
           QStringLiteral("CLIENTE|I|MARIA  SOUSA|%1|12345678901").arg(code));
}

void TestClientes::emptyDeductionIsNoValueOnInsertAndZeroOnChange() {
  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  fillRequired(screen, QStringLiteral("12345678901"));
  typeInto(field(&screen, "mefone1"), QStringLiteral("9832321234"));
  typeInto(field(&screen, "mefone2"), QStringLiteral("98988887777"));
  typeInto(field(&screen, "mecep"), QStringLiteral("65000123"));
  button(&screen, "btgravar")->click();
  const QVariant code = screen.shownKey();
  QVERIFY(scalar(QStringLiteral("select taxaind from clientes where codigo = ?"), {code}).isNull());
  QVERIFY(scalar(QStringLiteral("select taxapme from clientes where codigo = ?"), {code}).isNull());
  QCOMPARE(scalar(QStringLiteral("select concat(fone1, '|', fone2, '|', cep) from clientes where codigo = ?"), {code})
               .toString(),
           QStringLiteral("9832321234|98988887777|65000123"));
  // an 8-digit number shows with the mask's ninth place blank
  QCOMPARE(field(&screen, "mefone1")->displayText(), QStringLiteral("(98)_3232-1234"));

  button(&screen, "btalterar")->click();
  field(&screen, "edtaxaInd")->clear();
  field(&screen, "edtaxaPME")->clear();
  button(&screen, "btgravar")->click();
  QVERIFY2(messages_->calls.isEmpty(), qPrintable(messages_->texts().join(u'|')));
  const QVariant ind = scalar(QStringLiteral("select taxaind from clientes where codigo = ?"), {code});
  QVERIFY(!ind.isNull());
  QCOMPARE(ind.toDouble(), 0.0);
  QCOMPARE(scalar(QStringLiteral("select taxapme from clientes where codigo = ?"), {code}).toDouble(), 0.0);
  QCOMPARE(scalar(QStringLiteral("select concat(fone1, '|', fone2) from clientes where codigo = ?"), {code}).toString(),
           QStringLiteral("9832321234|98988887777"));
}

void TestClientes::saveChecksRunInOrder_data() {
  QTest::addColumn<QStringList>("blank");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focused");

  QTest::newRow("document") << QStringList{"mecgc", "ednome"} << "CNPJ/CPF do Cliente Deve Ser Preenchido"
                            << "mecgc";
  QTest::newRow("name before address") << QStringList{"ednome", "EdEndereco"} << "Nome do Cliente Deve Ser Preenchido"
                                       << "ednome";
  QTest::newRow("blanks only") << QStringList{"EdEndereco"} << "Endereço do Cliente Deve Ser Preenchido"
                               << "EdEndereco";
  QTest::newRow("district") << QStringList{"EdBairro", "EdCidade"} << "Bairro do Cliente Deve Ser Preenchido"
                            << "EdBairro";
  QTest::newRow("city") << QStringList{"EdCidade"} << "Cidade do Cliente Deve Ser Preenchido"
                        << "EdCidade";
}

void TestClientes::saveChecksRunInOrder() {
  QFETCH(QStringList, blank);
  QFETCH(QString, message);
  QFETCH(QString, focused);
  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  fillRequired(screen, QStringLiteral("12345678901"));
  for (const QString &name : blank) screen.findChild<QLineEdit *>(name)->setText(QStringLiteral("   "));
  screen.btgravarClick();

  QCOMPARE(messages_->texts(), QStringList{message});
  QCOMPARE(messages_->calls.at(0).title, QStringLiteral("Erro de Preenchimento de Campo"));
  QCOMPARE(messages_->calls.at(0).icon, Messages::Icon::Error);
  QCOMPARE(QApplication::focusWidget()->objectName(), focused);
  QCOMPARE(screen.state(), RecordScreen::State::Edit);
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 0);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
}

void TestClientes::clientsSharingANameShowTheOneSaved() {
  addClient({QStringLiteral("SEGURADORA UNIAO"), QStringLiteral("11111111000191")});
  const int second = addClient({QStringLiteral("SEGURADORA UNIAO"), QStringLiteral("22222222000191")});

  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.searchField()->setFocus();
  QTest::keyClicks(screen.searchField(), QStringLiteral("UNIAO"));
  pressEnter();
  QCOMPARE(screen.dataset()->rowCount(), 2);
  QTest::keyClick(screen.grid(), Qt::Key_Down);
  QTest::keyClick(screen.grid(), Qt::Key_Return);
  QCOMPARE(screen.shownKey().toInt(), second);
  button(&screen, "btalterar")->click();
  field(&screen, "EdFantasia")->setText(QStringLiteral("UNIAO VIDA"));
  button(&screen, "btgravar")->click();

  QCOMPARE(field(&screen, "EdCodigo")->text(), QString::number(second));
  QCOMPARE(field(&screen, "EdFantasia")->text(), QStringLiteral("UNIAO VIDA"));
  QCOMPARE(field<MaskedEdit>(&screen, "mecgc")->value(), QStringLiteral("22222222000191"));
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where fantasia = 'UNIAO VIDA'")), 1);
}

void TestClientes::deletion_data() {
  QTest::addColumn<bool>("receivable");
  QTest::addColumn<bool>("sale");
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("deleted");

  QTest::newRow("with a receivable") << true << true << int(QMessageBox::Yes) << false;
  QTest::newRow("with sales only") << false << true << int(QMessageBox::Yes) << true;
  QTest::newRow("answered No") << false << false << int(QMessageBox::No) << false;
  QTest::newRow("answered Cancel") << false << false << int(QMessageBox::Cancel) << false;
}

void TestClientes::deletion() {
  QFETCH(bool, receivable);
  QFETCH(bool, sale);
  QFETCH(int, answer);
  QFETCH(bool, deleted);
  const int code = addClient({QStringLiteral("PORTO SEGURO"), QStringLiteral("61198164000160")});
  if (sale)
    QVERIFY(run(QStringLiteral("insert into seguros (produto, proposta, seguradora, vendedor, producao) "
                               "values (1, 'P1', ?, 0, '2024-01-10')"),
                {code}));
  if (receivable)
    QVERIFY(run(QStringLiteral("insert into docreceber (cliente, doc, emissao, vencto, valor) "
                               "values (?, 'P1', '2024-01-10', '2024-02-10', 100)"),
                {code}));

  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  showByName(screen, QStringLiteral("PORTO"));
  messages_->answer(QMessageBox::StandardButton(answer));
  button(&screen, "btexcluir")->click();

  const ScriptedMessages::Call call = messages_->calls.value(0);
  if (receivable) {
    QCOMPARE(call.text, QStringLiteral("Cliente com Movimentação"));
    QCOMPARE(call.icon, Messages::Icon::Warning);
    QCOMPARE(call.title, QStringLiteral("Atenção"));
  } else {
    QCOMPARE(call.text, QStringLiteral("Deseja excluir o registro?"));
    QCOMPARE(call.title, QStringLiteral("Velmora"));
    QCOMPARE(call.icon, Messages::Icon::Question);
    QCOMPARE(call.buttons, Messages::Buttons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
  }
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where codigo = ?"), {code}), deleted ? 0 : 1);
  QCOMPARE(scalar(QStringLiteral("select concat(rotina, '|', operacao, '|', historico, '|', favorecido, '|', obs) "
                                 "from rastro"))
               .toString(),
           deleted ? QStringLiteral("CLIENTE|E|PORTO SEGURO|%1|61198164000160").arg(code) : QStringLiteral("<no row>"));
  QCOMPARE(field(&screen, "EdCodigo")->text().isEmpty(), deleted);
}

void TestClientes::clientSheet_data() {
  QTest::addColumn<QString>("document");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("block");  // the client's block: labels and their values

  const QString obs = QStringLiteral("CLIENTE DESDE 2010");
  QTest::newRow("person") << "12345678901"
                          << "Relatório de Clientes - Pessoa Física"
                          << QStringList{"Código:",
                                         "00042",
                                         "Nome:",
                                         "ANA PAULA COSTA",
                                         "Endereço:",
                                         "RUA DO SOL 5",
                                         "Bairro:",
                                         "RENASCENCA",
                                         "Cidade:",
                                         "SAO LUIS",
                                         "Estado:",
                                         "MA",
                                         "Cep:",
                                         "65.075-440",
                                         "Telefone:",
                                         "(98)3232-1234",
                                         "Celular:",
                                         "(98)98888-7777",
                                         "Fax:",
                                         "",
                                         "C.P.F.:",
                                         "123.456.789-01",
                                         "RG:",
                                         "0123456",
                                         "Data de Nascimento:",
                                         "15/03/1980",
                                         "Observação",
                                         obs};
  QTest::newRow("company") << "12345678000195"
                           << "Relatório de Clientes - Pessoa Jurídica"
                           << QStringList{"Código:",       "00042",
                                          "Razão Social:", "ANA PAULA COSTA",
                                          "Fantasia:",     "ANA SAUDE",
                                          "Contato:",      "PEDRO",
                                          "Endereço:",     "RUA DO SOL 5",
                                          "Bairro:",       "RENASCENCA",
                                          "Cidade:",       "SAO LUIS",
                                          "Estado:",       "MA",
                                          "Cep:",          "65.075-440",
                                          "Telefone:",     "(98)3232-1234",
                                          "Celular:",      "(98)98888-7777",
                                          "Fax:",          "",
                                          "CNPJ:",         "12.345.678/0001-95",
                                          "I. Estadual:",  "0123456",
                                          "Observação:",   obs};
}

void TestClientes::clientSheet() {
  QFETCH(QString, document);
  QFETCH(QString, title);
  QFETCH(QStringList, block);
  QVERIFY(
      run(QStringLiteral("insert into clientes (codigo, nome, cnpj_cpf, ie_rg, fantasia, contato, endereco, bairro, "
                         "cidade, estado, cep, fone1, fone2, fone3, dtnasc, obs) values (42, 'ANA PAULA COSTA', ?, "
                         "'0123456', 'ANA SAUDE', 'PEDRO', 'RUA DO SOL 5', 'RENASCENCA', 'SAO LUIS', 'MA', "
                         "'65075440', '9832321234', '98988887777', '', '1980-03-15', 'CLIENTE DESDE 2010')"),
          {document}));
  QList<Report::Document> docs;
  QStringList captions;
  Report::setPreviewHook([&](const Report::Document &doc, const QString &caption) {
    docs << doc;
    captions << caption;
  });

  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  showByName(screen, QStringLiteral("ANA PAULA"));
  button(&screen, "btrelatorio")->click();

  QVERIFY(messages_->calls.isEmpty());
  QCOMPARE(docs.size(), 1);
  QCOMPARE(captions, QStringList{title});
  QCOMPARE(docs.at(0).pageCount(), 1);
  const QStringList texts = docs.at(0).pageTexts(0);
  QCOMPARE(texts.value(0), title);
  const auto after = [&texts](const QString &label) { return texts.value(texts.indexOf(label) + 1); };
  QCOMPARE(after(QStringLiteral("Data       :")), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
  QVERIFY(QTime::fromString(after(QStringLiteral("Hora       :")), QStringLiteral("hh:mm:ss")).isValid());
  QCOMPARE(after(QStringLiteral("Página    :")), QStringLiteral("1"));
  QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("Código:"))), block);
}

void TestClientes::clientSheetNeedsAClient() {
  bool previewed = false;
  Report::setPreviewHook([&](const Report::Document &, const QString &) { previewed = true; });
  TFrmClientes screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btrelatorio")->click();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Escolha um Destinatário")});
  QCOMPARE(messages_->calls.at(0).icon, Messages::Icon::Error);
  QVERIFY(!previewed);
}

void TestClientes::lookupWritesTheCodeIntoTheCallingField() {
  addClient({QStringLiteral("SULAMERICA"), QStringLiteral("01685053000156"), QStringLiteral("SULAMERICA")});
  const int hapvida = addClient({QStringLiteral("HAPVIDA ASSISTENCIA MEDICA"), QStringLiteral("63554067000198")});
  bool doubleClickChose = true;
  Screens::setHook([&](QDialog *dialog) {
    if (!showActive(dialog)) return int(QDialog::Rejected);
    auto *screen = qobject_cast<TFrmClientes *>(dialog);
    if (!screen) return int(QDialog::Rejected);
    screen->searchField()->setFocus();
    QTest::keyClicks(screen->searchField(), QStringLiteral("HAP"));
    pressEnter();
    // a double click only shows the record
    emit screen->grid()->rowDoubleClicked(0);
    doubleClickChose = dialog->result() == QDialog::Accepted || screen->pages()->currentIndex() != 1;
    screen->pages()->setCurrentIndex(0);
    screen->grid()->setFocus();
    QTest::keyClick(screen->grid(), Qt::Key_Return);
    return dialog->result();
  });

  LookupCaller caller(QStringLiteral("TFrmClientes"));
  QVERIFY(caller.pressF10());

  QVERIFY(!doubleClickChose);
  QCOMPARE(caller.edcliente->text(), QString::number(hapvida));
  QCOMPARE(caller.checked, QStringList{QString::number(hapvida)});
}

void TestClientes::lookupWithNoRowsChoosesNothing() {
  addClient({QStringLiteral("SULAMERICA"), QStringLiteral("01685053000156")});
  int result = -1;
  Screens::setHook([&](QDialog *dialog) {
    if (!showActive(dialog)) return int(QDialog::Rejected);
    auto *screen = qobject_cast<TFrmClientes *>(dialog);
    screen->searchField()->setFocus();
    QTest::keyClicks(screen->searchField(), QStringLiteral("NINGUEM"));
    pressEnter();
    QTest::keyClick(screen->grid(), Qt::Key_Return);
    result = dialog->isVisible() ? 0 : 1;
    QTest::keyClick(screen->grid(), Qt::Key_Escape);
    return dialog->result();
  });
  QDialog caller;
  ScreenBehaviour behaviour(&caller);
  auto *edcliente = Fields::upper(&caller, QStringLiteral("edcliente"));
  new QVBoxLayout(&caller);
  caller.layout()->addWidget(edcliente);
  edcliente->setText(QStringLiteral("7"));
  behaviour.addLookup(edcliente, QStringLiteral("TFrmClientes"), QStringLiteral("codigo"));
  QVERIFY(showActive(&caller));
  edcliente->setFocus();
  QTest::keyClick(edcliente, Qt::Key_F10);
  QCOMPARE(result, 0);  // still open after Enter on an empty grid
  QCOMPARE(edcliente->text(), QStringLiteral("7"));
}

QTEST_MAIN(TestClientes)
#include "tst_clientes.moc"
