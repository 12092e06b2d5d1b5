#include "app/embeddedserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSqlDatabase>
#include <QTemporaryFile>
#include <QThread>
#include <QUuid>

#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int kSocketPathLimit = 107;

QStringList &programFolders() {
  static QStringList folders;
  return folders;
}

QString findProgram(const QStringList &names) {
  const QStringList extra{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/libexec"),
                          QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/local/bin")};
  for (const QString &name : names) {
    if (!programFolders().isEmpty()) {
      const QString path = QStandardPaths::findExecutable(name, programFolders());
      if (!path.isEmpty()) return path;
      continue;
    }
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty()) path = QStandardPaths::findExecutable(name, extra);
    if (!path.isEmpty()) return path;
  }
  return {};
}

QString osUserName() {
  if (const passwd *pw = getpwuid(geteuid())) return QString::fromLocal8Bit(pw->pw_name);
  return qEnvironmentVariable("USER");
}

bool processAlive(qint64 pid) {
  if (pid <= 0) return false;
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
  // A pid file left by a crash may name a process that is no server any more.
  QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
  if (!comm.open(QIODevice::ReadOnly)) return true;
  const QByteArray name = comm.readAll().trimmed();
  return name.contains("mariadbd") || name.contains("mysqld");
}

}  // namespace

EmbeddedServer::EmbeddedServer(const QString &folder, const QString &socketPath)
    : folder_(QDir::cleanPath(QDir(folder).absolutePath())), socketPath_(socketPath) {
  if (socketPath_.isEmpty()) {
    socketPath_ = folder_ + QStringLiteral("/mariadb.sock");
    if (socketPath_.toLocal8Bit().size() > kSocketPathLimit) {
      const QByteArray hash = QCryptographicHash::hash(folder_.toUtf8(), QCryptographicHash::Md5).toHex().left(12);
      socketPath_ = QStringLiteral("/tmp/velmora-%1-%2.sock").arg(geteuid()).arg(QString::fromLatin1(hash));
    }
  }
}

void EmbeddedServer::setProgramFolders(const QStringList &folders) { programFolders() = folders; }

QString EmbeddedServer::defaultFolder() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
  return base + QStringLiteral("/velmora");
}

QString EmbeddedServer::dataPath() const { return folder_ + QStringLiteral("/data"); }
QString EmbeddedServer::pidPath() const { return folder_ + QStringLiteral("/mariadb.pid"); }
QString EmbeddedServer::tmpPath() const { return folder_ + QStringLiteral("/tmp"); }
QString EmbeddedServer::errorLogPath() const { return folder_ + QStringLiteral("/mariadb.err"); }

ConnectionSettings EmbeddedServer::connectionSettings(const QString &database) const {
  ConnectionSettings s;
  s.socket = socketPath_;
  s.user = osUserName();
  s.database = database;
  return s;
}

qint64 EmbeddedServer::runningPid() const {
  QFile f(pidPath());
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const qint64 pid = f.readAll().trimmed().toLongLong();
  return processAlive(pid) ? pid : 0;
}

bool EmbeddedServer::answers() const {
  const QString name = QStringLiteral("velmora-probe-") + QUuid::createUuid().toString(QUuid::Id128);
  bool ok = false;
  {
    QSqlDatabase db = connectionSettings().configure(name);
    ok = db.open();
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return ok;
}

QString EmbeddedServer::errorLogTail() const {
  QFile f(errorLogPath());
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QStringList lines = QString::fromLocal8Bit(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
  return lines.mid(qMax(0, lines.size() - 8)).join(u'\n');
}

bool EmbeddedServer::initialise(const QString &installDb, QString *error) {
  QStringList args{QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + dataPath(),
                   QStringLiteral("--auth-root-authentication-method=socket"), QStringLiteral("--skip-test-db"),
                   QStringLiteral("--tmpdir=") + tmpPath()};
  if (geteuid() == 0) args << QStringLiteral("--user=root");
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(installDb, args);
  if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    *error = QStringLiteral("Não foi possível preparar a pasta do banco de dados %1:\n%2")
                 .arg(dataPath(), QString::fromLocal8Bit(p.readAll()).right(2000));
    QDir(dataPath()).removeRecursively();  // a half-made folder would be taken for a ready one next time
    return false;
  }
  return true;
}

bool EmbeddedServer::waitUntilAnswering(qint64 pid, int seconds, QString *error) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < seconds * 1000) {
    if (answers()) return true;
    if (pid > 0 && !processAlive(pid)) {
      *error = QStringLiteral("O servidor de banco de dados não pôde ser iniciado.\n%1").arg(errorLogTail());
      return false;
    }
    QThread::msleep(150);
  }
  *error = QStringLiteral("O servidor de banco de dados da pasta %1 não respondeu em %2 segundos.\n%3")
               .arg(folder_)
               .arg(seconds)
               .arg(errorLogTail());
  return false;
}

