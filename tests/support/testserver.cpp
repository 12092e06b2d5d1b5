// Starts or stops the private MariaDB server of one test run:
//   velmora_testserver start|stop <folder> <socket>
#include <QCoreApplication>
#include <QTextStream>

#include "app/embeddedserver.h"

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  QTextStream err(stderr);
  if (args.size() != 4 || (args[1] != QLatin1String("start") && args[1] != QLatin1String("stop"))) {
    err << "uso: velmora_testserver start|stop <pasta> <socket>" << Qt::endl;
    return 2;
  }
  EmbeddedServer server(args[2], args[3]);
  // Test data is thrown away after the run: no need to wait for the disk.
  server.setExtraArguments({QStringLiteral("--innodb-flush-log-at-trx-commit=0"),
                            QStringLiteral("--innodb-doublewrite=0"), QStringLiteral("--innodb-buffer-pool-size=256M"),
                            QStringLiteral("--max-connections=500")});
  QString error;
  const bool ok = args[1] == QLatin1String("start") ? server.start(&error) : server.stop(&error);
  if (!ok) err << error << Qt::endl;
  return ok ? 0 : 1;
}
