// SPDX-License-Identifier: MIT
#include "print/printlayout.h"

#include "database/zeldataset.h"
#include "model/vocabulary.h"
#include "model/zelpage.h"
#include "print/printfont.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
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
  QFont font = toQFont(stored);
  if (font.pixelSize() > 0)
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
  if (bold)
    font.setBold(true);
  return font;
}

bool isDateTime(TFieldType type) {
  return type == ftDate || type == ftTime || type == ftDateTime;
}

// Every month and weekday (seven days in a row), at hours of both halves of the day.
QStringList widestDateTimes(const TzelDatasetField &field) {
  QStringList texts;
  for (int hour : {10, 22}) {
    const QTime time(hour, 58, 58, 888);
    if (field.DataType() == ftTime) {
      texts << field.displayTextOf(time);
      continue;
    }
    for (int month = 1; month <= 12; ++month)
      for (int day = 22; day <= 28; ++day) {
        const QDate date(2000, month, day);
        texts << (field.DataType() == ftDate ? field.displayTextOf(date)
                                             : field.displayTextOf(QDateTime(date, time)));
      }
    if (field.DataType() == ftDate)
      break; // a date shows no hour
  }
  return texts;
}

// Nines of every length, negative and positive, with decimals unless the type is whole;
// kept when the text stays within the display width.
QStringList widestNumbers(const TzelDatasetField &field) {
  const bool whole = field.DataType() == ftSmallint || field.DataType() == ftInteger ||
                     field.DataType() == ftWord || field.DataType() == ftAutoInc;
  QStringList all;
  qlonglong nines = 0;
  for (int digits = 1; digits <= 15; ++digits) {
    nines = nines * 10 + 9;
    for (int sign : {-1, 1}) {
      if (whole) {
        all << field.displayTextOf(QVariant(sign * nines));
        continue;
      }
      for (double fraction : {0.0, 0.5, 0.123456789012345})
        all << field.displayTextOf(QVariant(sign * (double(nines) + fraction)));
    }
  }
  const int width = qMax(1, field.DisplayWidth());
  QStringList within;
  for (const QString &text : std::as_const(all))
    if (text.size() <= width)
      within << text;
  if (within.isEmpty())
    within << *std::min_element(all.cbegin(), all.cend(), [](const QString &a, const QString &b) {
      return a.size() < b.size();
    });
  return within;
}

} // namespace

QStringList ReportWidestTexts(const TzelDatasetField &field) {
  const TFieldType type = field.DataType();
  if (isDateTime(type))
    return widestDateTimes(field);
  if (IsNumericFieldType(type))
    return widestNumbers(field);
  if (type == ftBoolean)
    return {field.displayTextOf(true), field.displayTextOf(false)};
  return {};
}

QString ReportCellText(const QString &text, const QFontMetrics &metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width)
    return text;
  return metrics.elidedText(text, Qt::ElideRight, width);
}

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

void TzelReportLayout::prepare(int resolution, QSize paper) {
  m_state.resolution = resolution;
  const auto pixels = [resolution](double inches) { return ReportRound(inches * resolution); };
  // The paper printed on may differ from the page setting (a print dialog may choose
  // another): laid out on the setting's size, lines would fall off the paper.
  m_state.pageWidth = paper.isValid() ? paper.width() : pixels(m_page.PageWidth());
  m_state.pageHeight = paper.isValid() ? paper.height() : pixels(m_page.PageHeight());
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
  m_painter.setPen(toQColor(font));
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

// The width from the display width, widened to the field's widest value and to its bold
// label, so that no value or heading is cut through a character. Measured once: the fonts
// and fields of a job do not change.
void TzelReportLayout::measureColumns() {
  if (!m_widths.isEmpty())
    return;
  const QFontMetrics bold(printedFont(*m_page.RecordFont(), true), m_painter.device());
  const QFontMetrics record = m_painter.fontMetrics();
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    const TzelDatasetField *field = m_dataset.Fields(i);
    int width = qMax(ReportColumnWidth(record.horizontalAdvance(u'T'), field->DisplayWidth(),
                                       field->DisplayLabel().size()),
                     bold.horizontalAdvance(field->DisplayLabel()));
    for (const QString &text : ReportWidestTexts(*field))
      width = qMax(width, record.horizontalAdvance(text));
    m_widths << width;
  }
}

QString TzelReportLayout::pageFault() {
  selectRecordFont();
  measureColumns();
  if (m_widths.isEmpty() ||
      ReportColumnOverflows(m_state.leftMargin, m_widths.constFirst(), rightLimit()))
    return QStringLiteral("Error: No column fits across the page between its margins");
  const auto height = [this](const TzelFont &font, bool bold = false) {
    return QFontMetrics(printedFont(font, bold), m_painter.device()).height();
  };
  const bool title = !IsBlank(m_page.TitleCaption());
  const bool header = !IsBlank(m_page.HeaderCaption());
  const int record = height(*m_page.RecordFont());
  const int heading = height(*m_page.RecordFont(), true);
  const int bottom = m_state.topMargin + (title ? height(*m_page.TitleFont()) : 0) +
                     (header ? height(*m_page.HeaderFont()) : 0) + (title || header ? record : 0) +
                     heading + ReportRound(heading / 3.0) + record;
  // Below the bottom margin a page still takes its first record, but never off the paper.
  if (bottom > m_state.pageHeight)
    return QStringLiteral("Error: No record line fits on the page below its top margin");
  return {};
}

QString TzelReportLayout::cellText(int field) const {
  const QString text = m_dataset.Fields(field)->DisplayText().left(kMaxDrawnCharacters);
  return ReportCellText(text, m_painter.fontMetrics(), m_widths.at(field));
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

  measureColumns();
  m_edges = ReportColumnEdges(m_widths, m_state.leftMargin, m_state.columnGap);

  selectFont(*m_page.RecordFont(), true);
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    m_state.penX = m_edges.at(i);
    const int width = m_widths.at(i);
    m_state.columnWidth = width;
    if (ReportColumnOverflows(m_state.penX, width, rightLimit()))
      break;
    const QRect cell(m_state.penX, m_state.penY, width, m_state.lineHeight);
    m_painter.drawText(
        cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
        ReportCellText(m_dataset.Fields(i)->DisplayLabel(), m_painter.fontMetrics(), width));
    rule(cell.left(), m_state.penY + m_state.lineHeight, m_state.penX + width);
  }
  m_state.penY += m_state.lineHeight;
  m_state.penY += ReportRound(m_state.lineHeight / 3.0);
}

void TzelReportLayout::recordLine() {
  for (int i = 0; i < m_dataset.FieldCount(); ++i) {
    m_state.penX = m_edges.at(i);
    const int width = m_widths.at(i);
    m_state.columnWidth = width;
    if (ReportColumnOverflows(m_state.penX, width, rightLimit()))
      break;
    const TzelDatasetField *field = m_dataset.Fields(i);
    const QString text = cellText(i);
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
