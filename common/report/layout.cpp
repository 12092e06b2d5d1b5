// The layout engine: walks the rows once, breaking groups where their keys change, and places the
// bands on pages.

#include "common/report/layout.h"

#include <QHash>
#include <QPair>

#include <vector>

namespace Report {

namespace {

constexpr double eps = 1e-6;

// A null column and an empty text print alike, so they do not break a group between them.
bool isBlank(const QVariant &v) { return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()); }

bool sameKey(const QVariant &a, const QVariant &b) {
  if (a.typeId() == QMetaType::QVariantList && b.typeId() == QMetaType::QVariantList) {
    const QVariantList la = a.toList(), lb = b.toList();
    if (la.size() != lb.size()) return false;
    for (qsizetype i = 0; i < la.size(); ++i)
      if (!sameKey(la.at(i), lb.at(i))) return false;
    return true;
  }
  if (isBlank(a) || isBlank(b)) return isBlank(a) && isBlank(b);
  return a == b;
}

bool visible(const Band &band, const Context &c) { return band.isDeclared() && (!band.when || band.when(c)); }

}  // namespace

class Engine {
 public:
  Engine(const Definition &def, const Source &src) : m_def(def), m_src(src) {}
  Document run();

  const Source &source() const { return m_src; }
  QDateTime now() const { return m_now; }
  double sumField(const QString &field, int first, int last) const;

 private:
  Context context(int row, int first, int last, int reportLast) const;
  void openPage(int row);
  void closePage();
  void ensure(double height, int row);
  void place(const Band &band, Context c);
  void groupFooter(int g, int first, int last);

  const Definition &m_def;
  const Source &m_src;
  QDateTime m_now;
  Document m_doc;
  int m_rows = 0;
  double m_left = 0, m_top = 0, m_width = 0, m_height = 0, m_bodyBottom = 0;
  double m_y = 0, m_freshY = 0;
  int m_done = -1;                             // the last row whose detail has been dealt with
  std::vector<QPair<int, int>> m_pageOfPages;  // (page, item) filled in once the count is known

  struct Running {
    int last;
    double sum;
  };
  mutable QHash<QPair<QString, int>, Running> m_sums;
};

Context Engine::context(int row, int first, int last, int reportLast) const {
  Context c;
  c.m_engine = this;
  c.m_row = row;
  c.m_first = first;
  c.m_last = last;
  c.m_reportLast = reportLast;
  c.m_page = int(m_doc.pages.size());
  return c;
}

// Sums run forward as detail lines and footers ask for them; a sum asked again from the same first
// row only adds the rows since the last time.
double Engine::sumField(const QString &field, int first, int last) const {
  if (last < first) return 0;
  auto it = m_sums.find(qMakePair(field, first));
  if (it == m_sums.end() || it->last > last) it = m_sums.insert(qMakePair(field, first), Running{first - 1, 0.0});
  for (int r = it->last + 1; r <= last; ++r) it->sum += m_src.value(r, field).toDouble();
  it->last = last;
  return it->sum;
}

void Engine::openPage(int row) {
  const bool first = m_doc.pages.isEmpty();
  m_doc.pages.append(Page{});
  m_y = 0;
  const Context c = context(row, 0, m_done, m_done);
  if (visible(m_def.m_pageHeader, c)) place(m_def.m_pageHeader, c);
  if (first) {
    const Context t = context(m_rows > 0 ? 0 : -1, 0, m_rows - 1, m_rows - 1);
    if (visible(m_def.m_title, t)) place(m_def.m_title, t);
  }
  if (visible(m_def.m_columnHeader, c)) place(m_def.m_columnHeader, c);
  m_freshY = m_y;
}

void Engine::closePage() {
  const Context c = context(m_done, 0, m_done, m_done);
  if (visible(m_def.m_pageFooter, c)) {
    m_y = m_bodyBottom;
    place(m_def.m_pageFooter, c);
  }
}

