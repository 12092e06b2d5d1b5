#include "common/report/report.h"

#include "common/report/layout.h"

namespace Report {

namespace {

Element textElement(Element::Kind kind, const QRectF &rect, const Style &style) {
  Element e;
  e.kind = kind;
  e.rect = rect;
  e.style = style;
  return e;
}

}  // namespace

Band &Band::text(const QRectF &rect, const QString &text, const Style &style) {
  Element e = textElement(Element::Kind::Text, rect, style);
  e.text = text;
  elements.append(e);
  return *this;
}

Band &Band::field(const QRectF &rect, const QString &field, const QString &mask, const Style &style) {
  Element e = textElement(Element::Kind::Field, rect, style);
  e.field = field;
  e.mask = mask;
  elements.append(e);
  return *this;
}

Band &Band::expr(const QRectF &rect, TextFn fn, const Style &style) {
  Element e = textElement(Element::Kind::Expression, rect, style);
  e.expression = std::move(fn);
  elements.append(e);
  return *this;
}

Band &Band::date(const QRectF &rect, const Style &style) {
  elements.append(textElement(Element::Kind::Date, rect, style));
  return *this;
}

Band &Band::time(const QRectF &rect, const Style &style) {
  elements.append(textElement(Element::Kind::Time, rect, style));
  return *this;
}

Band &Band::page(const QRectF &rect, const Style &style, const QString &pattern) {
  Element e = textElement(Element::Kind::Page, rect, style);
  e.text = pattern;
  elements.append(e);
  return *this;
}

Band &Band::pageOfPages(const QRectF &rect, const Style &style, const QString &pattern) {
  Element e = textElement(Element::Kind::PageOfPages, rect, style);
  e.text = pattern;
  elements.append(e);
  return *this;
}

Band &Band::line(const QPointF &from, const QPointF &to, double pen) {
  Element e;
  e.kind = Element::Kind::Line;
  e.rect = QRectF(from, to);
  e.pen = pen;
  elements.append(e);
  return *this;
}

Band &Band::rule(double y, double pen) {
  Element e;
  e.kind = Element::Kind::Line;
  e.rect = QRectF(0, y, 0, 0);
  e.pen = pen;
  e.fullWidth = true;
  elements.append(e);
  return *this;
}

Band &Band::box(const QRectF &rect, double pen) {
  Element e;
  e.kind = Element::Kind::Box;
  e.rect = rect;
  e.pen = pen;
  elements.append(e);
  return *this;
}

Band &Band::image(const QRectF &rect, const QImage &image) {
  Element e;
  e.kind = Element::Kind::Image;
  e.rect = rect;
  e.image = image;
  elements.append(e);
  return *this;
}

Definition &Definition::setLandscape(bool landscape) {
  page.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  return *this;
}

Group &Definition::group(KeyFn key) {
  m_groups.push_back(Group{});
  m_groups.back().key = std::move(key);
  return m_groups.back();
}

Group &Definition::group(const QStringList &fields) {
  return group([fields](const Row &row) {
    QVariantList key;
    key.reserve(fields.size());
    for (const QString &f : fields) key << row.value(f);
    return QVariant(key);
  });
}

QSizeF Definition::pageSize() const {
  return QPageLayout(QPageSize(page.size), page.orientation, QMarginsF(), QPageLayout::Millimeter)
      .fullRect(QPageLayout::Millimeter)
      .size();
}

double Definition::width() const { return pageSize().width() - page.margins.left() - page.margins.right(); }

Document Definition::layout(const QList<QVariantMap> &rows) const { return layout(MapSource(rows)); }

}  // namespace Report
