#include <QtTest>
#include <QLabel>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <memory>

#include "app/messages.h"
#include "app/programlocale.h"
#include "app/record/dataset.h"
#include "app/record/lookuplist.h"
#include "app/record/recordgrid.h"
#include "app/screens.h"
#include "app/session.h"
#include "registries/registryscreens.h"
#include "tests/support/screenhelpers.h"
#include "tests/support/testdatabase.h"

// The five lookup lists: adding by name, the exact-name rule, F12, and deleting by double click
// with each list's in-use test, messages, confirmation and audit rows.
class TestLookupLists : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();

  void addAndDelete_data();
  void addAndDelete();
  void onlyAnExactNameIsAnExistingEntry();
  void f12TogglesTheActiveFlag();
};

namespace {

class RecordingMessages : public ScriptedMessages {
 public:
  Button box(Icon icon, const QString &title, const QString &text, Buttons buttons, Button defaultButton) override {
    defaults << defaultButton;
    return ScriptedMessages::box(icon, title, text, buttons, defaultButton);
  }
  QList<Button> defaults;
};

QString auditRows(const QString &rotina) {
  QSqlQuery q;
  q.prepare("SELECT CONCAT_WS('|', operacao, historico, favorecido, valor, obs) FROM rastro WHERE rotina = ? "
            "ORDER BY operacao DESC");
  q.addBindValue(rotina);
  QStringList rows;
  if (q.exec())
    while (q.next()) rows << q.value(0).toString();
  return rows.join(';');
}

// One list screen, created by its class name as the menu creates it, shown and active.
struct ListScreen {
  std::unique_ptr<QDialog> dialog;
  LookupListScreen *list = nullptr;
  explicit ListScreen(const QString &className) : dialog(Screens::create(className, nullptr)) {
    list = qobject_cast<LookupListScreen *>(dialog.get());
    if (!list) qFatal("%s is not a lookup list", qPrintable(className));
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get())) qWarning("screen not active");
  }
  QLineEdit *name() const { return dialog->findChild<QLineEdit *>("ednome"); }
  RecordGrid *grid() const { return dialog->findChild<RecordGrid *>("DBGrid1"); }
  Dataset *rows() const { return list->dataset(); }
  // Types a name and leaves the field, as the user adds an entry.
  void add(const QString &text) {
    name()->setFocus();
    name()->clear();
    QTest::keyClicks(name(), text);
    QTest::keyClick(name(), Qt::Key_Tab);
  }
  int rowOf(const QVariant &codigo) const {
    for (int r = 0; r < rows()->rowCount(); ++r)
      if (rows()->record(r).value("codigo") == codigo) return r;
    return -1;
  }
  void doubleClick(const QVariant &codigo) {
    const int r = rowOf(codigo);
    QVERIFY(r >= 0);
    const QModelIndex index = grid()->model()->index(r, 1);
    grid()->scrollTo(index);
    const QPoint at = grid()->visualRect(index).center();
    // a person's double click: the first click's press and release, then the second
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
  }
};

}  // namespace

void TestLookupLists::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  registerRegistryScreens();
}

void TestLookupLists::init() {
  Session::instance().login(QStringLiteral("MARIA"));
  QVERIFY(run("DELETE FROM seguros") && run("DELETE FROM seguros_clientes") && run("DELETE FROM rastro"));
}

