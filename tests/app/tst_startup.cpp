#include <QDir>
#include <QtTest>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "app/config.h"
#include "app/databasesetup.h"
#include "app/embeddedserver.h"
#include "app/frmbemvindo.h"
#include "app/frmprincipal.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/schemainstaller.h"
#include "app/screens.h"
#include "app/startup.h"
#include "app/tdm.h"
#include "tests/app/menuhelpers.h"
#include "tests/support/testdatabase.h"

namespace {

const QString kDatabase = QStringLiteral("t_tst_startup");

// Drives the login of the first showing with the given user and password.
int logIn(QDialog *d, const QString &user, const QString &password) {
  auto *login = qobject_cast<TFrmBemVindo *>(d);
  if (!login) return QDialog::Rejected;
  login->findChild<QLineEdit *>(QStringLiteral("edusuario"))->setText(user);
  login->edusuarioExit();
  login->findChild<QLineEdit *>(QStringLiteral("edsenha"))->setText(password);
  login->edsenhaExit();
  return login->result();
}

bool anyWindowOf(const char *className) {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->inherits(className)) return true;
  return false;
}

}  // namespace

// The start of the program in-process: configuration, connection, date-format check, and the embedded
// default from its first start to its end.
class TestStartup : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void cleanupTestCase();

  void unreachableDatabaseEndsBeforeLogin_data();
  void unreachableDatabaseEndsBeforeLogin();
  void passwordFileWarning_data();
  void passwordFileWarning();
  void dateFormatOfTheLocale_data();
  void dateFormatOfTheLocale();
  void sharedServerStartLogsInAndEnds();
  void conectarBDWithServerStoppedAndBack();
  void embeddedDefaultStartsAndStopsItsServer();

 private:
  // velmora.ini in the temporary folder with the given [database] values, owner-only unless `mode` says.
  QString writeIni(const QMap<QString, QString> &database,
                   QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner, const QString &locale = {});
  AppConfig rightConfig(const QString &locale = {});

  QTemporaryDir dir_{QStringLiteral("/tmp/vstart-XXXXXX")};
  std::unique_ptr<ScriptedMessages> messages_;
  QStringList opened_;
};

void TestStartup::initTestCase() {
  QVERIFY(dir_.isValid());
  QString error;
  QVERIFY2(TestDatabase::openFresh(kDatabase, &error), qPrintable(error));
  QVERIFY2(SchemaInstaller(QSqlDatabase::database())
               .createFirstUser(QStringLiteral("ADMIN"), QStringLiteral("ADMIN"), &error),
           qPrintable(error));
  QSqlDatabase::database().close();
}

void TestStartup::init() {
  opened_.clear();
  messages_ = std::make_unique<ScriptedMessages>();
  Screens::setHook([this](QDialog *d) {
    opened_ << QString::fromLatin1(d->metaObject()->className());
    return int(QDialog::Rejected);
  });
}

void TestStartup::cleanup() {
  Screens::setHook({});
  messages_.reset();
  ProgramLocale::apply(QStringLiteral("pt_BR"));
  dm().disconnect();
}

void TestStartup::cleanupTestCase() {
  QString error;
  EmbeddedServer(dir_.filePath(QStringLiteral("velmora"))).stop(&error);
}

QString TestStartup::writeIni(const QMap<QString, QString> &database, QFile::Permissions mode, const QString &locale) {
  // A file of its own each time: QSettings keeps what it read of a path and may not see it rewritten.
  static int written = 0;
  const QString folder = dir_.filePath(QStringLiteral("ini%1").arg(++written));
  QDir().mkpath(folder);
  const QString path = folder + QStringLiteral("/velmora.ini");
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  QTextStream out(&f);
  out << "[database]\n";
  for (auto it = database.begin(); it != database.end(); ++it) out << it.key() << '=' << it.value() << '\n';
  if (!locale.isEmpty()) out << "[locale]\nname=" << locale << '\n';
  f.close();
  f.setPermissions(mode);
  return path;
}

AppConfig TestStartup::rightConfig(const QString &locale) {
  const ConnectionSettings server = TestDatabase::serverSettings();
  return AppConfig::loadFrom(writeIni({{"socket", server.socket}, {"name", kDatabase}, {"user", server.user}},
                                      QFile::ReadOwner | QFile::WriteOwner, locale));
}

