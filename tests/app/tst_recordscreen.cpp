#include <QtTest>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QTabWidget>

#include "app/frmcadusuarios.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/buttonbar.h"
#include "app/record/dataset.h"
#include "app/record/fields.h"
#include "app/record/lookuplist.h"
#include "app/record/recordgrid.h"
#include "app/record/recordscreen.h"
#include "app/record/screenbehaviour.h"
#include "app/screens.h"
#include "app/session.h"
#include "tests/app/loginfixture.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

// A tabbed record screen over `clientes` as a later registry screen declares one: its fields, its
// checks in order, its audit routine, the rows that keep a client and its texts. Nothing else.
class ClientesDeTeste : public RecordScreen {
 public:
  explicit ClientesDeTeste(QWidget *parent = nullptr)
      : RecordScreen(parent, Family::Tabbed, QStringLiteral("Cadastro de Clientes/Seguradoras"),
                     ButtonBar::Buttons(ButtonBar::kStandard | ButtonBar::Report)) {
    QWidget *p = fieldsPanel();
    auto *form = new QFormLayout(p);
    EdCodigo = Fields::upper(p, QStringLiteral("EdCodigo"));
    EdCodigo->setReadOnly(true);
    ednome = Fields::personName(p, QStringLiteral("ednome"), 70);
    EdEndereco = Fields::upper(p, QStringLiteral("EdEndereco"));
    medtnasc = Fields::date(p, QStringLiteral("medtnasc"));
    edtaxaPME = Fields::amount(p, QStringLiteral("edtaxaPME"));
    cbsexo = Fields::codes(p, QStringLiteral("cbsexo"), {{QStringLiteral("M"), QStringLiteral("MASCULINO")},
                                                         {QStringLiteral("F"), QStringLiteral("FEMININO")}});
    Memo1 = Fields::memo(p, QStringLiteral("Memo1"), 250);
    Edemail = Fields::lower(p, QStringLiteral("Edemail"), 60);
    for (QWidget *w : {static_cast<QWidget *>(EdCodigo), static_cast<QWidget *>(ednome), static_cast<QWidget *>(EdEndereco),
                       static_cast<QWidget *>(medtnasc), static_cast<QWidget *>(edtaxaPME), static_cast<QWidget *>(cbsexo),
                       static_cast<QWidget *>(Memo1), static_cast<QWidget *>(Edemail)})
      form->addRow(w->objectName(), w);

    setTable(QStringLiteral("clientes"));
    bind(EdCodigo, QStringLiteral("codigo")).notWritten();
    bind(ednome, QStringLiteral("nome"));
    bind(EdEndereco, QStringLiteral("endereco"));
    bind(medtnasc, QStringLiteral("dtnasc"));
    bind(edtaxaPME, QStringLiteral("taxapme")).emptyAsNull(true, false);
    bind(cbsexo, QStringLiteral("sexo"));
    bind(Memo1, QStringLiteral("obs"));
    bind(Edemail, QStringLiteral("email"));
    bindValue(QStringLiteral("cadastro"), [](Mode) { return QDate::currentDate(); }).insertOnly();
    setFirstField(Mode::Insert, ednome);
    setFirstField(Mode::Change, ednome);
    requireFilled(ednome, QStringLiteral("Nome do Cliente Deve Ser Preenchido"));
    requireFilled(EdEndereco, QStringLiteral("Endereço do Cliente Deve Ser Preenchido"));
    setAudit(QStringLiteral("CLIENTE"), [this](AuditEntry &e, const QVariant &key) {
      e.historico = ednome->text();
      e.favorecido = key.toInt();
    });
    addInUse(QStringLiteral("select 1 from docreceber where cliente = ? limit 1"),
             QStringLiteral("Cliente com Movimentação"));
    setDeleteQuestion(QStringLiteral("Deseja excluir o registro?"), QStringLiteral("Velmora"),
                      Messages::Buttons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel), QMessageBox::Yes);
    setSelectMessage(QStringLiteral("Selecione um Cliente"));
    addSearchOption(QStringLiteral("Código"), SearchBy::Code, QStringLiteral("codigo"), QStringLiteral("rbcodigo"));
    addSearchOption(QStringLiteral("Nome"), SearchBy::Contains, QStringLiteral("nome"), QStringLiteral("rbnome"), true);
    addSearchOption(QStringLiteral("Geral"), SearchBy::General, {}, QStringLiteral("rbgeral"));
    grid()->setColumns({{QStringLiteral("codigo"), QStringLiteral("Código")},
                        {QStringLiteral("nome"), QStringLiteral("Nome")},
                        {QStringLiteral("taxapme"), QStringLiteral("Taxa"), GridColumn::Format::Amount}});
    behaviour().setEscapeCloses(true);
    behaviour().setUpArrowBack(p);
    behaviour().addKey(QKeyCombination(Qt::Key_F12), [this] { btgravarClick(); }, p);
  }

  QLineEdit *EdCodigo, *ednome, *EdEndereco, *Edemail;
  DateEdit *medtnasc;
  AmountEdit *edtaxaPME;
  CodeCombo *cbsexo;
  MemoEdit *Memo1;
};

