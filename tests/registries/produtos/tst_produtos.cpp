#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>

#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/dataset.h"
#include "app/record/recordgrid.h"
#include "app/screens.h"
#include "app/session.h"
#include "registries/frmprodutos.h"
#include "registries/registryscreens.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

// The products screen: insurer by trade name, save and its audit, the computed insurer column,
// F11 commission, F12 active flag and the refusal to delete a product a sale uses.
class TestProdutos : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();

  void savesAProductUnderTheFirstInsurerOfThatTradeName();
  void saveNeedsInsurerAndName_data();
  void saveNeedsInsurerAndName();
  void unknownInsurerKeepsTheFocus();
  void insurerColumn_data();
  void insurerColumn();
  void f11StoresTheCommission_data();
  void f11StoresTheCommission();
  void f11OffersTheLastTextTyped();
  void f12TogglesTheActiveFlag();
  void productUsedByASaleIsNotDeleted();
};

namespace {

// Remembers the default button and the default text each box was given.
class RecordingMessages : public ScriptedMessages {
 public:
  Button box(Icon icon, const QString &title, const QString &text, Buttons buttons, Button defaultButton) override {
    defaults << defaultButton;
    return ScriptedMessages::box(icon, title, text, buttons, defaultButton);
  }
  std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override {
    inputDefaults << defaultText;
    return ScriptedMessages::input(caption, prompt, defaultText);
  }
  QList<Button> defaults;
  QStringList inputDefaults;
};

template <class T>
T *child(QWidget *screen, const char *name) {
  T *w = screen->findChild<T *>(QString::fromLatin1(name));
  if (!w) qFatal("control %s not found", name);
  return w;
}

void click(QWidget *screen, const char *button) {
  QTest::mouseClick(child<QPushButton>(screen, button), Qt::LeftButton);
}

int insertClient(const QString &fantasia) {
  QVariant id;
  run("INSERT INTO clientes (nome, fantasia) VALUES (?, ?)", {fantasia + " LTDA", fantasia}, &id);
  return id.toInt();
}

int insertProduct(const QString &nome, const QVariant &seguradora = 0) {
  QVariant id;
  run("INSERT INTO produtos (nome, seguradora) VALUES (?, ?)", {nome, seguradora}, &id);
  return id.toInt();
}

struct Screen {
  TFrmProdutos screen;
  Screen() {
    screen.show();
    if (!QTest::qWaitForWindowActive(&screen)) qWarning("screen not active");
  }
  QComboBox *insurer() { return child<QComboBox>(&screen, "cbseguradora"); }
  QLineEdit *name() { return child<QLineEdit>(&screen, "ednome"); }
  RecordGrid *grid() { return child<RecordGrid>(&screen, "DBGrid1"); }
  Dataset *rows() { return screen.dataset(); }
  void standOn(int codigo) { QVERIFY(rows()->locate("codigo", codigo)); }
  void clickRow(int row) {
    const QRect cell = grid()->visualRect(grid()->model()->index(row, 0));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
  }
  void key(Qt::Key k) {
    grid()->setFocus();
    QTest::keyClick(grid(), k);
  }
};

}  // namespace

void TestProdutos::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  registerRegistryScreens();
}

void TestProdutos::init() {
  Session::instance().login(QStringLiteral("MARIA"));
  QVERIFY(run("DELETE FROM produtos") && run("DELETE FROM clientes") && run("DELETE FROM seguros") &&
          run("DELETE FROM rastro"));
}

