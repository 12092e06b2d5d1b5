#include "common/spreadsheet/processes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_LINUX
#include <signal.h>
#endif

namespace Spreadsheet {

namespace {

struct ProcessInfo {
  qint64 pid = 0;
  qint64 parent = 0;
  quint64 startTime = 0;  // clock ticks after boot: tells a process from a later one with its number
  bool running = false;
};

struct Started {
  qint64 pid;
  quint64 startTime;
};

QList<Started> &started() {
  static QList<Started> list;
  return list;
}

// From /proc/<pid>/stat: "pid (name) state ppid ... starttime(22nd field) ...".
ProcessInfo processInfo(qint64 pid) {
  ProcessInfo info;
#ifdef Q_OS_LINUX
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return info;
  const QByteArray text = stat.readAll();
  const qsizetype close = text.lastIndexOf(')');
  if (close < 0) return info;
  const QList<QByteArray> fields = text.mid(close + 2).split(' ');
  if (fields.size() < 20) return info;
  info.pid = pid;
  info.parent = fields.at(1).toLongLong();
  info.startTime = fields.at(19).toULongLong();
  const char state = fields.at(0).isEmpty() ? 'X' : fields.at(0).at(0);
  info.running = state != 'Z' && state != 'X' && state != 'x';
#else
  Q_UNUSED(pid);
#endif
  return info;
}

QList<ProcessInfo> allProcesses() {
  QList<ProcessInfo> result;
#ifdef Q_OS_LINUX
  const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString &entry : entries) {
    bool ok = false;
    const qint64 pid = entry.toLongLong(&ok);
    if (ok) {
      const ProcessInfo info = processInfo(pid);
      if (info.running) result.append(info);
    }
  }
#endif
  return result;
}

}  // namespace

qint64 startSpreadsheetProcess(const QString &program, const QStringList &arguments) {
  qint64 pid = 0;
  if (!QProcess::startDetached(program, arguments, QString(), &pid) || pid <= 0) return 0;
  started().append({pid, processInfo(pid).startTime});
  return pid;
}

bool openWithDefaultApplication(const QString &path) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) return startSpreadsheetProcess(opener, {path}) != 0;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void endSpreadsheetProcesses() {
#ifdef Q_OS_LINUX
  const QList<ProcessInfo> processes = allProcesses();
  QMultiHash<qint64, ProcessInfo> children;
  for (const ProcessInfo &process : processes) children.insert(process.parent, process);

  for (const Started &root : std::as_const(started())) {
    const ProcessInfo info = processInfo(root.pid);
    if (!info.running || info.startTime != root.startTime)
      continue;  // ended, or its number was given to another program since
    // the process and what it started, children before parents
    QList<qint64> doomed{root.pid};
    for (qsizetype i = 0; i < doomed.size(); ++i)
      for (const ProcessInfo &child : children.values(doomed.at(i)))
        if (child.startTime >= root.startTime) doomed.append(child.pid);
    for (qsizetype i = doomed.size() - 1; i >= 0; --i) ::kill(pid_t(doomed.at(i)), SIGTERM);
  }
  started().clear();  // all ended, or gone by themselves
#endif
}

}  // namespace Spreadsheet
