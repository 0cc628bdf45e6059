#include "workspace/printlayout.h"

#include "database/zeldataset.h"
#include "model/zelpage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace {

// Drawn from the first characters only, as the record lines have always been.
constexpr int kMaxDrawnCharacters = 255;

Qt::Alignment alignmentOf(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify:
    return Qt::AlignRight;
  case taCenter:
    return Qt::AlignHCenter;
  default:
    return Qt::AlignLeft;
  }
}

// The stored font at its point size, also when it was stored as pixels of a 96 dpi screen:
// the painter then sizes it for the device, so it prints as large as it was designed.
QFont printedFont(const TzelFont &stored, bool bold) {
  QFont font = stored.toQFont();
  if (font.pixelSize() > 0)
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
  if (bold)
    font.setBold(true);
  return font;
}

} // namespace

int ReportRound(double value) {
  return int(std::nearbyint(value));
}

int ReportColumnWidth(int tWidth, int displayWidth, qsizetype labelLength) {
  const int n = qMax(displayWidth, int(labelLength));
  const int w = tWidth * n;
  return w - ReportRound(w * 0.25);
}

QList<int> ReportColumnEdges(const QList<int> &widths, int left, int gap) {
  QList<int> edges;
  int x = left;
  for (int width : widths) {
    edges << x;
    x += width + gap;
  }
  return edges;
}

TzelReportLayout::TzelReportLayout(QPainter &painter, const TzelPage &page,
                                   const TzelDataset &dataset)
    : m_painter(painter), m_page(page), m_dataset(dataset) {}

void TzelReportLayout::prepare(int resolution) {
  m_state.resolution = resolution;
  const auto pixels = [resolution](double inches) { return ReportRound(inches * resolution); };
  m_state.pageWidth = pixels(m_page.PageWidth());
  m_state.pageHeight = pixels(m_page.PageHeight());
  m_state.leftMargin = pixels(m_page.MarginLeft());
  m_state.topMargin = pixels(m_page.MarginTop());
  m_state.rightMargin = pixels(m_page.MarginRight());
  m_state.bottomMargin = pixels(m_page.MarginBottom());
  m_state.pageNumber = 0;
  m_state.columnGap = ReportRound(resolution * 0.15);
  selectRecordFont();
  m_state.bottomLimit = m_state.pageHeight - m_state.bottomMargin - 3 * m_state.lineHeight;
  selectFont(*m_page.FooterFont());
  m_state.bottomLimit -= m_state.lineHeight;
}

void TzelReportLayout::selectFont(const TzelFont &font, bool bold) {
  m_painter.setFont(printedFont(font, bold));
  m_painter.setPen(font.toQColor());
  m_state.lineHeight = m_painter.fontMetrics().height();
}

void TzelReportLayout::selectRecordFont() {
  selectFont(*m_page.RecordFont());
}

void TzelReportLayout::penToTop() {
  m_state.penX = m_state.leftMargin;
  m_state.penY = m_state.topMargin;
}

void TzelReportLayout::beginPage() {
  ++m_state.pageNumber;
}

void TzelReportLayout::writeCaption(const QString &caption, const TzelFont &font) {
  selectFont(font);
  m_painter.drawText(QPoint(m_state.penX, m_state.penY + m_painter.fontMetrics().ascent()),
                     caption);
}

void TzelReportLayout::title() {
  m_titlePrinted = !IsBlank(m_page.TitleCaption());
  if (!m_titlePrinted)
    return;
  writeCaption(m_page.TitleCaption(), *m_page.TitleFont());
  m_state.penY += m_state.lineHeight;
}

void TzelReportLayout::pageHeader() {
  if (IsBlank(m_page.HeaderCaption()))
    return;
  writeCaption(m_page.HeaderCaption(), *m_page.HeaderFont());
  m_state.penY += m_state.lineHeight;
}

int TzelReportLayout::measureColumn(int field) {
  const TzelDatasetField *f = m_dataset.Fields(field);
  m_state.columnWidth = ReportColumnWidth(m_painter.fontMetrics().horizontalAdvance(u'T'),
                                          f->DisplayWidth(), f->DisplayLabel().size());
  return m_state.columnWidth;
}

void TzelReportLayout::rule(int x1, int y, int x2) {
  const QPen text = m_painter.pen();
  // A cosmetic pen: the thinnest line the device draws, at any resolution.
  m_painter.setPen(QPen(Qt::black, 0));
  m_painter.drawLine(x1, y, x2, y);
  m_painter.setPen(text);
}

void TzelReportLayout::columnHeadings() {
  selectRecordFont();
  const bool headerPrinted = !IsBlank(m_page.HeaderCaption());
  if (headerPrinted || (m_state.pageNumber == 1 && m_titlePrinted))
    m_state.penY += m_state.lineHeight;

  QList<int> widths;
  for (int i = 0; i < m_dataset.FieldCount(); ++i)
    widths << measureColumn(i);
  m_edges = ReportColumnEdges(widths, m_state.leftMargin, m_state.columnGap);

  selectFont(*m_page.RecordFont(), true);
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    m_state.penX = m_edges.at(i);
    const int width = measureColumn(i);
    if (ReportColumnOverflows(m_state.penX, width, rightLimit()))
      break;
    const QRect cell(m_state.penX, m_state.penY, width, m_state.lineHeight);
    m_painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                       m_dataset.Fields(i)->DisplayLabel());
    rule(cell.left(), m_state.penY + m_state.lineHeight, m_state.penX + width);
  }
  m_state.penY += m_state.lineHeight;
  m_state.penY += ReportRound(m_state.lineHeight / 3.0);
}

void TzelReportLayout::recordLine() {
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    m_state.penX = m_edges.at(i);
    const int width = measureColumn(i);
    if (ReportColumnOverflows(m_state.penX, width, rightLimit()))
      break;
    const TzelDatasetField *field = m_dataset.Fields(i);
    const QString text = field->DisplayText().left(kMaxDrawnCharacters);
    if (IsBlank(text))
      continue;
    const QRect cell(m_state.penX, m_state.penY, width, m_state.lineHeight);
    m_painter.drawText(cell, alignmentOf(field->Alignment()) | Qt::AlignTop | Qt::TextSingleLine,
                       text);
  }
  m_state.penY += m_state.lineHeight;
}

void TzelReportLayout::footer() {
  m_state.penX = m_state.leftMargin;
  m_state.penY = m_state.bottomLimit + m_state.lineHeight;
  rule(m_state.leftMargin, m_state.penY, rightLimit());
  selectFont(*m_page.FooterFont());
  m_state.penY += ReportRound(m_state.lineHeight * 0.5);
  writeCaption(m_page.FooterCaption(), *m_page.FooterFont());
}