// The regions list as the registries declare it.
LookupListDeclaration regioes() {
  LookupListDeclaration d;
  d.caption = QStringLiteral("Cadastro de Regiões");
  d.table = QStringLiteral("regiao");
  d.rotina = QStringLiteral("REGIÃO");
  d.inUse = {{QStringLiteral("select 1 from seguros where regiao = ? limit 1"), QStringLiteral("Região com Movimentação")}};
  d.deleteText = QStringLiteral("Confima Operação?");
  d.deleteTitle = QStringLiteral("Excluir Item?");
  d.deleteDefault = QMessageBox::No;
  d.emptyNameAfterDelete = true;
  return d;
}

QPushButton *button(QWidget *screen, const char *name) { return screen->findChild<QPushButton *>(QLatin1String(name)); }

// Enabled buttons of the bar, as their object names.
QStringList enabledButtons(QWidget *screen) {
  QStringList names;
  for (const char *n : {"btprimeiro", "btanterior", "btproximo", "btultimo", "btnovo", "btgravar", "btalterar",
                        "btexcluir", "btrelatorio", "btcancelar"})
    if (QPushButton *b = button(screen, n); b && b->isEnabled()) names << QLatin1String(n);
  return names;
}

// A person's double click: the press and release of the first click, then the second.
void doubleClick(RecordGrid *grid, QPoint at) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

void typeInto(QWidget *field, const QString &text) {
  field->setFocus();
  QTest::keyClicks(field, text);
}

int addClient(const QString &name, const QVariant &dtnasc = QVariant(), const QVariant &taxa = QVariant(),
              const QString &sexo = QString()) {
  run(QStringLiteral("insert into clientes (nome, endereco, dtnasc, taxapme, sexo) values (?, 'RUA A', ?, ?, ?)"),
      {name, dtnasc, taxa, sexo});
  return scalar(QStringLiteral("select max(codigo) from clientes")).toInt();
}

}  // namespace

class TestRecordScreen : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  // the grid family, through the user screen
  void gridStatesAndButtons();
  void navigationStaysAtTheEnds();
  void rightsGradeTheBrowseButtons_data();
  void rightsGradeTheBrowseButtons();

  // the tabbed family
  void opensOnTheSearchTabAndFindsContainedNames();
  void checksRunInOrderAndFocusTheirField_data();
  void checksRunInOrderAndFocusTheirField();
  void escapeClosesWithoutSavingOrAudit();
  void blankDateIsStoredAsNull();
  void showsStoredValues_data();
  void showsStoredValues();
  void unreadableDateKeepsTheFocus();
  void saveAndAuditShareOneTransaction();
  void changeWritesTheShownRow();
  void deletionIsRefusedInUseAndAsksFirst();

  // fields and keys
  void nameFieldRefusesTheNameRule_data();
  void nameFieldRefusesTheNameRule();
  void enterMovesOnAndFocusIsPainted();
  void dateFillsTodayOnEntering_data();
  void dateFillsTodayOnEntering();
  void f10LookupWritesBackAndRunsTheExitCheck();
  void gridShowsMasksColoursAndTakesCommands();

  // the lookup-list family
  void lookupListAddsOnLeavingTheName();
  void lookupListF12TogglesTheSameEntry();
  void lookupListDeletionIsRefusedWhileASaleUsesIt();

 private:
  std::unique_ptr<ScriptedMessages> messages_;
};

void TestRecordScreen::initTestCase() {
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  QVERIFY2(insertUser(QStringLiteral("TESTE"), QStringLiteral("TESTE"), QStringLiteral("5"), &error), qPrintable(error));
  Session::instance().login(QStringLiteral("TESTE"));
}

void TestRecordScreen::init() {
  messages_ = std::make_unique<ScriptedMessages>();
  QVERIFY(run(QStringLiteral("delete from clientes")));
  QVERIFY(run(QStringLiteral("delete from rastro")));
  QVERIFY(run(QStringLiteral("delete from regiao")));
  QVERIFY(run(QStringLiteral("delete from seguros")));
  QVERIFY(run(QStringLiteral("delete from docreceber")));
  QVERIFY(run(QStringLiteral("delete from usuarios where nome <> 'TESTE'")));
  QVERIFY(run(QStringLiteral("update usuarios set cadastro = '5'")));
}

void TestRecordScreen::cleanup() {
  Screens::setHook({});
  messages_.reset();
}