void TestProdutos::savesAProductUnderTheFirstInsurerOfThatTradeName() {
  const int alfa = insertClient("ALFA SAUDE");
  const int gama1 = insertClient("GAMA");
  insertClient("GAMA");
  ScriptedMessages messages;
  Screen s;
  QVERIFY(Screens::has("TFrmProdutos"));
  QCOMPARE(s.screen.windowTitle(), QStringLiteral("Cadastro de Produtos"));
  QVERIFY(!s.screen.findChild<QPushButton *>("btprimeiro"));

  click(&s.screen, "btnovo");
  QCOMPARE(QApplication::focusWidget(), s.insurer());
  QTest::keyClicks(s.insurer()->lineEdit(), "gama");  // typed in lower case, kept in upper case
  QTest::keyClick(s.insurer()->lineEdit(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), s.name());
  QTest::keyClicks(s.name(), "plano ouro");
  click(&s.screen, "btgravar");
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));

  const QVariant codigo = scalar("SELECT codigo FROM produtos WHERE nome = 'PLANO OURO'");
  QCOMPARE(scalar("SELECT seguradora FROM produtos WHERE codigo = ?", {codigo}).toInt(), gama1);
  QCOMPARE(scalar("SELECT CONCAT_WS('|', rotina, operacao, historico, favorecido, valor, obs) FROM rastro").toString(),
           QStringLiteral("PRODUTOS|I|PLANO OURO|0|0|GAMA"));
  QCOMPARE(s.screen.state(), RecordScreen::State::Browse);
  QCOMPARE(QApplication::focusWidget(), child<QPushButton>(&s.screen, "btnovo"));
  QCOMPARE(s.rows()->value("codigo"), codigo);
  QCOMPARE(s.grid()->cellText(s.rows()->row(), 1), QStringLiteral("GAMA"));
  // the fields are left empty for the next product, so "Alterar" waits for a row to be shown
  QCOMPARE(s.name()->text(), QString());
  QCOMPARE(s.insurer()->currentText(), QString());
  click(&s.screen, "btalterar");
  QCOMPARE(s.screen.state(), RecordScreen::State::Browse);
  s.clickRow(s.rows()->row());
  QCOMPARE(s.name()->text(), QStringLiteral("PLANO OURO"));
  QCOMPARE(s.insurer()->currentText(), QStringLiteral("GAMA"));

  // "Cancelar" gives up what was typed and empties the fields
  click(&s.screen, "btalterar");
  s.name()->setText("PLANO BRONZE");
  click(&s.screen, "btcancelar");
  QCOMPARE(s.screen.state(), RecordScreen::State::Browse);
  QCOMPARE(s.name()->text(), QString());
  QCOMPARE(scalar("SELECT nome FROM produtos WHERE codigo = ?", {codigo}).toString(), QStringLiteral("PLANO OURO"));
  s.clickRow(s.rows()->row());

  // a change rewrites name and insurer of the same row and leaves no audit row
  click(&s.screen, "btalterar");
  s.insurer()->setEditText("ALFA SAUDE");
  s.name()->setText("PLANO PRATA");
  click(&s.screen, "btgravar");
  QVERIFY2(messages.calls.isEmpty(), qPrintable(messages.texts().join('|')));
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos").toInt(), 1);
  QCOMPARE(scalar("SELECT CONCAT(nome, '|', seguradora) FROM produtos WHERE codigo = ?", {codigo}).toString(),
           QStringLiteral("PLANO PRATA|%1").arg(alfa));
  QCOMPARE(scalar("SELECT COUNT(*) FROM rastro").toInt(), 1);
  QCOMPARE(s.grid()->cellText(s.rows()->row(), 1), QStringLiteral("ALFA SAUDE"));
}

void TestProdutos::saveNeedsInsurerAndName_data() {
  QTest::addColumn<QString>("insurer");
  QTest::addColumn<QString>("name");
  QTest::newRow("no insurer") << ""
                              << "PLANO OURO";
  QTest::newRow("no name") << "ALFA SAUDE"
                           << "";
}

void TestProdutos::saveNeedsInsurerAndName() {
  QFETCH(QString, insurer);
  QFETCH(QString, name);
  insertClient("ALFA SAUDE");
  ScriptedMessages messages;
  Screen s;
  click(&s.screen, "btnovo");
  s.insurer()->setEditText(insurer);
  s.name()->setText(name);
  click(&s.screen, "btgravar");
  QVERIFY(messages.calls.isEmpty());
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos").toInt(), 0);
  QCOMPARE(scalar("SELECT COUNT(*) FROM rastro").toInt(), 0);
  QCOMPARE(s.screen.state(), RecordScreen::State::Edit);
}

