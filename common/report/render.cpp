#include "common/report/render.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace Report {

namespace {

PreviewHook &previewHook() {
  static PreviewHook hook;
  return hook;
}

QFont fontOf(const Style &style, const QString &family) {
  QFont font(style.family.isEmpty() ? family : style.family);
  font.setPointSizeF(style.size > 0 ? style.size : 9);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  return font;
}

int flagsOf(const Style &style) {
  int flags = 0;
  switch (style.align) {
    case Align::Left:
      flags = Qt::AlignLeft;
      break;
    case Align::Center:
      flags = Qt::AlignHCenter;
      break;
    case Align::Right:
      flags = Qt::AlignRight;
      break;
    case Align::Justify:
      flags = Qt::AlignJustify;
      break;
  }
  if (style.wrap || style.align == Align::Justify) return flags | Qt::AlignTop | Qt::TextWordWrap;
  return flags | Qt::AlignVCenter | Qt::TextSingleLine;
}

bool sameFont(const Style &a, const Style &b) {
  return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.family == b.family;
}

QRectF scaled(const QRectF &mm, double k) {
  return QRectF(mm.left() * k, mm.top() * k, mm.width() * k, mm.height() * k);
}

bool drawPages(const Document &doc, QPainter &painter, QPagedPaintDevice &device, double dotsPerMm) {
  for (int p = 0; p < doc.pageCount(); ++p) {
    if (p > 0 && !device.newPage()) return false;
    paintPage(painter, doc, p, dotsPerMm);
  }
  return true;
}

}  // namespace

void paintPage(QPainter &painter, const Document &doc, int page, double k) {
  if (page < 0 || page >= doc.pageCount()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  const Style *current = nullptr;
  QFontMetricsF metrics(painter.font(), painter.device());
  for (const Item &item : doc.pages.at(page).items) {
    const QRectF rect = scaled(item.rect, k);
    switch (item.kind) {
      case Item::Kind::Text: {
        if (item.text.isEmpty()) break;
        if (!current || !sameFont(*current, item.style)) {
          painter.setFont(fontOf(item.style, doc.fontFamily));
          metrics = QFontMetricsF(painter.font(), painter.device());
        }
        current = &item.style;
        const int flags = flagsOf(item.style);
        if (!(flags & Qt::TextSingleLine)) {
          painter.drawText(rect, flags, item.text);
          break;
        }
        // One line, placed by hand: several times faster than the rect form, which lays the text
        // out as a paragraph. A text wider than its place is cut at the place's sides, as a
        // column of a listing must not run into the next one.
        const double advance = metrics.horizontalAdvance(item.text);
        double x = rect.left();
        if (flags & Qt::AlignRight)
          x = rect.right() - advance;
        else if (flags & Qt::AlignHCenter)
          x = rect.left() + (rect.width() - advance) / 2;
        const double baseline = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
        const bool clip = advance > rect.width();
        if (clip) {
          painter.save();
          painter.setClipRect(rect);
        }
        painter.drawText(QPointF(x, baseline), item.text);
        if (clip) painter.restore();
        break;
      }
      case Item::Kind::Line:
        painter.setPen(QPen(Qt::black, item.pen * k));
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        break;
      case Item::Kind::Box:
        painter.setPen(QPen(Qt::black, item.pen * k));
        painter.drawRect(rect);
        break;
      case Item::Kind::Image: {
        if (item.image.isNull()) break;
        QSizeF fit = QSizeF(item.image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), fit);
        target.moveCenter(rect.center());
        painter.drawImage(target, item.image);
        break;
      }
    }
    if (item.kind != Item::Kind::Text) painter.setPen(Qt::black);
  }
  painter.restore();
}

bool print(const Document &doc, QPrinter &printer) {
  printer.setFullPage(true);
  printer.setPageLayout(doc.pageLayout);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const bool ok = drawPages(doc, painter, printer, printer.resolution() / 25.4);
  painter.end();
  return ok;
}

bool writePdf(const Document &doc, const QString &path, QString *error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    if (error)
      *error = QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                   .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
    return false;
  }
  QPdfWriter writer(&file);
  writer.setCreator(QStringLiteral("Velmora"));
  writer.setPageLayout(doc.pageLayout);
  QPainter painter;
  if (!painter.begin(&writer)) {
    if (error) *error = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(QFileInfo(path).absoluteFilePath());
    return false;
  }
  const bool ok = drawPages(doc, painter, writer, writer.resolution() / 25.4);
  painter.end();
  file.close();
  if (!ok || file.error() != QFileDevice::NoError) {
    if (error)
      *error = QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                   .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
    return false;
  }
  return true;
}

void preview(const Document &doc, const QString &caption, QWidget *parent) {
  if (previewHook()) {
    previewHook()(doc, caption);
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  printer.setPageLayout(doc.pageLayout);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(caption);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&doc](QPrinter *p) { print(doc, *p); });
  dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
  dialog.exec();
}

PreviewHook setPreviewHook(PreviewHook hook) {
  PreviewHook previous = std::move(previewHook());
  previewHook() = std::move(hook);
  return previous;
}

}  // namespace Report