void TestRecordScreen::gridStatesAndButtons() {
  QString error;
  QVERIFY2(insertUser(QStringLiteral("ANA"), QStringLiteral("ANA123"), QStringLiteral("1"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  auto *panel = child<QWidget>(&screen, QStringLiteral("P_dados"));
  auto *ednome = child<QLineEdit>(&screen, QStringLiteral("ednome"));
  QCOMPARE(ednome->text(), QStringLiteral("ANA"));  // the first user, by name

  const QStringList browse{"btprimeiro", "btanterior", "btproximo", "btultimo", "btnovo", "btalterar", "btexcluir",
                           "btcancelar"};
  QCOMPARE(enabledButtons(&screen), browse);
  QVERIFY(!panel->isEnabled());
  QCOMPARE(button(&screen, "btnovo")->toolTip(), QStringLiteral("Adicionar Novo Registro"));
  QCOMPARE(button(&screen, "btproximo")->toolTip(), QStringLiteral("Próximo Registro"));
  QVERIFY(button(&screen, "btproximo")->text().isEmpty());
  QVERIFY(!button(&screen, "btrelatorio"));

  button(&screen, "btalterar")->click();
  QCOMPARE(screen.state(), RecordScreen::State::Edit);
  QCOMPARE(screen.mode(), RecordScreen::Mode::Change);
  QCOMPARE(enabledButtons(&screen), (QStringList{"btgravar", "btcancelar"}));
  QVERIFY(panel->isEnabled());
  QVERIFY(!screen.grid()->isEnabled());
  QCOMPARE(QApplication::focusWidget(), child<QWidget>(&screen, QStringLiteral("edcadastro")));
  QCOMPARE(button(&screen, "btcancelar")->text(), QStringLiteral("Sair"));  // the user screen keeps "Sair"

  // Cancelling writes nothing and shows the stored row again.
  child<QLineEdit>(&screen, QStringLiteral("edcadastro"))->setText(QStringLiteral("5"));
  ednome->setText(QStringLiteral("OUTRO"));
  button(&screen, "btcancelar")->click();
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QCOMPARE(enabledButtons(&screen), browse);
  QCOMPARE(ednome->text(), QStringLiteral("ANA"));
  QCOMPARE(child<QLineEdit>(&screen, QStringLiteral("edcadastro"))->text(), QStringLiteral("1"));
  QCOMPARE(rows(QStringLiteral("select count(*) from usuarios where nome = 'ANA' and cadastro = '1'")), 1);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
  QVERIFY(screen.isVisible());

  // In the browse state the cancel button closes the screen.
  button(&screen, "btcancelar")->click();
  QVERIFY(!screen.isVisible());
}

void TestRecordScreen::navigationStaysAtTheEnds() {
  QString error;
  for (const char *name : {"BRUNO", "ANA", "CARLA"})
    QVERIFY2(insertUser(QLatin1String(name), QStringLiteral("X"), QStringLiteral("0"), &error), qPrintable(error));
  TFrmCadUsuarios screen;
  QVERIFY(showActive(&screen));
  auto *ednome = child<QLineEdit>(&screen, QStringLiteral("ednome"));
  const auto shown = [&] { return ednome->text(); };

  QCOMPARE(shown(), QStringLiteral("ANA"));
  button(&screen, "btanterior")->click();
  QCOMPARE(shown(), QStringLiteral("ANA"));
  button(&screen, "btproximo")->click();
  QCOMPARE(shown(), QStringLiteral("BRUNO"));
  button(&screen, "btultimo")->click();
  QCOMPARE(shown(), QStringLiteral("TESTE"));
  button(&screen, "btproximo")->click();
  QCOMPARE(shown(), QStringLiteral("TESTE"));
  QCOMPARE(screen.dataset()->row(), screen.dataset()->rowCount() - 1);
  button(&screen, "btprimeiro")->click();
  QCOMPARE(shown(), QStringLiteral("ANA"));

  // A row clicked in the grid is shown.
  const QModelIndex third = screen.grid()->model()->index(2, 0);
  QTest::mouseClick(screen.grid()->viewport(), Qt::LeftButton, {}, screen.grid()->visualRect(third).center());
  QCOMPARE(shown(), QStringLiteral("CARLA"));
}

void TestRecordScreen::rightsGradeTheBrowseButtons_data() {
  QTest::addColumn<QString>("level");
  QTest::addColumn<QStringList>("enabled");
  const QStringList nav{"btanterior", "btproximo"};
  QTest::newRow("1 looks only") << "1" << (nav + QStringList{"btcancelar"});
  QTest::newRow("2 adds") << "2" << (nav + QStringList{"btnovo", "btcancelar"});
  QTest::newRow("3 changes") << "3" << (nav + QStringList{"btnovo", "btalterar", "btcancelar"});
  QTest::newRow("4 deletes") << "4" << (nav + QStringList{"btnovo", "btalterar", "btexcluir", "btrelatorio", "btcancelar"});
  QTest::newRow("5 everything") << "5"
                                << QStringList{"btprimeiro", "btanterior", "btproximo", "btultimo", "btnovo",
                                               "btalterar", "btexcluir", "btrelatorio", "btcancelar"};
}

void TestRecordScreen::rightsGradeTheBrowseButtons() {
  QFETCH(QString, level);
  QFETCH(QStringList, enabled);
  QVERIFY(run(QStringLiteral("update usuarios set cadastro = ? where nome = 'TESTE'"), {level}));
  using B = ButtonBar;
  const B::Buttons nav(B::Prior | B::Next);
  const Rights::Grade grade(QStringLiteral("cadastro"),
                            {{QStringLiteral("1"), nav},
                             {QStringLiteral("2"), nav | B::New},
                             {QStringLiteral("3"), nav | B::New | B::Change},
                             {QStringLiteral("4"), nav | B::New | B::Change | B::Delete | B::Report},
                             {QStringLiteral("5"), B::Buttons(0x3FF)}});
  struct Graded : ClientesDeTeste {
    explicit Graded(const Rights::Grade &g) { setBrowseGrade(g); }
  } screen(grade);
  QVERIFY(showActive(&screen));
  QCOMPARE(enabledButtons(&screen), enabled);

  // Back from the edit state, the grade is read again.
  if (level == QLatin1String("1")) return;
  button(&screen, "btnovo")->click();
  QVERIFY(run(QStringLiteral("update usuarios set cadastro = '1' where nome = 'TESTE'")));
  button(&screen, "btcancelar")->click();
  QCOMPARE(enabledButtons(&screen), (QStringList{"btanterior", "btproximo", "btcancelar"}));
}

void TestRecordScreen::opensOnTheSearchTabAndFindsContainedNames() {
  addClient(QStringLiteral("MARIA SILVA"));
  addClient(QStringLiteral("ANA SILVEIRA"));
  addClient(QStringLiteral("JOSE SOUZA"));
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  QCOMPARE(screen.pages()->currentIndex(), 0);
  QCOMPARE(QApplication::focusWidget(), screen.searchField());
  QVERIFY(child<QRadioButton>(&screen, QStringLiteral("rbnome"))->isChecked());
  QCOMPARE(screen.state(), RecordScreen::State::Browse);

  // A name search finds the text anywhere in the name, ordered by name; Enter goes to the grid.
  typeInto(screen.searchField(), QStringLiteral("SILV"));
  pressEnter();
  QCOMPARE(screen.dataset()->rowCount(), 2);
  QCOMPARE(screen.grid()->cellText(0, 1), QStringLiteral("ANA SILVEIRA"));
  QCOMPARE(screen.grid()->cellText(1, 1), QStringLiteral("MARIA SILVA"));
  QCOMPARE(QApplication::focusWidget(), screen.grid());

  // Enter on a row shows it on the record tab.
  QTest::keyClick(screen.grid(), Qt::Key_Down);
  pressEnter();
  QCOMPARE(screen.pages()->currentIndex(), 1);
  QCOMPARE(screen.ednome->text(), QStringLiteral("MARIA SILVA"));

  // Another option empties the search; "Geral" lists everything.
  screen.pages()->setCurrentIndex(0);
  child<QRadioButton>(&screen, QStringLiteral("rbcodigo"))->click();
  QVERIFY(!screen.dataset()->isOpen());
  QVERIFY(screen.searchField()->text().isEmpty());
  child<QRadioButton>(&screen, QStringLiteral("rbgeral"))->click();
  QCOMPARE(screen.dataset()->rowCount(), 3);
  QCOMPARE(QApplication::focusWidget(), screen.grid());
}

void TestRecordScreen::checksRunInOrderAndFocusTheirField_data() {
  QTest::addColumn<QString>("nome");
  QTest::addColumn<QString>("endereco");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focused");
  QTest::newRow("both empty: the first check") << "" << "" << "Nome do Cliente Deve Ser Preenchido" << "ednome";
  QTest::newRow("blanks count as empty") << "   " << "RUA" << "Nome do Cliente Deve Ser Preenchido" << "ednome";
  QTest::newRow("name typed: the second") << "ANA" << "" << "Endereço do Cliente Deve Ser Preenchido" << "EdEndereco";
}

void TestRecordScreen::checksRunInOrderAndFocusTheirField() {
  QFETCH(QString, nome);
  QFETCH(QString, endereco);
  QFETCH(QString, message);
  QFETCH(QString, focused);
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  QCOMPARE(QApplication::focusWidget(), screen.ednome);
  screen.ednome->setText(nome);
  screen.EdEndereco->setText(endereco);
  messages_->clear();
  button(&screen, "btgravar")->click();
  QCOMPARE(messages_->texts(), QStringList{message});
  QCOMPARE(messages_->calls.first().title, QStringLiteral("Erro de Preenchimento de Campo"));
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Error);
  QCOMPARE(QApplication::focusWidget()->objectName(), focused);
  QCOMPARE(screen.state(), RecordScreen::State::Edit);
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 0);
}

void TestRecordScreen::escapeClosesWithoutSavingOrAudit() {
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  typeInto(screen.ednome, QStringLiteral("ANA"));
  typeInto(screen.EdEndereco, QStringLiteral("RUA B"));
  QTest::keyClick(screen.EdEndereco, Qt::Key_Escape);
  QVERIFY(!screen.isVisible());
  QCOMPARE(screen.result(), int(QDialog::Rejected));
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 0);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
  QVERIFY(messages_->calls.isEmpty());
}

