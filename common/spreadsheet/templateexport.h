#pragma once
// Spreadsheet exports: a copy of the installation's template ("base.xlsx", "adesao.xlsx" in the
// program's folder) with the values the screen lists written into its first sheet, saved in the
// user's export folder under a dated name and opened with the desktop's spreadsheet application.
//
//     Spreadsheet::TemplateExport sheet(QStringLiteral("base.xlsx"));   // throws when missing
//     sheet.setText(1, 1, QStringLiteral("Data"));
//     sheet.setDate(2, 1, date);
//     sheet.setNumber(2, 7, amount);
//     const Spreadsheet::SavedCopy copy = sheet.saveAndOpen();          // throws when it cannot save
//     messages.information(QStringLiteral("Planilha Gerada!!!"));      // copy.path tells where
//
// The template keeps everything it has: a written cell keeps its format, a new cell takes the
// format of its row or column, and a date goes into a cell that shows dates as dd/mm/yyyy. Every
// failure throws Spreadsheet::Error with a message for the user; nothing is shown from here.

#include "common/spreadsheet/error.h"
#include "common/spreadsheet/xlsxpatch.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>

namespace Spreadsheet {

struct SavedCopy {
  QString path;
  bool opened = false;
  // "A planilha foi salva em <path>." with, when it could not be opened, the advice to open it.
  QString message() const;
};

class TemplateExport {
 public:
  // templateFolder defaults to the program's own folder. Throws Error when the template is
  // missing or is not a workbook.
  explicit TemplateExport(const QString &templateName, const QString &templateFolder = QString());

  // Rows and columns from 1. Writing a cell again replaces the value.
  void setText(int row, int column, const QString &text);
  void setNumber(int row, int column, double value);
  void setDate(int row, int column, const QDate &date);  // a null date leaves the cell empty
  // By the value's type, for query fields: dates, numbers, texts; a null value leaves the cell empty.
  void setValue(int row, int column, const QVariant &value);

  const QString &templatePath() const { return m_templatePath; }

  // Writes the filled copy into exportFolder (default: defaultExportFolder()), named after the
  // template and the moment ("base_2026-12-11_153012.xlsx"), and gives its path.
  QString save(const QString &exportFolder = QString()) const;
  // save(), then opens the copy with the desktop's default application.
  SavedCopy saveAndOpen(const QString &exportFolder = QString()) const;

  // Documents/Velmora in the user's home.
  static QString defaultExportFolder();

  // How saveAndOpen() opens the copy; tests put their own. An empty function restores the
  // desktop's default application.
  using Opener = std::function<bool(const QString &path)>;
  static void setOpener(Opener opener);

 private:
  void set(int row, int column, PendingCell cell);

  QString m_templatePath;
  PendingCells m_cells;
};

}  // namespace Spreadsheet
