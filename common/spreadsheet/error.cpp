#include "common/spreadsheet/error.h"

namespace Spreadsheet {

Error::Error(const QString &message) : std::runtime_error(message.toStdString()) {}

QString Error::message() const { return QString::fromStdString(what()); }

QString cellName(int row, int column) {
  QString letters;
  for (int c = column; c > 0; c = (c - 1) / 26) letters.prepend(QChar(u'A' + (c - 1) % 26));
  return letters + QString::number(row);
}

}  // namespace Spreadsheet
