#include <QtTest>
#include <QMainWindow>
#include <QSqlQuery>
#include <QToolButton>

#include "app/frmprincipal.h"
#include "app/messages.h"
#include "app/screens.h"
#include "app/session.h"
#include "tests/app/loginfixture.h"
#include "tests/app/menuhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

const QStringList kRights{"cadastro", "tabelas", "usuarios", "parametros", "producao", "individual", "movimentacao",
                          "financeiro"};

struct Gated {
  const char *path;
  const char *right;
  const char *screen;
  const char *title;  // nullptr: the screen keeps its own caption
};

// Every gated entry with the right it checks and what it opens, as the brokerage's staff know them.
const Gated kGated[] = {
    {"Cadastro > Administradoras", "cadastro", "TFrmAdministradoras", nullptr},
    {"Cadastro > Clientes/Seguradoras", "tabelas", "TFrmClientes", nullptr},
    {"Cadastro > Entidades", "cadastro", "TFrmEntidades", nullptr},
    {"Cadastro > Produtores/Vendedores", "tabelas", "TFrmCadFornecedores", "Cadastro de Produtores/Vendedores"},
    {"Cadastro > Produtos", "tabelas", "TFrmProdutos", nullptr},
    {"Cadastro > Profissões", "cadastro", "TFrmProfissoes", nullptr},
    {"Cadastro > Regiões", "cadastro", "TFrmRegioes", nullptr},
    {"Cadastro > Status Propostas", "tabelas", "TFrmStatusProp", nullptr},
    {"Cadastro > Usuários", "usuarios", "TFrmCadUsuarios", nullptr},
    {"Cadastro > Parâmetros", "parametros", "TFrmParametros", nullptr},
    {"Produção > Individual/Adesão > Cadastro", "individual", "TFrmPlanoSaudeInd", nullptr},
    {"Produção > Individual/Adesão > Relatório", "individual", "TFrmPlanoSaudeIndRel", nullptr},
    {"Produção > Individual/Adesão > Curva ABC", "individual", "TFrmCurvaABCInd", nullptr},
    {"Produção > PME > Cadastro", "individual", "TFrmPlanoSaudeEmp", nullptr},
    {"Produção > PME > Relatório", "individual", "TFrmPlanoSaudeEmpRel", nullptr},
    {"Produção > PME > Curva ABC", "individual", "TFrmCurvaABCPME", nullptr},
    {"Produção > PME > Importar", "individual", "TFrmPlanoSaudeEmpImp", nullptr},
    {"Produção > AUTO/RE/Consorcio/Vidas > Cadastro", "individual", "TFrmProducao", nullptr},
    {"Produção > AUTO/RE/Consorcio/Vidas > Clientes Seguro Auto", "individual", "TFrmClientesAuto", nullptr},
    {"Produção > AUTO/RE/Consorcio/Vidas > Relatório de Produção Auto/RE/Consórcio/Vidas", "individual",
     "TFrmSegurosAutoRel", nullptr},
    {"Produção > AUTO/RE/Consorcio/Vidas > Relatório de Comissão Auto/RE/Consórcio/Vidas", "individual",
     "TFrmComissaoAutoRE", nullptr},
    {"Produção > AUTO/RE/Consorcio/Vidas > Relatório - Curva ABC Auto/RE/Consórcio/Vidas", "individual",
     "TFrmCurvaABCAuto", nullptr},
    {"Produção > Consultar Segurado/Terceiro", "producao", "TFrmConsSegurado", nullptr},
    {"Produção > Metas", "producao", "TfrmMetas", nullptr},
    {"Movimentação > Conta do Vendedor", "movimentacao", "TFrmContaVendedor", nullptr},
    {"Movimentação > Alterar Comissões", "movimentacao", "TFrmAlterarComissoes", nullptr},
    {"Movimentação > Baixar Extrato de Comissões", "movimentacao", "TFrmBaixarParcAut", nullptr},
    {"Movimentação > Baixar/Antecipar Parcela Manualmente", "movimentacao", "TFrmBaixarParcManual", nullptr},
    {"Movimentação > Comissão de Seguradora/Corretora", "movimentacao", "TFrmComSeguradoraCorretora", nullptr},
    {"Movimentação > Comissionamento Personalizado", "movimentacao", "TFrmComPersonal", nullptr},
    {"Movimentação > Relatórios > Pagamento Vendedores", "movimentacao", "TFrmPgtoVendedores", nullptr},
    {"Financeiro > Documentos a Receber", "financeiro", "TFrmReceber", nullptr},
    {"Financeiro > Documentos a Pagar", "financeiro", "TFrmPagar", nullptr},
    {"Financeiro > Fluxo de Caixa", "financeiro", "TFrmFinanceiro", nullptr},
    {"Financeiro > Fornecedores", "financeiro", "TFrmCadFornecedores", "Cadastro de Fornecedores"},
    {"Financeiro > Plano de Contas", "financeiro", "TFrmPlanoContas", nullptr},
    {"Financeiro > Contas Corrente", "financeiro", "TFrmContasCorrentes", nullptr},
    {"Financeiro > Centro de Custo", "financeiro", "TFrmContasCorrentes", nullptr},
    {"Financeiro > Relatórios > Resumo Financeiro", "financeiro", "TFrmResumoGerenciais", nullptr},
};