void TestRecordScreen::blankDateIsStoredAsNull() {
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  typeInto(screen.ednome, QStringLiteral("ANA"));
  typeInto(screen.EdEndereco, QStringLiteral("RUA B"));
  QVERIFY(screen.medtnasc->isBlank());
  QTest::keyClick(screen.EdEndereco, Qt::Key_F12);  // F12 saves from the record fields

  QVERIFY2(messages_->calls.isEmpty(), qPrintable(messages_->texts().join(QLatin1Char('|'))));
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where nome = 'ANA' and dtnasc is null")), 1);
  // An empty rate stores no value on an insert.
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where nome = 'ANA' and taxapme is null")), 1);
  QCOMPARE(scalar(QStringLiteral("select cadastro from clientes")).toDate(), QDate::currentDate());
  // The saved row is shown again with its new code, and audited.
  const int code = scalar(QStringLiteral("select codigo from clientes")).toInt();
  QCOMPARE(screen.EdCodigo->text(), QString::number(code));
  QVERIFY(screen.medtnasc->isBlank());
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where rotina = 'CLIENTE' and operacao = 'I' and "
                               "historico = 'ANA' and favorecido = ? and operador = 'TESTE'"),
                {code}),
           1);
}

void TestRecordScreen::showsStoredValues_data() {
  QTest::addColumn<QString>("dtnasc");  // as the row holds it
  QTest::addColumn<QVariant>("taxa");
  QTest::addColumn<QString>("sexo");
  QTest::addColumn<QString>("shownDate");
  QTest::addColumn<QString>("shownTaxa");
  QTest::addColumn<QString>("shownSexo");
  QTest::newRow("no date, no rate") << QString() << QVariant() << "" << "" << "0,00" << "";
  QTest::newRow("the zero date") << "0000-00-00" << QVariant(0.0) << "M" << "" << "0,00" << "MASCULINO";
  QTest::newRow("30/12/1899") << "1899-12-30" << QVariant(1234.5) << "F" << "" << "1.234,50" << "FEMININO";
  QTest::newRow("a date") << "1980-07-05" << QVariant(98765.4) << "X" << "05/07/1980" << "98.765,40" << "";
}

