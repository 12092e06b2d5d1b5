#include <QtTest>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "app/frmbemvindo.h"
#include "app/frmprincipal.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/screens.h"
#include "app/session.h"
#include "tests/app/loginfixture.h"
#include "tests/app/menuhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

// The menu bar as lines: "[name]" for a sub-menu, "---" for a separator, the caption for an entry.
void flatten(const QList<QAction *> &actions, const QString &prefix, QStringList *out) {
  for (QAction *a : actions) {
    if (a->isSeparator())
      *out << prefix + QStringLiteral("---");
    else if (a->menu()) {
      *out << prefix + u'[' + a->text() + u']';
      flatten(a->menu()->actions(), prefix + a->text() + QStringLiteral(" > "), out);
    } else
      *out << prefix + a->text();
  }
}

}  // namespace

// The main window's frame: menu order, tool buttons, status bar, clock, first showing and closing.
class TestMainWindow : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void menuHasEveryEntryInOrder();
  void toolButtonsInOrder();
  void statusBarPanels();
  void clockShowsDateAndTime();
  void firstShowingLogsInAndNamesTheBrokerage();
  void escapeAtTheLoginEndsWithoutQuestion();
  void versionText();
  void closingAsks_data();
  void closingAsks();
  void entryWithoutItsScreenOpensNothing();

 private:
  // Shows the window and lets its first showing log ADMIN in without driving the login's fields.
  void showLoggedIn();

  std::unique_ptr<ScriptedMessages> messages_;
  std::unique_ptr<TFrmPrincipal> window_;
  QStringList opened_;
};

void TestMainWindow::initTestCase() {
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  // Closing a window here must not end the test program's own event loops.
  QApplication::setQuitOnLastWindowClosed(false);
  QString error;
  QVERIFY2(TestDatabase::openFresh(&error), qPrintable(error));
  QVERIFY2(insertUser(QStringLiteral("ADMIN"), QStringLiteral("ADMIN"), QStringLiteral("5"), &error),
           qPrintable(error));
  QSqlQuery q;
  QVERIFY(q.exec(QStringLiteral("UPDATE parametros SET fantasia = 'CORRETORA MODELO'")));
}

void TestMainWindow::init() {
  Session::instance().clear();
  opened_.clear();
  messages_ = std::make_unique<ScriptedMessages>();
  window_ = std::make_unique<TFrmPrincipal>();
  Screens::setHook([this](QDialog *d) {
    opened_ << QString::fromLatin1(d->metaObject()->className());
    return int(QDialog::Accepted);
  });
}

void TestMainWindow::showLoggedIn() {
  Screens::setHook([](QDialog *d) {
    if (!qobject_cast<TFrmBemVindo *>(d)) return int(QDialog::Rejected);
    Session::instance().login(QStringLiteral("ADMIN"));
    return int(QDialog::Accepted);
  });
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QTRY_VERIFY(window_->windowTitle().endsWith(QStringLiteral(": CORRETORA MODELO")));
  QVERIFY(messages_->calls.isEmpty());
}

void TestMainWindow::cleanup() {
  Screens::setHook({});
  window_.reset();
  messages_.reset();
}

void TestMainWindow::menuHasEveryEntryInOrder() {
  const QStringList expected{
      "[Cadastro]",
      "Cadastro > Administradoras",
      "Cadastro > Clientes/Seguradoras",
      "Cadastro > Entidades",
      "Cadastro > Produtores/Vendedores",
      "Cadastro > Produtos",
      "Cadastro > Profissões",
      "Cadastro > Regiões",
      "Cadastro > Status Propostas",
      "Cadastro > ---",
      "Cadastro > Usuários",
      "Cadastro > Parâmetros",
      "[Produção]",
      "Produção > [Individual/Adesão]",
      "Produção > Individual/Adesão > Cadastro",
      "Produção > Individual/Adesão > Relatório",
      "Produção > Individual/Adesão > Curva ABC",
      "Produção > [PME]",
      "Produção > PME > Cadastro",
      "Produção > PME > Relatório",
      "Produção > PME > Curva ABC",
      "Produção > PME > ---",
      "Produção > PME > Importar",
      "Produção > [AUTO/RE/Consorcio/Vidas]",
      "Produção > AUTO/RE/Consorcio/Vidas > Cadastro",
      "Produção > AUTO/RE/Consorcio/Vidas > Clientes Seguro Auto",
      "Produção > AUTO/RE/Consorcio/Vidas > ---",
      "Produção > AUTO/RE/Consorcio/Vidas > Relatório de Produção Auto/RE/Consórcio/Vidas",
      "Produção > AUTO/RE/Consorcio/Vidas > Relatório de Comissão Auto/RE/Consórcio/Vidas",
      "Produção > AUTO/RE/Consorcio/Vidas > Relatório - Curva ABC Auto/RE/Consórcio/Vidas",
      "Produção > ---",
      "Produção > Consultar Segurado/Terceiro",
      "Produção > ---",
      "Produção > Metas",
      "[Movimentação]",
      "Movimentação > Conta do Vendedor",
      "Movimentação > ---",
      "Movimentação > Alterar Comissões",
      "Movimentação > Baixar Extrato de Comissões",
      "Movimentação > Baixar/Antecipar Parcela Manualmente",
      "Movimentação > Comissão de Seguradora/Corretora",
      "Movimentação > Comissionamento Personalizado",
      "Movimentação > ---",
      "Movimentação > [Relatórios]",
      "Movimentação > Relatórios > Pagamento Vendedores",
      "[Financeiro]",
      "Financeiro > Documentos a Receber",
      "Financeiro > Documentos a Pagar",
      "Financeiro > Fluxo de Caixa",
      "Financeiro > Fornecedores",
      "Financeiro > Plano de Contas",
      "Financeiro > Contas Corrente",
      "Financeiro > Centro de Custo",
      "Financeiro > ---",
      "Financeiro > [Relatórios]",
      "Financeiro > Relatórios > Resumo Financeiro",
      "[Ferramentas]",
      "Ferramentas > Agenda",
      "Ferramentas > Alterar Senha",
      "Ferramentas > Auditoria",
      "Ferramentas > ---",
      "Ferramentas > Conectar BD",
      "Ferramentas > Finalizar Excel",
      "Sair",
  };
  QStringList actual;
  flatten(window_->menuBar()->actions(), {}, &actual);
  QCOMPARE(actual, expected);
}