void TestProdutos::unknownInsurerKeepsTheFocus() {
  insertClient("ALFA SAUDE");
  ScriptedMessages messages;
  Screen s;
  click(&s.screen, "btnovo");
  QTest::keyClicks(s.insurer()->lineEdit(), "OMEGA");
  QTest::keyClick(s.insurer()->lineEdit(), Qt::Key_Tab);
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, QStringLiteral("Seguradora não Cadastrada!"));
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Atenção"));
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Information);
  QCOMPARE(QApplication::focusWidget(), s.insurer());

  // nor can "Gravar" be reached with it
  s.name()->setText("PLANO OURO");
  click(&s.screen, "btgravar");
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos").toInt(), 0);
}

void TestProdutos::insurerColumn_data() {
  QTest::addColumn<QString>("seguradora");  // "client": the code of a client; else the stored value
  QTest::addColumn<QString>("shown");
  QTest::newRow("an insurer") << "client"
                              << "BETA SEGUROS";
  QTest::newRow("zero") << "0"
                        << "";
  QTest::newRow("negative") << "-1"
                            << "";
  QTest::newRow("no value") << "null"
                            << "";
  QTest::newRow("insurer deleted") << "deleted"
                                   << "";
}

void TestProdutos::insurerColumn() {
  QFETCH(QString, seguradora);
  QFETCH(QString, shown);
  const int beta = insertClient("BETA SEGUROS");
  QVariant stored;
  if (seguradora == "client")
    stored = beta;
  else if (seguradora == "null")
    stored = QVariant(QMetaType(QMetaType::Int));
  else if (seguradora == "deleted")
    stored = beta + 100;
  else
    stored = seguradora.toInt();
  insertProduct("PLANO", stored);
  Screen s;
  QCOMPARE(s.rows()->rowCount(), 1);
  QCOMPARE(s.grid()->cellText(0, 1), shown);
  QCOMPARE(s.grid()->cellText(0, 2), QStringLiteral("PLANO"));
  // clicking the row shows its name and its insurer's trade name
  QTest::mouseClick(s.grid()->viewport(), Qt::LeftButton, {},
                    s.grid()->visualRect(s.grid()->model()->index(0, 2)).center());
  QCOMPARE(s.name()->text(), QStringLiteral("PLANO"));
  QCOMPARE(s.insurer()->currentText(), shown);
}

void TestProdutos::f11StoresTheCommission_data() {
  QTest::addColumn<std::optional<QString>>("typed");
  QTest::addColumn<QVariant>("stored");  // null: nothing stored
  QTest::addColumn<QString>("message");
  QTest::newRow("decimal comma") << std::optional<QString>("2,5") << QVariant(2.5) << "";
  QTest::newRow("thousands point") << std::optional<QString>("1.234,5") << QVariant(1234.5) << "";
  QTest::newRow("empty is zero") << std::optional<QString>("") << QVariant(0.0) << "";
  QTest::newRow("not a number") << std::optional<QString>("2,5x") << QVariant()
                                << "'2,5x' não é um valor numérico válido";
  QTest::newRow("cancelled") << std::optional<QString>() << QVariant() << "";
}

void TestProdutos::f11StoresTheCommission() {
  QFETCH(std::optional<QString>, typed);
  QFETCH(QVariant, stored);
  QFETCH(QString, message);
  insertProduct("PLANO A");
  const int b = insertProduct("PLANO B");
  insertProduct("PLANO C");
  ScriptedMessages messages;
  messages.answerInput(typed);
  Screen s;
  s.standOn(b);
  s.key(Qt::Key_F11);
  QCOMPARE(messages.calls.at(0).isInput, true);
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Digite a Comissão"));
  QCOMPARE(messages.calls.at(0).text, QStringLiteral("Alterar Comissão"));
  QCOMPARE(messages.calls.size(), message.isEmpty() ? 1 : 2);
  if (!message.isEmpty()) {
    QCOMPARE(messages.calls.at(1).text, message);
    QCOMPARE(messages.calls.at(1).icon, Messages::Icon::Error);
  }
  const QVariant comissao = scalar("SELECT comissao FROM produtos WHERE codigo = ?", {b});
  QCOMPARE(comissao.isNull(), stored.isNull());
  if (!stored.isNull()) QCOMPARE(comissao.toDouble(), stored.toDouble());
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos WHERE comissao IS NOT NULL").toInt(), stored.isNull() ? 0 : 1);
  QCOMPARE(s.rows()->value("codigo").toInt(), b);  // still on that product
}

