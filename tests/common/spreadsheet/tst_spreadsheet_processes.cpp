// Ending the spreadsheet processes ends those this program started, with what they started, and
// leaves every other process alone.

#include "common/spreadsheet/processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace {

// Running, as opposed to ended or ended and waiting to be collected by its parent.
bool running(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return false;
  const QByteArray text = stat.readAll();
  const qsizetype close = text.lastIndexOf(')');
  return close > 0 && close + 2 < text.size() && text.at(close + 2) != 'Z';
}

bool endsWithin(qint64 pid, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (running(pid)) {
    if (timer.elapsed() > milliseconds) return false;
    QThread::msleep(20);
  }
  return true;
}

// The children of a process, from /proc/<pid>/task/<pid>/children.
QList<qint64> childrenOf(qint64 pid) {
  QList<qint64> result;
  QFile file(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
  if (file.open(QIODevice::ReadOnly))
    for (const QByteArray &piece : file.readAll().split(' '))
      if (!piece.trimmed().isEmpty()) result.append(piece.trimmed().toLongLong());
  return result;
}

}  // namespace

class TestSpreadsheetProcesses : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!QFile::exists(QStringLiteral("/proc/self/stat"))) QSKIP("needs the process table of /proc");
    if (QStandardPaths::findExecutable(QStringLiteral("sleep")).isEmpty()) QSKIP("needs sleep");
  }

  void endsOnlyWhatThisProgramStarted() {
    // a spreadsheet program of ours that started a helper of its own
    const qint64 ours = Spreadsheet::startSpreadsheetProcess(QStringLiteral("sh"),
                                                             {QStringLiteral("-c"), QStringLiteral("sleep 60 & wait")});
    QVERIFY(ours > 0);
    QList<qint64> helpers;
    QTRY_VERIFY((helpers = childrenOf(ours)).size() == 1);

    // another program's process, which must survive
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(other.waitForStarted());

    Spreadsheet::endSpreadsheetProcesses();

    QVERIFY(endsWithin(ours, 5000));
    QVERIFY(endsWithin(helpers.first(), 5000));
    QVERIFY(running(other.processId()));
    QCOMPARE(other.state(), QProcess::Running);

    // already ended: a second call finds nothing to end and reports nothing
    Spreadsheet::endSpreadsheetProcesses();
    QVERIFY(running(other.processId()));
    other.kill();
    other.waitForFinished();
  }
};

QTEST_GUILESS_MAIN(TestSpreadsheetProcesses)
#include "tst_spreadsheet_processes.moc"