bool EmbeddedServer::start(QString *error) {
  QString scratch;
  if (!error) error = &scratch;
  startedHere_ = false;

  const QString server = findProgram({QStringLiteral("mariadbd"), QStringLiteral("mysqld")});
  const QString installDb = findProgram({QStringLiteral("mariadb-install-db"), QStringLiteral("mysql_install_db")});
  if (server.isEmpty() || installDb.isEmpty()) {
    *error = QStringLiteral(
        "O MariaDB não está instalado neste computador (programas mariadbd e "
        "mariadb-install-db não encontrados).\nInstale os pacotes mariadb-server e "
        "mariadb-client, ou configure um servidor compartilhado no velmora.ini.");
    return false;
  }
  if (!QDir().mkpath(folder_) || !QFileInfo(folder_).isWritable()) {
    *error =
        QStringLiteral("A pasta de dados %1 não pode ser gravada.\nVerifique as permissões da pasta.").arg(folder_);
    return false;
  }
  {
    QTemporaryFile probe(folder_ + QStringLiteral("/.write-test-XXXXXX"));
    if (!probe.open()) {
      *error =
          QStringLiteral("A pasta de dados %1 não pode ser gravada.\nVerifique as permissões da pasta.").arg(folder_);
      return false;
    }
  }

  // Two copies of the program starting at once take turns here, so only one server ever opens the files.
  QLockFile lock(folder_ + QStringLiteral("/velmora-server.lock"));
  lock.setStaleLockTime(0);
  if (!lock.tryLock(120000)) {
    *error = QStringLiteral(
                 "Outra cópia do programa está preparando o banco de dados da pasta %1.\n"
                 "Tente novamente em instantes.")
                 .arg(folder_);
    return false;
  }

  if (answers()) return true;  // the server of another copy: use it and leave it to its owner
  if (const qint64 pid = runningPid()) return waitUntilAnswering(pid, 60, error);

  QDir().mkpath(tmpPath());
  if (!QFileInfo::exists(dataPath() + QStringLiteral("/mysql")) && !initialise(installDb, error)) return false;

  QStringList args{QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + dataPath(),
                   QStringLiteral("--socket=") + socketPath_, QStringLiteral("--pid-file=") + pidPath(),
                   QStringLiteral("--log-error=") + errorLogPath(),
                   // A temporary folder of its own: servers sharing /tmp may clean up each other's files.
                   QStringLiteral("--tmpdir=") + tmpPath(), QStringLiteral("--skip-networking"),
                   QStringLiteral("--lower-case-table-names=1"), QStringLiteral("--character-set-server=utf8mb4"),
                   QStringLiteral("--collation-server=utf8mb4_general_ci")};
  if (geteuid() == 0) args << QStringLiteral("--user=root");
  args << extraArguments_;
  QFile::remove(pidPath());
  QDir().mkpath(QFileInfo(socketPath_).absolutePath());

  QProcess p;
  p.setProgram(server);
  p.setArguments(args);
  p.setStandardInputFile(QProcess::nullDevice());
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setStandardErrorFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!p.startDetached(&pid)) {
    *error = QStringLiteral("Não foi possível executar %1.").arg(server);
    return false;
  }
  if (!waitUntilAnswering(pid, 90, error)) {
    if (processAlive(pid)) ::kill(static_cast<pid_t>(pid), SIGTERM);
    return false;
  }
  startedHere_ = true;
  return true;
}

bool EmbeddedServer::stop(QString *error) {
  const qint64 pid = runningPid();
  startedHere_ = false;
  if (pid == 0) return true;
  ::kill(static_cast<pid_t>(pid), SIGTERM);  // a clean shutdown: the server flushes and removes its pid file
  QElapsedTimer clock;
  clock.start();
  while (processAlive(pid)) {
    if (clock.elapsed() > 120000) {
      if (error) *error = QStringLiteral("O servidor de banco de dados (processo %1) não terminou.").arg(pid);
      return false;
    }
    QThread::msleep(100);
  }
  return true;
}

bool EmbeddedServer::stopIfStartedHere(QString *error) { return startedHere_ ? stop(error) : true; }