void TestRecordScreen::showsStoredValues() {
  QFETCH(QString, dtnasc);
  QFETCH(QVariant, taxa);
  QFETCH(QString, sexo);
  QFETCH(QString, shownDate);
  QFETCH(QString, shownTaxa);
  QFETCH(QString, shownSexo);
  // Older rows hold zero dates; the server is told to take them as they are.
  QVERIFY(run(QStringLiteral("set session sql_mode = ''")));
  QString error;
  QVERIFY2(run(QStringLiteral("insert into clientes (nome, endereco, dtnasc, taxapme, sexo) values ('ANA', 'RUA', ?, ?, ?)"),
               {dtnasc.isNull() ? QVariant() : QVariant(dtnasc), taxa, sexo}, &error),
           qPrintable(error));
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  child<QRadioButton>(&screen, QStringLiteral("rbgeral"))->click();
  pressEnter();
  QCOMPARE(screen.ednome->text(), QStringLiteral("ANA"));
  QCOMPARE(screen.medtnasc->isBlank(), shownDate.isEmpty());
  if (shownDate.isEmpty()) QCOMPARE(screen.medtnasc->displayText(), QStringLiteral("__/__/____"));
  else QCOMPARE(screen.medtnasc->text(), shownDate);
  QCOMPARE(screen.edtaxaPME->text(), shownTaxa);
  QCOMPARE(screen.cbsexo->currentText(), shownSexo);
}

void TestRecordScreen::unreadableDateKeepsTheFocus() {
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  screen.medtnasc->setFocus();
  QTest::keyClicks(screen.medtnasc, QStringLiteral("31022024"));
  QCOMPARE(screen.medtnasc->text(), QStringLiteral("31/02/2024"));
  pressEnter();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Data Inválida!")});
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Error);
  QCOMPARE(messages_->calls.first().title, QStringLiteral("Atenção"));
  QCOMPARE(QApplication::focusWidget(), screen.medtnasc);

  // "Gravar" refuses it too: a mistyped date is never stored as no date.
  screen.ednome->setText(QStringLiteral("ANA"));
  screen.EdEndereco->setText(QStringLiteral("RUA"));
  messages_->clear();
  screen.btgravarClick();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Data Inválida!")});
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 0);

  // A readable one goes through.
  screen.medtnasc->setDate(QDate(2024, 2, 29));
  messages_->clear();
  screen.btgravarClick();
  QVERIFY(messages_->calls.isEmpty());
  QCOMPARE(scalar(QStringLiteral("select dtnasc from clientes")).toDate(), QDate(2024, 2, 29));
}

void TestRecordScreen::saveAndAuditShareOneTransaction() {
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  screen.ednome->setText(QStringLiteral("ANA"));
  screen.EdEndereco->setText(QStringLiteral("RUA"));
  // The audit trail cannot be written: the client row must not stay behind alone.
  QVERIFY(run(QStringLiteral("rename table rastro to rastro_fora")));
  screen.btgravarClick();
  QVERIFY(run(QStringLiteral("rename table rastro_fora to rastro")));
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Error);
  QVERIFY2(messages_->calls.first().text.contains(QStringLiteral("rastro")), qPrintable(messages_->calls.first().text));
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 0);
  QCOMPARE(screen.state(), RecordScreen::State::Edit);
  QCOMPARE(screen.ednome->text(), QStringLiteral("ANA"));

  // Once the trail is back the same save goes through.
  messages_->clear();
  screen.btgravarClick();
  QVERIFY(messages_->calls.isEmpty());
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 1);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where operacao = 'I'")), 1);
}

void TestRecordScreen::changeWritesTheShownRow() {
  const int ana = addClient(QStringLiteral("ANA"), QDate(1990, 1, 2), 5.0);
  const int beto = addClient(QStringLiteral("BETO"));
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  child<QRadioButton>(&screen, QStringLiteral("rbgeral"))->click();
  pressEnter();  // the first row, ANA
  button(&screen, "btalterar")->click();
  QCOMPARE(screen.mode(), RecordScreen::Mode::Change);
  QCOMPARE(QApplication::focusWidget(), screen.ednome);
  screen.ednome->setText(QStringLiteral("ANA MARIA"));
  screen.medtnasc->clearDate();
  screen.edtaxaPME->clear();
  screen.btgravarClick();
  QVERIFY(messages_->calls.isEmpty());
  QCOMPARE(scalar(QStringLiteral("select nome from clientes where codigo = ?"), {ana}).toString(), QStringLiteral("ANA MARIA"));
  QVERIFY(scalar(QStringLiteral("select dtnasc from clientes where codigo = ?"), {ana}).isNull());
  // an empty rate stores 0 on a change
  QCOMPARE(scalar(QStringLiteral("select taxapme from clientes where codigo = ?"), {ana}), QVariant(0.0));
  QCOMPARE(scalar(QStringLiteral("select nome from clientes where codigo = ?"), {beto}).toString(), QStringLiteral("BETO"));
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where operacao = 'A' and historico = 'ANA MARIA' and favorecido = ?"), {ana}), 1);
  QCOMPARE(screen.EdCodigo->text(), QString::number(ana));
}