// Moves to a new page when the band does not fit in what is left of this one. A page that holds
// nothing but its headers takes the band anyway, so a band taller than a page cannot loop.
void Engine::ensure(double height, int row) {
  if (m_y + height <= m_bodyBottom + eps || m_y <= m_freshY + eps) return;
  closePage();
  openPage(row);
}

void Engine::place(const Band &band, Context c) {
  c.m_page = int(m_doc.pages.size());
  const int pageIndex = c.m_page - 1;
  Page &page = m_doc.pages.last();
  const QPointF origin(m_left, m_top + m_y);
  for (const Element &e : band.elements) {
    Item item;
    item.rect = e.rect.translated(origin);
    item.style = e.style;
    item.pen = e.pen;
    switch (e.kind) {
      case Element::Kind::Text:
        item.text = e.text;
        break;
      case Element::Kind::Field:
        item.text = format(c.value(e.field), e.mask);
        break;
      case Element::Kind::Expression:
        item.text = e.expression ? e.expression(c) : QString();
        break;
      case Element::Kind::Date:
        item.text = m_now.toString(QStringLiteral("dd/MM/yyyy"));
        break;
      case Element::Kind::Time:
        item.text = m_now.toString(QStringLiteral("hh:mm:ss"));
        break;
      case Element::Kind::Page:
        item.text = QString(e.text).replace(QLatin1String("%1"), QString::number(c.m_page));
        break;
      case Element::Kind::PageOfPages:
        item.text = e.text;
        m_pageOfPages.emplace_back(pageIndex, int(page.items.size()));
        break;
      case Element::Kind::Line:
        item.kind = Item::Kind::Line;
        if (e.fullWidth)
          item.rect =
              QRectF(QPointF(m_left, origin.y() + e.rect.top()), QPointF(m_left + m_width, origin.y() + e.rect.top()));
        break;
      case Element::Kind::Box:
        item.kind = Item::Kind::Box;
        break;
      case Element::Kind::Image:
        item.kind = Item::Kind::Image;
        item.image = e.image;
        break;
    }
    page.items.append(std::move(item));
  }
  m_y += band.height;
}

void Engine::groupFooter(int g, int first, int last) {
  const Band &footer = m_def.m_groups[g].footer;
  const Context c = context(last, first, last, last);
  if (!visible(footer, c)) return;
  ensure(footer.height, last);
  place(footer, c);
}

