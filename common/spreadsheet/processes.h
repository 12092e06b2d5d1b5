#pragma once
// The spreadsheet programs this program starts, and ending them ("Finalizar Excel").
//
// Imports read workbooks in-process, so they start nothing; exports open the filled copy with the
// desktop's default application, started through here. Ending the spreadsheet processes ends those
// that this program started and that still run, with the processes they started in turn; the
// user's own spreadsheet windows, opened outside this program, are left alone.

#include <QString>
#include <QStringList>

namespace Spreadsheet {

// Starts a program detached and remembers it. Gives its process id, 0 when it cannot be started.
qint64 startSpreadsheetProcess(const QString &program, const QStringList &arguments);

// Opens a file with the desktop's default application (started through the above when the
// desktop's opener program is at hand). False when nothing could be started.
bool openWithDefaultApplication(const QString &path);

// Ends (SIGTERM) every remembered process still running and its descendants. A process that
// has ended, whose number now belongs to another program, or that cannot be ended is skipped
// silently. Nothing is reported.
void endSpreadsheetProcesses();

}  // namespace Spreadsheet
