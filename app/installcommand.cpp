#include "app/installcommand.h"

#include <QTextStream>

#include <termios.h>
#include <unistd.h>

#include "app/databasesetup.h"

namespace {

QString ask(QTextStream &out, const QString &prompt, bool hidden) {
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

}  // namespace

int installOnSharedServer(const AppConfig &config) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (config.usesEmbeddedServer()) {
    err << "Nenhum servidor configurado no velmora.ini ([database] host ou socket)." << Qt::endl;
    return 1;
  }
  const QString user = ask(out, QStringLiteral("Nome do primeiro usuário: "), false).trimmed();
  const QString password = ask(out, QStringLiteral("Senha do primeiro usuário (até 6 caracteres): "), true);
  QString error;
  if (!installSchema(config.database, user, password, &error)) {
    err << error << Qt::endl;
    return 1;
  }
  out << "Banco de dados " << config.database.database << " instalado." << Qt::endl;
  return 0;
}