void TestRecordScreen::deletionIsRefusedInUseAndAsksFirst() {
  const int used = addClient(QStringLiteral("ANA"));
  const int free = addClient(QStringLiteral("BETO"));
  QVERIFY(run(QStringLiteral("insert into docreceber (cliente, doc, emissao, vencto, valor) values (?, '1', '2024-01-01', '2024-02-01', 10)"), {used}));
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));

  // Nothing shown: the select message and back to the search tab.
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btexcluir")->click();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Selecione um Cliente")});
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Information);
  QCOMPARE(screen.pages()->currentIndex(), 0);

  child<QRadioButton>(&screen, QStringLiteral("rbgeral"))->click();
  pressEnter();  // ANA, who has a receivable
  messages_->clear();
  button(&screen, "btexcluir")->click();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Cliente com Movimentação")});
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Warning);
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes")), 2);

  screen.pages()->setCurrentIndex(0);
  screen.grid()->setFocus();
  QTest::keyClick(screen.grid(), Qt::Key_Down);
  pressEnter();  // BETO
  QCOMPARE(screen.ednome->text(), QStringLiteral("BETO"));
  for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Cancel}) {
    messages_->clear();
    messages_->answer(answer);
    button(&screen, "btexcluir")->click();
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Deseja excluir o registro?")});
    QCOMPARE(messages_->calls.first().title, QStringLiteral("Velmora"));
    QCOMPARE(rows(QStringLiteral("select count(*) from clientes where codigo = ?"), {free}), 1);
  }
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);

  messages_->clear();
  messages_->answer(QMessageBox::Yes);
  button(&screen, "btexcluir")->click();
  QCOMPARE(rows(QStringLiteral("select count(*) from clientes where codigo = ?"), {free}), 0);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where operacao = 'E' and historico = 'BETO' and favorecido = ?"), {free}), 1);
  QVERIFY(screen.ednome->text().isEmpty());
  QCOMPARE(screen.state(), RecordScreen::State::Browse);
  QCOMPARE(screen.dataset()->rowCount(), 1);
}

void TestRecordScreen::nameFieldRefusesTheNameRule_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("kept");
  QTest::newRow("a digit") << "JO5AO" << "JOAO";
  QTest::newRow("symbols") << "A.B-C@D/E'F(G)" << "ABCDEFG";
  QTest::newRow("accents and cedilla") << "CONCEIÇÃO é" << "CONCEIO ";
  QTest::newRow("lower case goes up") << "maria da silva" << "MARIA DA SILVA";
}

void TestRecordScreen::nameFieldRefusesTheNameRule() {
  QFETCH(QString, typed);
  QFETCH(QString, kept);
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  typeText(screen.ednome, typed);
  QCOMPARE(screen.ednome->text(), kept);
  // The same text composed by an input method (dead keys) keeps the same characters.
  screen.ednome->clear();
  QInputMethodEvent composed;
  composed.setCommitString(typed);
  QApplication::sendEvent(screen.ednome, &composed);
  QCOMPARE(screen.ednome->text(), kept);
  // Other fields keep their own case rule and take any character.
  QTest::keyClicks(screen.Edemail, QStringLiteral("Ana.5@X.COM"));
  QCOMPARE(screen.Edemail->text(), QStringLiteral("ana.5@x.com"));
}

void TestRecordScreen::enterMovesOnAndFocusIsPainted() {
  ClientesDeTeste screen;
  QVERIFY(showActive(&screen));
  screen.pages()->setCurrentIndex(1);
  button(&screen, "btnovo")->click();
  const QColor standard = screen.EdEndereco->palette().color(QPalette::Base);
  QCOMPARE(screen.ednome->palette().color(QPalette::Base), QColor(255, 255, 128));
  pressEnter();
  QCOMPARE(QApplication::focusWidget(), screen.EdEndereco);
  QCOMPARE(screen.EdEndereco->palette().color(QPalette::Base), QColor(255, 255, 128));
  QCOMPARE(screen.ednome->palette().color(QPalette::Base), standard);
  // The Up arrow goes back in the record fields.
  QTest::keyClick(screen.EdEndereco, Qt::Key_Up);
  QCOMPARE(QApplication::focusWidget(), screen.ednome);

  // A combo that takes no typing is painted in the colour it is drawn with.
  screen.cbsexo->setFocus();
  QCOMPARE(screen.cbsexo->palette().color(QPalette::Button), QColor(255, 255, 128));

  // Enter in a memo moves on as well, Shift+Enter too; neither breaks a line.
  for (Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
    screen.Memo1->setPlainText(QString());
    screen.Memo1->setFocus();
    QTest::keyClicks(screen.Memo1, QStringLiteral("LINHA"));
    QTest::keyClick(screen.Memo1, Qt::Key_Return, modifiers);
    QCOMPARE(screen.Memo1->toPlainText(), QStringLiteral("LINHA"));
    QCOMPARE(QApplication::focusWidget(), screen.Edemail);
  }
  QVERIFY(screen.cbsexo->palette().color(QPalette::Button) != QColor(255, 255, 128));
  QVERIFY(messages_->calls.isEmpty());
}