void TestLookupLists::addAndDelete_data() {
  QTest::addColumn<QString>("className");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("table");
  QTest::addColumn<QString>("rotina");
  QTest::addColumn<bool>("auditsAdd");
  QTest::addColumn<QString>("referrer");  // a row that names the entry: "<table>.<column>"
  QTest::addColumn<QString>("inUse");
  QTest::addColumn<QString>("question");
  QTest::addColumn<QString>("questionTitle");
  QTest::addColumn<bool>("noFirst");
  QTest::addColumn<bool>("emptiesName");
  const QString confirm = "Confima Operação?", item = "Excluir Item?";
  QTest::newRow("administrators") << "TFrmAdministradoras" << "Administradoras" << "adma" << "ADMA" << false
                                  << "seguros.administradora" << "Administradora com Movimentação" << confirm << item
                                  << true << false;
  QTest::newRow("entities") << "TFrmEntidades" << "Cadastro de Entidades" << "entidades" << "ENTIDADE" << true
                            << "seguros_clientes.entidade" << "Entidade com Movimentação"
                            << "Deseja excluir o registro?" << "Velmora" << false << false;
  QTest::newRow("professions") << "TFrmProfissoes" << "Cadastro de Profissões" << "profissoes" << "PROFISSAO" << true
                               << "seguros_clientes.profissao" << "Profissão com Movimentação"
                               << "Deseja excluir o registro?" << "Velmora" << false << false;
  QTest::newRow("regions") << "TFrmRegioes" << "Cadastro de Regiões" << "regiao" << "REGIÃO" << false
                           << "seguros.regiao" << "Região com Movimentação" << confirm << item << true << true;
  QTest::newRow("proposal states") << "TFrmStatusProp" << "Status Propostas" << "statusprop" << "statusprop" << false
                                   << "seguros.status_prop" << "Status com Movimentação" << confirm << item << true
                                   << false;
}

void TestLookupLists::addAndDelete() {
  QFETCH(QString, className);
  QFETCH(QString, caption);
  QFETCH(QString, table);
  QFETCH(QString, rotina);
  QFETCH(bool, auditsAdd);
  QFETCH(QString, referrer);
  QFETCH(QString, inUse);
  QFETCH(QString, question);
  QFETCH(QString, questionTitle);
  QFETCH(bool, noFirst);
  QFETCH(bool, emptiesName);

  RecordingMessages messages;
  ListScreen s(className);
  QCOMPARE(s.dialog->windowTitle(), caption);
  const int before = rows("SELECT COUNT(*) FROM " + table);
  QCOMPARE(s.rows()->rowCount(), before);

  // leaving the name field adds the entry (other columns at their defaults) and waits for the next one
  s.add("zeta teste");
  QCOMPARE(rows("SELECT COUNT(*) FROM " + table), before + 1);
  const QVariant codigo = scalar("SELECT codigo FROM " + table + " WHERE nome = 'ZETA TESTE'");
  QVERIFY(scalar("SELECT ativo FROM " + table + " WHERE codigo = ?", {codigo}).isNull());
  QCOMPARE(s.rows()->rowCount(), before + 1);
  QCOMPARE(s.rows()->record(s.rows()->rowCount() - 1).value("nome").toString(), QStringLiteral("ZETA TESTE"));
  QVERIFY(s.name()->text().isEmpty());
  QCOMPARE(QApplication::focusWidget(), s.name());
  QCOMPARE(auditRows(rotina), auditsAdd ? QStringLiteral("I|ZETA TESTE|0|0|") : QString());
  QVERIFY(messages.calls.isEmpty());

  // a sale whose product code happens to equal the entry's says nothing about the entry
  QVERIFY(run("INSERT INTO seguros (produto, proposta, seguradora, vendedor, producao) VALUES (?, '1', 1, 0, CURDATE())",
              {codigo}));
  const QString referTable = referrer.section('.', 0, 0), referColumn = referrer.section('.', 1, 1);
  QVariant referring;
  if (referTable == "seguros")
    QVERIFY(run("INSERT INTO seguros (produto, proposta, seguradora, vendedor, producao, " + referColumn +
                    ") VALUES (0, '2', 1, 0, CURDATE(), ?)",
                {codigo}, &referring));
  else
    QVERIFY(run("INSERT INTO seguros_clientes (nome, " + referColumn + ") VALUES ('SEGURADO', ?)", {codigo}, &referring));

  s.doubleClick(codigo);
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, inUse);
  QCOMPARE(messages.calls.at(0).title, QStringLiteral("Atenção"));
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Information);
  QCOMPARE(rows("SELECT COUNT(*) FROM " + table + " WHERE codigo = ?", {codigo}), 1);

  // once nothing names it: the confirmation; No keeps it
  QVERIFY(run("DELETE FROM " + referTable + " WHERE codigo = ?", {referring}));
  messages.clear();
  messages.defaults.clear();
  messages.answer(QMessageBox::No);
  s.doubleClick(codigo);
  QCOMPARE(messages.calls.size(), 1);
  QCOMPARE(messages.calls.at(0).text, question);
  QCOMPARE(messages.calls.at(0).title, questionTitle);
  QCOMPARE(messages.calls.at(0).icon, Messages::Icon::Question);
  QCOMPARE(messages.calls.at(0).buttons, Messages::Buttons(QMessageBox::Yes | QMessageBox::No));
  QCOMPARE(messages.defaults.at(0), noFirst ? QMessageBox::No : QMessageBox::Yes);
  QCOMPARE(rows("SELECT COUNT(*) FROM " + table + " WHERE codigo = ?", {codigo}), 1);

  // Yes: the "E" row, the entry gone, the focus back in the name field (emptied by the regions list)
  s.name()->setFocus();
  s.name()->setText(QStringLiteral("ZETA TESTE"));  // an existing name: leaving it adds nothing
  messages.answer(QMessageBox::Yes);
  s.doubleClick(codigo);
  QCOMPARE(messages.calls.size(), 2);
  QCOMPARE(rows("SELECT COUNT(*) FROM " + table + " WHERE codigo = ?", {codigo}), 0);
  QCOMPARE(rows("SELECT COUNT(*) FROM " + table), before);
  QCOMPARE(s.rows()->rowCount(), before);
  QCOMPARE(auditRows(rotina), QString(auditsAdd ? "I|ZETA TESTE|0|0|;" : "") + "E|ZETA TESTE|0|0|");
  QCOMPARE(QApplication::focusWidget(), s.name());
  QCOMPARE(s.name()->text().isEmpty(), emptiesName);
}