void TestStartup::unreachableDatabaseEndsBeforeLogin_data() {
  QTest::addColumn<QString>("host");
  QTest::addColumn<QString>("user");
  QTest::addColumn<QString>("password");
  QTest::newRow("wrong password") << QString() << "velmora_ninguem"
                                  << "errada";
  QTest::newRow("wrong host") << "127.0.0.1"
                              << "velmora"
                              << "segredo";
}

void TestStartup::unreachableDatabaseEndsBeforeLogin() {
  QFETCH(QString, host);
  QFETCH(QString, user);
  QFETCH(QString, password);
  QMap<QString, QString> values{{"name", kDatabase}, {"user", user}, {"password", password}};
  if (host.isEmpty())
    values.insert(QStringLiteral("socket"), TestDatabase::serverSettings().socket);
  else
    values.insert({{"host", host}, {"port", "1"}});
  const AppConfig config = AppConfig::loadFrom(writeIni(values));
  QVERIFY(!config.usesEmbeddedServer());

  Startup startup(config);
  QCOMPARE(startup.run(), 1);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls[0].text, QStringLiteral("Tente Novamente"));
  QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção! Sistema Fora do Ar"));
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::None);
  QCOMPARE(messages_->calls[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(opened_, QStringList());
  QVERIFY(!startup.mainWindow());
  QVERIFY(!anyWindowOf("TFrmPrincipal"));
  QVERIFY(!anyWindowOf("TFrmBemVindo"));
}

void TestStartup::passwordFileWarning_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<QString>("password");
  QTest::addColumn<bool>("warns");
  const int owner = int(QFile::ReadOwner | QFile::WriteOwner);
  QTest::newRow("owner only") << owner << "segredo" << false;
  QTest::newRow("group may read") << int(owner | QFile::ReadGroup) << "segredo" << true;
  QTest::newRow("everyone may read") << int(owner | QFile::ReadGroup | QFile::ReadOther) << "segredo" << true;
  QTest::newRow("no password in it") << int(owner | QFile::ReadGroup | QFile::ReadOther) << "" << false;
}

void TestStartup::passwordFileWarning() {
  QFETCH(int, mode);
  QFETCH(QString, password);
  QFETCH(bool, warns);
  // A user the server does not know, so the start stops after the connection attempt.
  QMap<QString, QString> values{
      {"socket", TestDatabase::serverSettings().socket}, {"name", kDatabase}, {"user", "velmora_ninguem"}};
  if (!password.isEmpty()) values.insert(QStringLiteral("password"), password);
  const AppConfig config = AppConfig::loadFrom(writeIni(values, QFile::Permissions(mode)));

  Startup startup(config);
  QCOMPARE(startup.run(), 1);
  QStringList expected;
  if (warns) expected << Startup::passwordFileWarning(config);
  expected << QStringLiteral("Tente Novamente");
  QCOMPARE(messages_->texts(), expected);
  if (warns) {
    QCOMPARE(messages_->calls[0].icon, Messages::Icon::Warning);
    QVERIFY(expected[0].contains(config.iniPath));
    QVERIFY(expected[0].contains(QStringLiteral("chmod 600")));
  }
}

void TestStartup::dateFormatOfTheLocale_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<bool>("runs");
  QTest::newRow("default (pt-BR)") << QString() << true;
  QTest::newRow("pt_BR") << "pt_BR" << true;
  QTest::newRow("month first") << "en_US" << false;
  QTest::newRow("year first") << "sv_SE" << false;
  QTest::newRow("no leading zeros") << "es_ES" << false;
}

void TestStartup::dateFormatOfTheLocale() {
  QFETCH(QString, locale);
  QFETCH(bool, runs);
  // The check reads the configured locale, whatever the machine's own is.
  QLocale::setDefault(QLocale::c());
  Startup startup(rightConfig(locale));
  if (runs) {
    QVERIFY(startup.prepare());
    QCOMPARE(messages_->texts(), QStringList());
    QCOMPARE(QLocale().name(), QStringLiteral("pt_BR"));
    return;
  }
  QCOMPARE(startup.run(), 1);
  QCOMPARE(messages_->calls.size(), 1);
  QCOMPARE(messages_->calls[0].text, QStringLiteral("Configuração da Data do Windows, Inválida"));
  QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção"));
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::Error);
  QVERIFY(!startup.mainWindow());
  QCOMPARE(opened_, QStringList());
}