void TestRecordScreen::dateFillsTodayOnEntering_data() {
  QTest::addColumn<bool>("todayOnEnter");
  QTest::addColumn<QString>("how");  // how the focus reaches the date
  QTest::addColumn<bool>("filled");
  QTest::newRow("as the window first shows") << true << "first showing" << true;
  QTest::newRow("tabbed into") << true << "tab" << true;
  QTest::newRow("back from another window, left blank") << true << "back" << false;
  QTest::newRow("a date without the option") << false << "first showing" << false;
}

void TestRecordScreen::dateFillsTodayOnEntering() {
  QFETCH(bool, todayOnEnter);
  QFETCH(QString, how);
  QFETCH(bool, filled);
  // No focus is set before the window shows: the first control takes it with the window.
  QDialog screen;
  ScreenBehaviour behaviour(&screen);
  auto *layout = new QVBoxLayout(&screen);
  const bool tab = how == QLatin1String("tab");
  QLineEdit *before = tab ? Fields::upper(&screen, QStringLiteral("edantes")) : nullptr;
  DateEdit *date = Fields::date(&screen, QStringLiteral("medata"), todayOnEnter);
  QLineEdit *after = Fields::upper(&screen, QStringLiteral("eddepois"));
  if (before) layout->addWidget(before);
  layout->addWidget(date);
  layout->addWidget(after);
  QVERIFY(showActive(&screen));
  if (tab) {
    QCOMPARE(QApplication::focusWidget(), before);
    QVERIFY(date->isBlank());
    QTest::keyClick(before, Qt::Key_Tab);
  } else if (how == QLatin1String("back")) {
    // The user empties the date, another window takes the keyboard, then this one again.
    date->clearDate();
    QWidget other;
    QVERIFY(showActive(&other));
    QVERIFY(showActive(&screen));
  }
  QCOMPARE(QApplication::focusWidget(), date);
  const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
  QCOMPARE(date->isBlank(), !filled);
  if (filled) {
    QCOMPARE(date->text(), today);
    QCOMPARE(date->selectedText(), today);
  }
}

void TestRecordScreen::f10LookupWritesBackAndRunsTheExitCheck() {
  addClient(QStringLiteral("ANA"));
  const int beto = addClient(QStringLiteral("BETO"));
  Screens::add(QStringLiteral("ClientesDeTeste"), [](QWidget *parent) { return new ClientesDeTeste(parent); });
  // The look-up as a person uses it: list everything, go down a row, Enter.
  Screens::setHook([](QDialog *dialog) {
    if (!showActive(dialog)) return int(QDialog::Rejected);
    dialog->findChild<QRadioButton *>(QStringLiteral("rbgeral"))->click();
    auto *grid = dialog->findChild<RecordGrid *>(QStringLiteral("DBGrid1"));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    return dialog->result();
  });

  LookupCaller caller(QStringLiteral("ClientesDeTeste"));
  QVERIFY(caller.pressF10());
  QCOMPARE(caller.edcliente->text(), QString::number(beto));
  QCOMPARE(caller.checked, QStringList{QString::number(beto)});
}