void TestProdutos::f11OffersTheLastTextTyped() {
  const int a = insertProduct("PLANO A");
  RecordingMessages messages;
  messages.answerInput(QString("7,25"));
  messages.answerInput(std::nullopt);
  {
    Screen s;
    s.key(Qt::Key_F11);
  }
  Screen again;  // kept while the program runs, not only while the screen is open
  again.key(Qt::Key_F11);
  QCOMPARE(messages.inputDefaults.size(), 2);
  QCOMPARE(messages.inputDefaults.at(1), QStringLiteral("7,25"));
  QCOMPARE(scalar("SELECT comissao FROM produtos WHERE codigo = ?", {a}).toDouble(), 7.25);
}

void TestProdutos::f12TogglesTheActiveFlag() {
  insertProduct("PLANO A");
  const int b = insertProduct("PLANO B");
  Screen s;
  s.standOn(b);
  for (const char *expected : {"S", "N", "S"}) {
    s.key(Qt::Key_F12);
    QCOMPARE(scalar("SELECT ativo FROM produtos WHERE codigo = ?", {b}).toString(), QString::fromLatin1(expected));
    QCOMPARE(s.rows()->value("codigo").toInt(), b);
    QCOMPARE(s.grid()->cellText(s.rows()->row(), 3), QString::fromLatin1(expected));
  }
  QVERIFY(scalar("SELECT ativo FROM produtos WHERE codigo <> ?", {b}).isNull());
}

void TestProdutos::productUsedByASaleIsNotDeleted() {
  const int a = insertProduct("PLANO A");
  const int b = insertProduct("PLANO B");
  QVariant sale;
  QVERIFY(
      run("INSERT INTO seguros (produto, proposta, seguradora, vendedor, producao) VALUES (?, '1', 1, 0, CURDATE())",
          {b}, &sale));
  RecordingMessages messages;
  Screen s;
  s.standOn(b);
  click(&s.screen, "btexcluir");
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, QStringLiteral("Produto com Movimentação no Seguro"));
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Operação Impossível"));
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Information);
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos").toInt(), 2);
  QCOMPARE(scalar("SELECT COUNT(*) FROM rastro").toInt(), 0);

  // once the sale is gone: the question, No keeps it, Yes deletes it after its audit row
  QVERIFY(run("DELETE FROM seguros WHERE codigo = ?", {sale}));
  messages.clear();
  messages.answer(QMessageBox::No);
  messages.answer(QMessageBox::Yes);
  click(&s.screen, "btexcluir");
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, QStringLiteral("Deseja excluir o registro?"));
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Velmora"));
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Question);
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos").toInt(), 2);
  click(&s.screen, "btexcluir");
  QCOMPARE(messages.calls.size(), 2);
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos WHERE codigo = ?", {b}).toInt(), 0);
  QCOMPARE(scalar("SELECT COUNT(*) FROM produtos WHERE codigo = ?", {a}).toInt(), 1);
  QCOMPARE(scalar("SELECT CONCAT_WS('|', rotina, operacao, historico, favorecido, valor, obs) FROM rastro").toString(),
           QStringLiteral("PRODUTOS|E|PLANO B|0|0|"));
  QCOMPARE(s.rows()->rowCount(), 1);
}

QTEST_MAIN(TestProdutos)
#include "tst_produtos.moc"