void TestLookupLists::onlyAnExactNameIsAnExistingEntry() {
  QVERIFY(run("DELETE FROM regiao"));
  ScriptedMessages messages;
  ListScreen s("TFrmRegioes");
  s.add("NORTE");
  s.add("NORTE ");  // the server would call these equal; the list does not
  s.add("norte");   // typed in lower case, taken in upper case: the first entry again
  s.add("NORTE");
  s.add("   ");     // blanks name nothing
  QCOMPARE(rows("SELECT COUNT(*) FROM regiao"), 2);
  QCOMPARE(rows("SELECT COUNT(*) FROM regiao WHERE nome = BINARY 'NORTE '"), 1);
  QCOMPARE(rows("SELECT COUNT(*) FROM regiao WHERE nome = BINARY 'NORTE'"), 1);
  QCOMPARE(s.rows()->rowCount(), 2);
  QVERIFY(messages.calls.isEmpty());
}

void TestLookupLists::f12TogglesTheActiveFlag() {
  QVERIFY(run("DELETE FROM profissoes"));
  ListScreen s("TFrmProfissoes");
  s.add("ADVOGADO");
  s.add("MEDICO");
  const QVariant medico = scalar("SELECT codigo FROM profissoes WHERE nome = 'MEDICO'");
  QVERIFY(s.rows()->locate("codigo", medico));
  s.grid()->setFocus();
  for (const char *expected : {"S", "N", "S"}) {
    QTest::keyClick(s.grid(), Qt::Key_F12);
    QCOMPARE(scalar("SELECT ativo FROM profissoes WHERE codigo = ?", {medico}).toString(), QString::fromLatin1(expected));
    QCOMPARE(s.rows()->value("codigo"), medico);  // still on the entry toggled
    QCOMPARE(s.grid()->cellText(s.rows()->row(), 2), QString::fromLatin1(expected));
  }
  QVERIFY(scalar("SELECT ativo FROM profissoes WHERE nome = 'ADVOGADO'").isNull());
}

QTEST_MAIN(TestLookupLists)
#include "tst_lookuplists.moc"