const QString kUser = QStringLiteral("OPERADOR");
const QString kFakeTitle = QStringLiteral("tela de teste");

QString opened(const char *screen, const char *title) {
  return QString::fromLatin1(screen) + u'|' + (title ? QString::fromUtf8(title) : kFakeTitle);
}

}  // namespace

// The access gate through the real menu and tool buttons, with stand-in screens that record their opening.
class TestGate : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void gatedEntries_data();
  void gatedEntries();
  void ungatedEntries_data();
  void ungatedEntries();
  void toolButtons_data();
  void toolButtons();

 private:
  // The user's row with every right "0" but `column`, which gets `value`; no row at all when `deleted`.
  void prepareUser(const QString &column, const QVariant &value, bool deleted);
  void trigger(const QString &path);

  std::unique_ptr<ScriptedMessages> messages_;
  std::unique_ptr<TFrmPrincipal> window_;
  QStringList opened_;
};

void TestGate::initTestCase() {
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  QStringList screens{QStringLiteral("TFrmAlterarSenha"), QStringLiteral("TFrmRastro")};
  for (const Gated &g : kGated) screens << QString::fromLatin1(g.screen);
  for (const QString &screen : screens) {
    Screens::add(screen, [screen](QWidget *parent) {
      auto *d = new QDialog(parent);
      d->setObjectName(screen);
      d->setWindowTitle(kFakeTitle);
      return d;
    });
  }
  Screens::setHook([this](QDialog *d) {
    opened_ << d->objectName() + u'|' + d->windowTitle();
    return int(QDialog::Accepted);
  });
}

void TestGate::init() {
  opened_.clear();
  messages_ = std::make_unique<ScriptedMessages>();
  window_ = std::make_unique<TFrmPrincipal>();
  Session::instance().login(kUser);
}

void TestGate::cleanup() {
  window_.reset();
  messages_.reset();
}

void TestGate::prepareUser(const QString &column, const QVariant &value, bool deleted) {
  QSqlQuery q;
  QVERIFY(q.exec(QStringLiteral("DELETE FROM usuarios")));
  if (deleted) return;
  QString error;
  QVERIFY2(insertUser(kUser, QStringLiteral("X"), QStringLiteral("0"), &error), qPrintable(error));
  if (column.isEmpty()) return;
  QVERIFY(kRights.contains(column));
  q.prepare(QStringLiteral("UPDATE usuarios SET %1 = ? WHERE nome = ?").arg(column));
  q.addBindValue(value);
  q.addBindValue(kUser);
  QVERIFY(q.exec());
}

void TestGate::trigger(const QString &path) {
  QAction *action = findMenuAction(window_->menuBar(), path);
  QVERIFY2(action, qPrintable(path));
  action->trigger();
}

void TestGate::gatedEntries_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("right");
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<bool>("deleted");
  QTest::addColumn<QString>("expected");  // "screen|caption", or empty when nothing opens
  QTest::addColumn<bool>("refusal");      // "Acesso não Permitido" shown

  struct Value {
    const char *name;
    QVariant value;
    bool deleted;
  };
  const Value values[] = {{"0", QStringLiteral("0"), false}, {"1", QStringLiteral("1"), false},
                          {"4", QStringLiteral("4"), false}, {"5", QStringLiteral("5"), false},
                          {"empty", QString(""), false},     {"null", QVariant(QMetaType(QMetaType::QString)), false},
                          {"row deleted", QVariant(), true}};
  for (const Gated &g : kGated) {
    const bool fullOnly = QLatin1String(g.right) == QLatin1String("movimentacao");
    for (const Value &v : values) {
      const QString text = v.value.toString();
      bool opens;
      if (v.deleted) opens = false;
      else if (fullOnly) opens = !v.value.isNull() && text == QLatin1String("5");
      else opens = v.value.isNull() || text != QLatin1String("0");
      // The commission entries refuse in silence; the others say so.
      const bool refusal = !opens && !fullOnly;
      QTest::addRow("%s = %s", g.path, v.name)
          << QString::fromUtf8(g.path) << QString::fromLatin1(g.right) << v.value << v.deleted
          << (opens ? opened(g.screen, g.title) : QString()) << refusal;
    }
  }
}