void TestRecordScreen::gridShowsMasksColoursAndTakesCommands() {
  Dataset rows;
  rows.setStatement(QStringLiteral("select 1 as n, 1234.5e0 as valor, date '2024-05-02' as data, '12345678901' as cpf, "
                                   "'F' as sexo union all select 2, null, null, '', 'X' order by n"));
  QVERIFY(rows.open());
  QDialog screen;
  ScreenBehaviour behaviour(&screen);
  RecordGrid grid(&screen);
  grid.setDataset(&rows);
  GridColumn cpf = {QStringLiteral("cpf"), QStringLiteral("CPF"), GridColumn::Format::Mask};
  cpf.mask = QStringLiteral("999.999.999-99");
  GridColumn sexo = {QStringLiteral("sexo"), QStringLiteral("Sexo"), GridColumn::Format::Codes};
  sexo.texts = {{QStringLiteral("M"), QStringLiteral("MASCULINO")}, {QStringLiteral("F"), QStringLiteral("FEMININO")}};
  grid.setColumns({{QStringLiteral("valor"), QStringLiteral("Valor R$"), GridColumn::Format::Amount},
                   {QStringLiteral("data"), QStringLiteral("Data"), GridColumn::Format::Date}, cpf, sexo});
  grid.setRowColour([](const QSqlRecord &r) {
    return r.value(QStringLiteral("sexo")).toString() == QLatin1String("F") ? QColor(Qt::red) : QColor();
  });
  QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Valor R$"));
  const QStringList first{grid.cellText(0, 0), grid.cellText(0, 1), grid.cellText(0, 2), grid.cellText(0, 3)};
  QCOMPARE(first, (QStringList{"1.234,50", "02/05/2024", "123.456.789-01", "FEMININO"}));
  const QStringList second{grid.cellText(1, 0), grid.cellText(1, 1), grid.cellText(1, 2), grid.cellText(1, 3)};
  QCOMPARE(second, (QStringList{"0,00", "", "", "X"}));
  QCOMPARE(grid.model()->data(grid.model()->index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
  QVERIFY(!grid.model()->data(grid.model()->index(1, 1), Qt::ForegroundRole).isValid());

  // An F-key runs its command on the row the grid stands on.
  QStringList ran;
  grid.addCommand(QKeyCombination(Qt::Key_F11), QStringLiteral("Comissão"),
                  [&] { ran << grid.currentRecord().value(QStringLiteral("sexo")).toString(); });
  auto *layout = new QVBoxLayout(&screen);
  layout->addWidget(&grid);
  QVERIFY(showActive(&screen));
  grid.setFocus();
  QTest::keyClick(&grid, Qt::Key_Down);
  QTest::keyClick(&grid, Qt::Key_F11);
  QCOMPARE(ran, QStringList{QStringLiteral("X")});
  layout->removeWidget(&grid);
  grid.setParent(nullptr);
}

void TestRecordScreen::lookupListAddsOnLeavingTheName() {
  LookupListScreen screen(regioes());
  QVERIFY(showActive(&screen));
  auto *ednome = child<QLineEdit>(&screen, QStringLiteral("ednome"));
  QCOMPARE(QApplication::focusWidget(), ednome);
  QTest::keyClicks(ednome, QStringLiteral("norte"));
  pressEnter();
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao where nome = 'NORTE' and ativo is null")), 1);
  QVERIFY(ednome->text().isEmpty());
  QCOMPARE(QApplication::focusWidget(), ednome);
  QCOMPARE(screen.dataset()->rowCount(), 1);

  // An existing name adds nothing and says nothing; trailing blanks make another name.
  QTest::keyClicks(ednome, QStringLiteral("NORTE"));
  pressEnter();
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao")), 1);
  ednome->setFocus();
  ednome->setText(QStringLiteral("NORTE "));
  pressEnter();
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao")), 2);
  QVERIFY(messages_->calls.isEmpty());
  // the regions list writes no audit row when adding
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro")), 0);
}

void TestRecordScreen::lookupListF12TogglesTheSameEntry() {
  QVERIFY(run(QStringLiteral("insert into regiao (nome) values ('CENTRO'), ('SUL')")));
  LookupListScreen screen(regioes());
  QVERIFY(showActive(&screen));
  auto *grid = child<RecordGrid>(&screen, QStringLiteral("DBGrid1"));
  QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ativo"));
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);  // SUL
  QCOMPARE(screen.dataset()->value(QStringLiteral("nome")).toString(), QStringLiteral("SUL"));
  const auto flag = [] { return scalar(QStringLiteral("select ativo from regiao where nome = 'SUL'")).toString(); };
  QTest::keyClick(grid, Qt::Key_F12);
  QCOMPARE(flag(), QStringLiteral("S"));
  QTest::keyClick(grid, Qt::Key_F12);
  QCOMPARE(flag(), QStringLiteral("N"));
  QTest::keyClick(grid, Qt::Key_F12);
  QCOMPARE(flag(), QStringLiteral("S"));
  QVERIFY(scalar(QStringLiteral("select ativo from regiao where nome = 'CENTRO'")).isNull());
}

void TestRecordScreen::lookupListDeletionIsRefusedWhileASaleUsesIt() {
  QVERIFY(run(QStringLiteral("insert into regiao (nome) values ('LESTE')")));
  const int code = scalar(QStringLiteral("select codigo from regiao")).toInt();
  QVERIFY(run(QStringLiteral("insert into seguros (produto, proposta, seguradora, vendedor, producao, regiao) "
                             "values (1, 'P1', 1, 0, '2024-01-01', ?)"),
              {code}));
  LookupListScreen screen(regioes());
  QVERIFY(showActive(&screen));
  auto *grid = child<RecordGrid>(&screen, QStringLiteral("DBGrid1"));
  const QPoint row = grid->visualRect(grid->model()->index(0, 1)).center();
  doubleClick(grid, row);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Região com Movimentação")});
  QCOMPARE(messages_->calls.first().icon, Messages::Icon::Information);
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao")), 1);

  QVERIFY(run(QStringLiteral("delete from seguros")));
  messages_->clear();  // unanswered, the question takes its default: No
  doubleClick(grid, row);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Confima Operação?")});
  QCOMPARE(messages_->calls.first().title, QStringLiteral("Excluir Item?"));
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao")), 1);

  messages_->answer(QMessageBox::Yes);
  doubleClick(grid, row);
  QCOMPARE(rows(QStringLiteral("select count(*) from regiao")), 0);
  QCOMPARE(rows(QStringLiteral("select count(*) from rastro where rotina = 'REGIÃO' and operacao = 'E' and "
                               "historico = 'LESTE' and favorecido = 0 and valor = 0")),
           1);
  QCOMPARE(screen.dataset()->rowCount(), 0);
  QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&screen, QStringLiteral("ednome")));
}

QTEST_MAIN(TestRecordScreen)
#include "tst_recordscreen.moc"