void TestStartup::sharedServerStartLogsInAndEnds() {
  Startup startup(rightConfig());
  QString caption;
  Screens::setHook([&](QDialog *d) {
    opened_ << QString::fromLatin1(d->metaObject()->className());
    const int result = logIn(d, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
    // Once the first showing is over, look at the caption and leave through the closing question.
    QTimer::singleShot(0, [&] {
      caption = startup.mainWindow()->windowTitle();
      messages_->answer(QMessageBox::Yes);
      startup.mainWindow()->close();
    });
    return result;
  });
  QCOMPARE(startup.run(), 0);
  QCOMPARE(opened_, QStringList{QStringLiteral("TFrmBemVindo")});
  QCOMPARE(caption, QStringLiteral("Velmora - Sistema Integrado de Gestão: VELMORA CORRETORA"));
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Deseja sair do sistemas")});
  QVERIFY(!dm().isConnected());
}

void TestStartup::conectarBDWithServerStoppedAndBack() {
  EmbeddedServer server(dir_.filePath(QStringLiteral("velmora")));
  ConnectionSettings settings;
  QString error;
  QVERIFY2(prepareEmbeddedDatabase(server, &settings, &error), qPrintable(error));
  dm().setSettings(settings);
  dm().setBeforeConnect({});
  QVERIFY2(dm().connect(&error), qPrintable(error));

  TFrmPrincipal window;
  QAction *conectar = findMenuAction(window.menuBar(), QStringLiteral("Ferramentas > Conectar BD"));
  QVERIFY(conectar);
  QVERIFY2(server.stop(&error), qPrintable(error));
  conectar->trigger();
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Tente Novamente")});
  QCOMPARE(messages_->calls[0].title, QStringLiteral("Atenção! Sistema Fora do Ar"));
  QCOMPARE(messages_->calls[0].icon, Messages::Icon::None);
  QVERIFY(!dm().isConnected());

  // The server is back: the next "Conectar BD" restores work without a restart.
  QVERIFY2(server.start(&error), qPrintable(error));
  conectar->trigger();
  QCOMPARE(messages_->calls.size(), 1);
  QVERIFY(dm().isConnected());
  QSqlQuery q(dm().database());
  QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM usuarios WHERE nome = 'ADMIN'")) && q.next());
  QCOMPARE(q.value(0).toInt(), 1);
  QVERIFY2(server.stop(&error), qPrintable(error));
}

void TestStartup::embeddedDefaultStartsAndStopsItsServer() {
  // No velmora.ini: the program runs its own server in the user's data folder.
  qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
  const QString folder = dir_.filePath(QStringLiteral("velmora"));
  QCOMPARE(EmbeddedServer::defaultFolder(), folder);
  AppConfig config;
  QVERIFY(config.usesEmbeddedServer());

  Startup startup(config);
  QString caption;
  bool reconnected = false;
  Screens::setHook([&](QDialog *d) {
    opened_ << QString::fromLatin1(d->metaObject()->className());
    const int result = logIn(d, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
    QTimer::singleShot(0, [&] {
      caption = startup.mainWindow()->windowTitle();
      // The private server went down meanwhile: "Conectar BD" brings it back up.
      QString error;
      EmbeddedServer(folder).stop(&error);
      findMenuAction(startup.mainWindow()->menuBar(), QStringLiteral("Ferramentas > Conectar BD"))->trigger();
      QSqlQuery q(dm().database());
      reconnected = q.exec(QStringLiteral("SELECT 1"));
      messages_->answer(QMessageBox::Yes);
      startup.mainWindow()->close();
    });
    return result;
  });
  QCOMPARE(startup.run(), 0);
  QCOMPARE(opened_, QStringList{QStringLiteral("TFrmBemVindo")});
  QCOMPARE(caption, QStringLiteral("Velmora - Sistema Integrado de Gestão: VELMORA CORRETORA"));
  QVERIFY(reconnected);
  QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Deseja sair do sistemas")});
  // Leaving the program stopped the server it started.
  QVERIFY(!EmbeddedServer(folder).answers());
  QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/mariadb.pid")));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