Document Engine::run() {
  const Definition &d = m_def;
  m_now = d.now.isValid() ? d.now : QDateTime::currentDateTime();
  m_doc.pageLayout = QPageLayout(QPageSize(d.page.size), d.page.orientation, QMarginsF(), QPageLayout::Millimeter);
  m_doc.fontFamily = d.fontFamily;
  const QSizeF size = d.pageSize();
  m_left = d.page.margins.left();
  m_top = d.page.margins.top();
  m_width = d.width();
  m_height = size.height() - d.page.margins.top() - d.page.margins.bottom();
  m_bodyBottom = m_height - (d.m_pageFooter.isDeclared() ? d.m_pageFooter.height : 0);

  m_rows = m_src.rowCount();
  const int groups = int(d.m_groups.size());

  // breakLevel[i]: the outermost group that starts at row i (groups = none starts there);
  // end[g][i]: the last row of the group g that holds row i.
  std::vector<int> breakLevel(m_rows, groups);
  std::vector<std::vector<int>> end(groups, std::vector<int>(m_rows));
  {
    std::vector<QVariant> previous(groups), current(groups);
    for (int i = 0; i < m_rows; ++i) {
      const Row row(&m_src, i);
      for (int g = 0; g < groups; ++g) current[g] = d.m_groups[g].key ? d.m_groups[g].key(row) : QVariant();
      if (i == 0) {
        breakLevel[i] = 0;
      } else {
        for (int g = 0; g < groups; ++g) {
          if (!sameKey(current[g], previous[g])) {
            breakLevel[i] = g;
            break;
          }
        }
      }
      std::swap(previous, current);
    }
    for (int g = 0; g < groups; ++g) {
      for (int i = m_rows - 1; i >= 0; --i) end[g][i] = (i == m_rows - 1 || breakLevel[i + 1] <= g) ? i : end[g][i + 1];
    }
  }

  openPage(m_rows > 0 ? 0 : -1);
  std::vector<int> start(groups, 0);
  for (int i = 0; i < m_rows; ++i) {
    const int level = breakLevel[i];
    if (i > 0)
      for (int g = groups - 1; g >= level; --g) groupFooter(g, start[g], i - 1);

    if (level < groups) {
      bool newPage = false;
      for (int g = level; g < groups; ++g) {
        start[g] = i;
        newPage = newPage || d.m_groups[g].newPage;
      }
      if (i > 0 && newPage && m_y > m_freshY + eps) {
        closePage();
        openPage(i);
      }
      // The headers that start here stay on one page with the first detail line under them.
      std::vector<QPair<int, Context>> headers;
      double need = 0;
      for (int g = level; g < groups; ++g) {
        const Context c = context(i, i, end[g][i], i);
        if (visible(d.m_groups[g].header, c)) {
          headers.emplace_back(g, c);
          need += d.m_groups[g].header.height;
        }
      }
      const Context firstLine = context(i, i, i, i);
      if (!headers.empty() && visible(d.m_detail, firstLine)) need += d.m_detail.height;
      if (!headers.empty()) ensure(need, i);
      for (const auto &[g, c] : headers) {
        ensure(d.m_groups[g].header.height, i);
        place(d.m_groups[g].header, c);
      }
    }

    const Context c = context(i, groups > 0 ? start[groups - 1] : 0, i, i);
    if (visible(d.m_detail, c)) {
      ensure(d.m_detail.height, i);
      place(d.m_detail, c);
    }
    m_done = i;
  }
  if (m_rows > 0)
    for (int g = groups - 1; g >= 0; --g) groupFooter(g, start[g], m_rows - 1);

  const Context s = context(m_rows - 1, 0, m_rows - 1, m_rows - 1);
  if (visible(d.m_summary, s)) {
    ensure(d.m_summary.height, m_rows - 1);
    place(d.m_summary, s);
  }
  closePage();

  const QString total = QString::number(m_doc.pages.size());
  for (const auto &[page, item] : m_pageOfPages) {
    QString &text = m_doc.pages[page].items[item].text;
    text.replace(QLatin1String("%1"), QString::number(page + 1)).replace(QLatin1String("%2"), total);
  }
  return std::move(m_doc);
}

Document Definition::layout(const Source &rows) const { return Engine(*this, rows).run(); }

Row Context::row() const { return m_engine ? Row(&m_engine->source(), m_row) : Row(); }

double Context::sum(const QString &field) const { return m_engine ? m_engine->sumField(field, m_first, m_last) : 0; }

double Context::sum(const std::function<double(const Row &)> &fn) const {
  double total = 0;
  if (m_engine)
    for (int r = m_first; r <= m_last; ++r) total += fn(Row(&m_engine->source(), r));
  return total;
}

int Context::count() const { return m_last >= m_first ? m_last - m_first + 1 : 0; }

double Context::reportSum(const QString &field) const {
  return m_engine ? m_engine->sumField(field, 0, m_reportLast) : 0;
}

int Context::reportCount() const { return m_reportLast + 1; }

QDateTime Context::now() const { return m_engine ? m_engine->now() : QDateTime(); }

QSizeF Document::pageSize() const { return pageLayout.fullRect(QPageLayout::Millimeter).size(); }

QStringList Document::pageTexts(int page) const {
  QStringList texts;
  if (page < 0 || page >= pages.size()) return texts;
  for (const Item &item : pages.at(page).items)
    if (item.kind == Item::Kind::Text) texts << item.text;
  return texts;
}

}  // namespace Report
