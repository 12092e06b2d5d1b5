#pragma once
// A laid-out report: pages of positioned texts, lines, boxes and pictures, in millimetres from each
// page's top-left corner. Rendering draws exactly these; tests read them without rendering.

#include "common/report/report.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QStringList>

namespace Report {

struct Item {
  enum class Kind { Text, Line, Box, Image };
  Kind kind = Kind::Text;
  QRectF rect;  // a line runs from rect.topLeft() to rect.bottomRight()
  QString text;
  Style style;
  double pen = 0.2;  // millimetres
  QImage image;
};

struct Page {
  QList<Item> items;  // in the order the bands were placed, each band's elements as declared
};

class Document {
 public:
  QPageLayout pageLayout;  // size and orientation; margins are already in the item positions
  QString fontFamily;
  QList<Page> pages;

  int pageCount() const { return int(pages.size()); }
  QSizeF pageSize() const;  // millimetres, oriented
  // The texts of a page (index from 0) in placement order.
  QStringList pageTexts(int page) const;
};

}  // namespace Report
