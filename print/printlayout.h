// SPDX-License-Identifier: MIT
#pragma once
// The columnar record report drawn step by step on a painter over a paged device (a PDF
// writer or the system printer): title on page 1, page header, bold ruled heading row, one
// line per record, ruled footer. Lengths are device pixels; inches from the page are turned
// into pixels with the device's horizontal resolution, used for both axes.

#include "model/zeltypes.h"
#include "zelprint_export.h"

#include <QList>
#include <QSize>
#include <QString>

class QFontMetrics;
class QPainter;
class TzelDataset;
class TzelDatasetField;
class TzelFont;
class TzelPage;

// Rounds to the nearest integer, halves to even, as every rounding of the report does.
ZELPRINT_EXPORT int ReportRound(double value);
// The width of a column: n := the larger of the display width and the label's length,
// w := "T" width × n, width := w − round(w × 0.25).
ZELPRINT_EXPORT int ReportColumnWidth(int tWidth, int displayWidth, qsizetype labelLength);
// Display texts of the widest values a field can show, through its display format: dates
// and times of every month and weekday at two-digit days and hours of both halves of the
// day; numbers of nines, whole and with decimals, of every length whose text stays within
// the display width (the shortest when none does); both Boolean texts. Empty for text.
ZELPRINT_EXPORT QStringList ReportWidestTexts(const TzelDatasetField &field);
// The text as drawn into a cell of the width: whole, or cut after the last character that
// fits with an ellipsis, never through a character.
ZELPRINT_EXPORT QString ReportCellText(const QString &text, const QFontMetrics &metrics, int width);
// The left edges of columns of the given widths, from left, gap pixels apart.
ZELPRINT_EXPORT QList<int> ReportColumnEdges(const QList<int> &widths, int left, int gap);
// A column overflows when it reaches the right margin (edge + width at or beyond rightLimit).
inline bool ReportColumnOverflows(int edge, int width, int rightLimit) {
  return edge + width >= rightLimit;
}

// The working values of a job, in device pixels.
struct ZELPRINT_EXPORT TzelPrintState {
  int pageNumber = 0;
  int penX = 0;
  int penY = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  int leftMargin = 0;
  int topMargin = 0;
  int rightMargin = 0;
  int bottomMargin = 0;
  int bottomLimit = 0;
  int resolution = 0;
  int lineHeight = 0;
  int columnWidth = 0;
  int columnGap = 0;
};

class ZELPRINT_EXPORT TzelReportLayout {
public:
  // The painter must be active on the device; the page and dataset outlive the layout.
  TzelReportLayout(QPainter &painter, const TzelPage &page, const TzelDataset &dataset);

  // Pixels of the page, margins, column gap and bottom limit at the resolution. The page
  // is the paper printed on (device pixels) when given, else the page setting's size.
  void prepare(int resolution, QSize paper = QSize());
  void title();
  void pageHeader();
  void columnHeadings();
  void recordLine();
  void footer();
  // Page number + 1; pen at the top left margin.
  void beginPage();
  void penToTop();
  void selectRecordFont();
  // Why no record can be printed whole on the page (no column fits between the margins, or
  // the first record line of page 1 ends below the paper), or an empty text. After prepare.
  QString pageFault();
  // Whether the page takes no further record line.
  bool pageFull() const { return m_state.penY >= m_state.bottomLimit; }

  const TzelPrintState &state() const { return m_state; }
  // The left edge and the width of each field's column on the current page.
  const QList<int> &columnEdges() const { return m_edges; }
  const QList<int> &columnWidths() const { return m_widths; }
  // The text drawn in a field's cell on the current record line (record font selected).
  QString cellText(int field) const;

private:
  void selectFont(const TzelFont &font, bool bold = false);
  void measureColumns();
  int rightLimit() const { return m_state.pageWidth - m_state.rightMargin; }
  void writeCaption(const QString &caption, const TzelFont &font);
  void rule(int x1, int y, int x2);

  QPainter &m_painter;
  const TzelPage &m_page;
  const TzelDataset &m_dataset;
  TzelPrintState m_state;
  QList<int> m_edges;
  QList<int> m_widths;
  bool m_titlePrinted = false;
};