void TestGate::gatedEntries() {
  QFETCH(QString, path);
  QFETCH(QString, right);
  QFETCH(QVariant, value);
  QFETCH(bool, deleted);
  QFETCH(QString, expected);
  QFETCH(bool, refusal);

  prepareUser(right, value, deleted);
  trigger(path);

  QCOMPARE(opened_, expected.isEmpty() ? QStringList() : QStringList{expected});
  if (refusal) {
    QCOMPARE(messages_->calls.size(), 1);
    QCOMPARE(messages_->calls[0].text, QStringLiteral("Acesso não Permitido"));
    QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção"));
    QCOMPARE(messages_->calls[0].icon, Messages::Icon::Information);
  } else {
    QCOMPARE(messages_->texts(), QStringList());
  }
}

void TestGate::ungatedEntries_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("expected");
  QTest::newRow("Alterar Senha") << "Ferramentas > Alterar Senha" << opened("TFrmAlterarSenha", nullptr);
  QTest::newRow("Auditoria") << "Ferramentas > Auditoria" << opened("TFrmRastro", nullptr);
  QTest::newRow("Agenda") << "Ferramentas > Agenda" << QString();
}

void TestGate::ungatedEntries() {
  QFETCH(QString, path);
  QFETCH(QString, expected);
  prepareUser({}, {}, false);  // every right "0"
  trigger(path);
  QCOMPARE(opened_, expected.isEmpty() ? QStringList() : QStringList{expected});
  QCOMPARE(messages_->texts(), QStringList());
}

void TestGate::toolButtons_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<QString>("right");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("expected");

  QTest::newRow("Vendedores") << "Vendedores" << "Cadastro de Vendedores/Produtores" << "tabelas" << "1"
                              << opened("TFrmCadFornecedores", "Cadastro de Produtores/Vendedores");
  QTest::newRow("Vendedores refused") << "Vendedores" << "Cadastro de Vendedores/Produtores" << "tabelas" << "0"
                                      << QString();
  QTest::newRow("P.M.E.") << "P.M.E." << "Plano de Saúde Empresarial" << "individual" << "2"
                          << opened("TFrmPlanoSaudeEmp", nullptr);
  QTest::newRow("Adesão") << "Adesão" << "Plano de Saúde Individual/Adesão" << "individual" << "3"
                          << opened("TFrmPlanoSaudeInd", nullptr);
  QTest::newRow("Baixar Extrato") << "Baixar Extrato de Comissões" << "Baixar Extrato de Comissões" << "movimentacao"
                                  << "5" << opened("TFrmBaixarParcAut", nullptr);
  QTest::newRow("Conta do Vendedor") << "Conta do Vendedor" << "Conta do Vendedor" << "movimentacao" << "5"
                                     << opened("TFrmContaVendedor", nullptr);
  QTest::newRow("Conta do Vendedor below 5") << "Conta do Vendedor" << "Conta do Vendedor" << "movimentacao" << "4"
                                             << QString();
  QTest::newRow("Pagamento Vendedores") << "Pagamento Vendedores" << "Pagamento Vendedores" << "movimentacao" << "5"
                                        << opened("TFrmPgtoVendedores", nullptr);
  QTest::newRow("Doc Receber") << "Doc Receber" << "Documentos a Receber" << "financeiro" << "4"
                               << opened("TFrmReceber", nullptr);
  QTest::newRow("Doc Pagar") << "Doc Pagar" << "Documentos a Pagar" << "financeiro" << "1"
                             << opened("TFrmPagar", nullptr);
}

void TestGate::toolButtons() {
  QFETCH(QString, caption);
  QFETCH(QString, hint);
  QFETCH(QString, right);
  QFETCH(QString, value);
  QFETCH(QString, expected);
  QToolButton *button = nullptr;
  for (QToolButton *b : window_->findChildren<QToolButton *>())
    if (b->text() == caption) button = b;
  QVERIFY2(button, qPrintable(caption));
  QCOMPARE(button->toolTip(), hint);

  prepareUser(right, value, false);
  button->click();
  QCOMPARE(opened_, expected.isEmpty() ? QStringList() : QStringList{expected});
  const bool refusal = expected.isEmpty() && right != QLatin1String("movimentacao");
  QCOMPARE(messages_->texts(), refusal ? QStringList{QStringLiteral("Acesso não Permitido")} : QStringList());
}

QTEST_MAIN(TestGate)
#include "tst_gate.moc"
