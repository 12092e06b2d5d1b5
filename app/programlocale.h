#pragma once

#include <QLocale>
#include <QString>

// The locale the program formats numbers and dates with: pt-BR unless velmora.ini names another.
// Dates are typed and read as day/month/year throughout, so a locale whose short date is not
// "dd/MM/yyyy" stops the start.
namespace ProgramLocale {

// Makes `name` the default locale of the process and returns it.
QLocale apply(const QString &name);

// The locale's long time format without the time-zone part ("HH:mm:ss" for pt-BR).
QString longTimeFormat(const QLocale &locale = QLocale());

}  // namespace ProgramLocale
