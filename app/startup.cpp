#include "app/startup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "app/databasesetup.h"
#include "app/embeddedserver.h"
#include "app/frmprincipal.h"
#include "app/messages.h"
#include "app/programlocale.h"
#include "app/tdm.h"
#include "common/routines.h"

namespace {

QTextStream &err() {
  static QTextStream stream(stderr);
  return stream;
}

// A terminal closed or a session ending must not leave the embedded server running: those signals end
// the event loop as leaving the program does, and the normal shutdown follows.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals(QObject *owner) {
  if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
}

}  // namespace

Startup::Startup(AppConfig config) : config_(std::move(config)) {}

Startup::~Startup() { finish(); }

QString Startup::passwordFileWarning(const AppConfig &config) {
  if (config.iniPath.isEmpty() || config.database.password.isEmpty()) return {};
  const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther;
  if (!(QFile::permissions(config.iniPath) & others)) return {};
  return QStringLiteral(
             "O arquivo %1 guarda a senha do banco de dados e pode ser lido por outros usuários "
             "desta máquina. Deixe-o legível só pelo dono (chmod 600 %1).")
      .arg(QFileInfo(config.iniPath).absoluteFilePath());
}

bool Startup::connectEmbedded() {
  server_ = std::make_unique<EmbeddedServer>(EmbeddedServer::defaultFolder());
  ConnectionSettings settings;
  QString error;
  if (!prepareEmbeddedDatabase(*server_, &settings, &error)) {
    err() << "Velmora: " << error << Qt::endl;
    Messages::error(error, QStringLiteral("Atenção! Sistema Fora do Ar"));
    return false;
  }
  dm().setSettings(settings);
  // "Conectar BD" brings the private server back up if it went down meanwhile.
  EmbeddedServer *server = server_.get();
  // (A server that answers is left alone: starting it again would give up its ownership.)
  dm().setBeforeConnect([server](QString *why) { return server->answers() || server->start(why); });
  return true;
}

bool Startup::prepare() {
  const QLocale locale = ProgramLocale::apply(config_.localeName);

  const QString warning = passwordFileWarning(config_);
  if (!warning.isEmpty()) {
    err() << "Velmora: " << warning << Qt::endl;
    Messages::warning(warning);
  }

  if (config_.usesEmbeddedServer()) {
    if (!connectEmbedded()) return false;
  } else {
    dm().setSettings(config_.database);
    dm().setBeforeConnect({});
  }
  if (!dm().connect()) {
    Tdm::showOutOfService();
    return false;
  }

  if (!Routines::dateFormatIsValid(locale)) {
    Messages::error(QStringLiteral("Configuração da Data do Windows, Inválida"));
    return false;
  }
  return true;
}

int Startup::run() {
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  if (!prepare()) {
    finish();
    return 1;
  }
  quitOnSignals(qApp);
  mainWindow_ = std::make_unique<TFrmPrincipal>();
  mainWindow_->show();
  const int code = QApplication::exec();
  finish();
  return code;
}

void Startup::finish() {
  mainWindow_.reset();
  dm().setBeforeConnect({});
  dm().disconnect();
  if (server_) {
    QString error;
    if (!server_->stopIfStartedHere(&error)) err() << "Velmora: " << error << Qt::endl;
    server_.reset();
  }
}