void TestMainWindow::toolButtonsInOrder() {
  showLoggedIn();
  // Left to right as the tool bar holds them (a narrow screen folds the last ones into its extension).
  auto *bar = window_->findChild<QToolBar *>(QStringLiteral("ToolBar1"));
  QVERIFY(bar);
  QStringList captions;
  for (QAction *a : bar->actions())
    if (auto *b = qobject_cast<QToolButton *>(bar->widgetForAction(a)))
      captions << b->text() + QStringLiteral(" / ") + b->toolTip();
  QCOMPARE(captions,
           (QStringList{
               "Vendedores / Cadastro de Vendedores/Produtores", "P.M.E. / Plano de Saúde Empresarial",
               "Adesão / Plano de Saúde Individual/Adesão", "Baixar Extrato de Comissões / Baixar Extrato de Comissões",
               "Conta do Vendedor / Conta do Vendedor", "Pagamento Vendedores / Pagamento Vendedores",
               "Doc Receber / Documentos a Receber", "Doc Pagar / Documentos a Pagar", "Sair / Sair do sistema"}));
}

void TestMainWindow::statusBarPanels() {
  auto *sb = window_->findChild<QStatusBar *>(QStringLiteral("sb"));
  QVERIFY(sb);
  const int widths[] = {90, 85, 50, 140, 500, 250, 150, 50};
  const QList<QLabel *> panels = sb->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^sbPanel\\d$")));
  QCOMPARE(panels.size(), 8);
  for (int i = 0; i < 8; ++i) {
    auto *panel = sb->findChild<QLabel *>(QStringLiteral("sbPanel%1").arg(i));
    QVERIFY(panel);
    // The panel's width, or more when its text needs it: a date is never cut.
    QVERIFY(panel->sizeHint().width() >= widths[i]);
    QVERIFY(panel->sizeHint().width() >= panel->fontMetrics().horizontalAdvance(panel->text()));
    if (panel->text().isEmpty()) QCOMPARE(panel->sizeHint().width(), widths[i]);
    QCOMPARE(panel->text(), window_->panelText(i));
  }
  QCOMPARE(window_->panelText(2), QStringLiteral("Usuário:"));
  QVERIFY(!window_->panelText(4).isEmpty());
  QVERIFY(window_->panelText(3).isEmpty());
  Session::instance().login(QStringLiteral("MARIA"));
  QCOMPARE(window_->panelText(3), QStringLiteral("MARIA"));
  QCOMPARE(window_->panelText(7), QStringLiteral("1"));
  QVERIFY(window_->panelText(6).isEmpty());
}

