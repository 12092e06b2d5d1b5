// Velmora: back-office system of an insurance and health-plan brokerage.
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

#include "app/config.h"
#include "app/databasesetup.h"
#include "app/embeddedserver.h"

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

QString ask(const QString &prompt, bool hidden) {
  out << prompt << Qt::flush;
  termios saved{};
  const bool tty = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
  if (hidden && tty) {
    termios quiet = saved;
    quiet.c_lflag &= ~ECHO;
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  QTextStream in(stdin);
  const QString answer = in.readLine();
  if (hidden && tty) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    out << Qt::endl;
  }
  return answer;
}

// velmora --instalar-banco: installs the schema onto the shared server named in velmora.ini.
int installOnSharedServer(const AppConfig &config) {
  if (config.usesEmbeddedServer()) {
    err << "Nenhum servidor configurado no velmora.ini ([database] host ou socket)." << Qt::endl;
    return 1;
  }
  const QString user = ask(QStringLiteral("Nome do primeiro usuário: "), false).trimmed();
  const QString password = ask(QStringLiteral("Senha do primeiro usuário (até 6 caracteres): "), true);
  QString error;
  if (!installSchema(config.database, user, password, &error)) {
    err << error << Qt::endl;
    return 1;
  }
  out << "Banco de dados " << config.database.database << " instalado." << Qt::endl;
  return 0;
}

}  // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
  const AppConfig config = AppConfig::load();

  if (app.arguments().contains(QStringLiteral("--instalar-banco"))) return installOnSharedServer(config);

  if (!config.usesEmbeddedServer()) {
    out << "Servidor compartilhado configurado em " << config.iniPath << "." << Qt::endl;
    return 0;
  }

  EmbeddedServer server(EmbeddedServer::defaultFolder());
  ConnectionSettings settings;
  QString error;
  if (!prepareEmbeddedDatabase(server, &settings, &error)) {
    err << error << Qt::endl;
    return 1;
  }
  out << "Banco de dados Velmora pronto na pasta " << server.folder() << Qt::endl
      << "Acesse com: mariadb --socket=" << server.socketPath() << " " << settings.database << Qt::endl;
  if (server.startedHere()) {
    ask(QStringLiteral("Tecle Enter para encerrar e parar o servidor. "), false);
    if (!server.stop(&error)) {
      err << error << Qt::endl;
      return 1;
    }
  }
  return 0;
}
