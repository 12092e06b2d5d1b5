#pragma once
// A report declared as bands over rows. Positions and sizes are millimetres; a band's elements are
// placed relative to its top-left corner, which sits at the left margin. Laying it out over a source
// gives a Document (layout.h) that the preview, a printer or a PDF file render (render.h).
//
//   Report::Definition r;                          // A4 portrait, 10 mm margins
//   r.pageHeader(14).text({0, 0, 120, 6}, title, {.size = 12, .bold = true})
//                   .date({150, 0, 40, 5}, {.align = Report::Align::Right});
//   auto &op = r.group({"operador"});
//   op.header.setHeight(6).expr({0, 0, 100, 5}, [](auto &c) { return "Operador(a): " + c.text("operador"); });
//   r.detail(5).field({0, 0, 20, 5}, "hora").field({150, 0, 40, 5}, "valor", "#,##0.00", {.align =
//   Report::Align::Right}); op.footer.setHeight(6).expr({150, 0, 40, 5}, [](auto &c) { return
//   Report::format(c.sum("valor"), "#,##0.00"); }); Report::preview(r.layout(rows), "Auditoria", this);

#include "common/report/format.h"
#include "common/report/source.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>

#include <deque>
#include <functional>

namespace Report {

class Document;
class Engine;

enum class Align { Left, Center, Right, Justify };

struct Style {
  double size = 9;  // points
  bool bold = false;
  Align align = Align::Left;
  // Word wrap inside the rect, from its top. Without it the text is one line, centred on the rect's
  // height and cut at its sides.
  bool wrap = false;
  bool italic = false;
  QString family = {};  // empty: the report's font family
};

// What a band's computed texts and print conditions see while the report is laid out.
// The band's rows ("scope") are:
//   group header and footer: every row of that group;
//   detail: from the first row of the innermost group (or of the report) to the current row;
//   title and summary: every row of the report;
//   page header, column header and page footer: the rows printed so far.
class Context {
 public:
  Row row() const;  // the current row (the first of a group in its header, the last in its footer)
  QVariant value(const QString &field) const { return row().value(field); }
  QString text(const QString &field, const QString &mask = {}) const { return format(value(field), mask); }

  double sum(const QString &field) const;  // over the band's rows
  double sum(const std::function<double(const Row &)> &fn) const;
  int count() const;  // rows in the band's scope
  double reportSum(
      const QString &field) const;  // from the first row to the current one (all rows in title and summary)
  int reportCount() const;

  int page() const { return m_page; }  // 1-based
  QDateTime now() const;               // the moment of the run, the same on every page

 private:
  friend class Engine;
  const Engine *m_engine = nullptr;
  int m_row = -1;
  int m_first = 0, m_last = -1;  // the band's rows, inclusive
  int m_reportLast = -1;
  int m_page = 1;
};

using TextFn = std::function<QString(const Context &)>;
using WhenFn = std::function<bool(const Context &)>;
using KeyFn = std::function<QVariant(const Row &)>;

struct Element {
  enum class Kind { Text, Field, Expression, Date, Time, Page, PageOfPages, Line, Box, Image };
  Kind kind = Kind::Text;
  QRectF rect;  // a line runs from rect.topLeft() to rect.bottomRight()
  Style style;
  QString text;  // static text, or the pattern of a page number ("%1", "%1 de %2")
  QString field, mask;
  TextFn expression;
  double pen = 0.2;        // millimetres
  bool fullWidth = false;  // a rule across the printable width
  QImage image;
};

class Band {
 public:
  double height = 0;  // millimetres; a band of height 0 without elements is not printed
  WhenFn when;        // printed only when this returns true (always when unset)
  QList<Element> elements;

  bool isDeclared() const { return height > 0 || !elements.isEmpty(); }

  Band &setHeight(double mm) {
    height = mm;
    return *this;
  }
  Band &printWhen(WhenFn fn) {
    when = std::move(fn);
    return *this;
  }

  Band &text(const QRectF &rect, const QString &text, const Style &style = {});
  Band &field(const QRectF &rect, const QString &field, const QString &mask = {}, const Style &style = {});
  Band &expr(const QRectF &rect, TextFn fn, const Style &style = {});
  Band &date(const QRectF &rect, const Style &style = {});  // dd/MM/yyyy of the run
  Band &time(const QRectF &rect, const Style &style = {});  // hh:mm:ss of the run
  Band &page(const QRectF &rect, const Style &style = {}, const QString &pattern = QStringLiteral("%1"));
  Band &pageOfPages(const QRectF &rect, const Style &style = {}, const QString &pattern = QStringLiteral("%1 de %2"));
  Band &line(const QPointF &from, const QPointF &to, double pen = 0.2);
  Band &rule(double y, double pen = 0.2);  // horizontal line across the printable width
  Band &box(const QRectF &rect, double pen = 0.2);
  Band &image(const QRectF &rect, const QImage &image);  // scaled to fit, keeping its proportions
};

struct Group {
  KeyFn key;  // the group breaks where this changes from one row to the next
  Band header, footer;
  bool newPage = false;  // every group after the first starts a new page
};

struct PageSetup {
  QPageSize::PageSizeId size = QPageSize::A4;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QMarginsF margins{10, 10, 10, 10};  // millimetres
};

// Page order: page header, the title (first page only), column header, then groups and details;
// the summary follows the last row; the page footer sits at the bottom of every page. A band never
// splits: one that does not fit in what is left of a page moves whole to the next page, and a group
// header moves along with the first detail line under it.
class Definition {
 public:
  PageSetup page;
  QString fontFamily = QStringLiteral("DejaVu Sans");
  QDateTime now;  // the run's date and time; the moment of layout when left invalid

  Definition &setLandscape(bool landscape = true);

  Band &title(double height) { return m_title.setHeight(height); }
  Band &pageHeader(double height) { return m_pageHeader.setHeight(height); }
  Band &columnHeader(double height) { return m_columnHeader.setHeight(height); }
  Band &detail(double height) { return m_detail.setHeight(height); }
  Band &summary(double height) { return m_summary.setHeight(height); }
  Band &pageFooter(double height) { return m_pageFooter.setHeight(height); }
  Band &title() { return m_title; }
  Band &pageHeader() { return m_pageHeader; }
  Band &columnHeader() { return m_columnHeader; }
  Band &detail() { return m_detail; }
  Band &summary() { return m_summary; }
  Band &pageFooter() { return m_pageFooter; }

  // Groups nest in the order they are declared: the first is the outermost.
  Group &group(KeyFn key);
  Group &group(const QStringList &fields);  // breaks when any of these fields changes

  QSizeF pageSize() const;  // millimetres, oriented
  double width() const;     // printable width in millimetres

  Document layout(const Source &rows) const;
  Document layout(const QList<QVariantMap> &rows) const;

 private:
  friend class Engine;
  Band m_title, m_pageHeader, m_columnHeader, m_detail, m_summary, m_pageFooter;
  std::deque<Group> m_groups;  // a deque keeps the references group() hands out valid
};

}  // namespace Report