void TestMainWindow::clockShowsDateAndTime() {
  const QRegularExpression date(QStringLiteral("^Data: (\\d{2}/\\d{2}/\\d{4})$"));
  const QRegularExpression time(QStringLiteral("^Hora: (\\d{2}):(\\d{2}):(\\d{2})$"));
  QTRY_VERIFY2(date.match(window_->panelText(0)).hasMatch(), qPrintable(window_->panelText(0)));
  QVERIFY2(time.match(window_->panelText(1)).hasMatch(), qPrintable(window_->panelText(1)));
  // The clock keeps running: within a little over a second the seconds change.
  const QString before = window_->panelText(1);
  QTRY_VERIFY_WITH_TIMEOUT(window_->panelText(1) != before, 2500);
  QCOMPARE(window_->panelText(0),
           QStringLiteral("Data: ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

void TestMainWindow::firstShowingLogsInAndNamesTheBrokerage() {
  // The login is driven through its fields, as typed.
  Screens::setHook([this](QDialog *d) {
    opened_ << QString::fromLatin1(d->metaObject()->className());
    auto *login = qobject_cast<TFrmBemVindo *>(d);
    if (!login) return int(QDialog::Rejected);
    login->findChild<QLineEdit *>(QStringLiteral("edusuario"))->setText(QStringLiteral("ADMIN"));
    login->edusuarioExit();
    login->findChild<QLineEdit *>(QStringLiteral("edsenha"))->setText(QStringLiteral("ADMIN"));
    login->edsenhaExit();
    return login->result();
  });
  QCOMPARE(window_->windowTitle(), QStringLiteral("Velmora - Sistema Integrado de Gestão"));
  QVERIFY(window_->windowState() & Qt::WindowMaximized);
  window_->show();
  QTRY_COMPARE(opened_, QStringList{QStringLiteral("TFrmBemVindo")});
  QCOMPARE(messages_->texts(), QStringList());
  QCOMPARE(window_->windowTitle(), QStringLiteral("Velmora - Sistema Integrado de Gestão: CORRETORA MODELO"));
  QCOMPARE(window_->panelText(3), QStringLiteral("ADMIN"));
  QCOMPARE(window_->panelText(7), QStringLiteral("1"));
  // No program file "velmora" stands beside the test program.
  QCOMPARE(window_->panelText(5), QStringLiteral("Versão: Nome de Arquivo Inválido"));
  QVERIFY(window_->isVisible());
  // A second showing does not log in again.
  window_->hide();
  window_->show();
  QTest::qWait(50);
  QCOMPARE(opened_.size(), 1);
}

void TestMainWindow::escapeAtTheLoginEndsWithoutQuestion() {
  Screens::setHook([](QDialog *d) {
    auto *login = qobject_cast<TFrmBemVindo *>(d);
    if (!login) return int(QDialog::Accepted);
    QTest::keyClick(login->findChild<QLineEdit *>(QStringLiteral("edusuario")), Qt::Key_Escape);
    return login->result();
  });
  window_->show();
  QTRY_VERIFY(!window_->isVisible());
  QCOMPARE(messages_->texts(), QStringList());
  QCOMPARE(window_->windowTitle(), QStringLiteral("Velmora - Sistema Integrado de Gestão"));
}

void TestMainWindow::versionText() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QFile program(dir.filePath(QStringLiteral("velmora")));
  QVERIFY(program.open(QIODevice::WriteOnly));
  program.write("x");
  program.flush();
  const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
  QVERIFY(program.setFileTime(when, QFileDevice::FileModificationTime));
  program.close();
  QCOMPARE(TFrmPrincipal::versionText(program.fileName()), QStringLiteral("Versão: 05/03/2024 14:07:09"));
  QCOMPARE(TFrmPrincipal::versionText(dir.filePath(QStringLiteral("ausente"))),
           QStringLiteral("Versão: Nome de Arquivo Inválido"));
}

void TestMainWindow::closingAsks_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<int>("answer");
  QTest::newRow("close box, No") << "close" << int(QMessageBox::No);
  QTest::newRow("close box, Yes") << "close" << int(QMessageBox::Yes);
  QTest::newRow("menu Sair, No") << "menu" << int(QMessageBox::No);
  QTest::newRow("menu Sair, Yes") << "menu" << int(QMessageBox::Yes);
  QTest::newRow("button Sair, Yes") << "button" << int(QMessageBox::Yes);
}

void TestMainWindow::closingAsks() {
  QFETCH(QString, how);
  QFETCH(int, answer);
  showLoggedIn();
  const QString title = window_->windowTitle();

  messages_->answer(static_cast<QMessageBox::StandardButton>(answer));
  if (how == QLatin1String("close"))
    window_->close();
  else if (how == QLatin1String("menu"))
    findMenuAction(window_->menuBar(), QStringLiteral("Sair"))->trigger();
  else
    window_->findChild<QToolButton *>(QStringLiteral("tbsair"))->click();

  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls[0].text, QStringLiteral("Deseja sair do sistemas"));
  QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção"));
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Question);
  QCOMPARE(messages_->calls[0].buttons, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(window_->isVisible(), answer == QMessageBox::No);
  QCOMPARE(window_->windowTitle(), title);
  QCOMPARE(window_->panelText(3), QStringLiteral("ADMIN"));
}

void TestMainWindow::entryWithoutItsScreenOpensNothing() {
  // No screen of the core registers under this name in this test program.
  QVERIFY(!Screens::has(QStringLiteral("TFrmAdministradoras")));
  Session::instance().login(QStringLiteral("ADMIN"));
  findMenuAction(window_->menuBar(), QStringLiteral("Cadastro > Administradoras"))->trigger();
  QCOMPARE(opened_, QStringList());
  QCOMPARE(messages_->texts(), QStringList());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
