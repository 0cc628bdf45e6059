// SPDX-License-Identifier: MIT
#include "model/zelpage.h"
#include "model/zelregistry.h"

#include "model/zelsettings.h"

#include <cmath>
#include <iterator>

namespace {

struct StandardSize {
  const char16_t *text;
  double width;
  double height;
};

// Indexed by TzelPageSize; Custom has no dimensions of its own.
constexpr StandardSize standardSizes[] = {
    {u"Custom", 0, 0},
    {u"Letter 8.5\" x 11\"", 8.5, 11},
    {u"Legal 8.5\" x 14\"", 8.5, 14},
    {u"Tabloid 11\" x 17\"", 11, 17},
    {u"A3 11.693\" x 16.535\"", 11.693, 16.535},
    {u"A4 8.268\" x 11.693\"", 8.268, 11.693},
    {u"A5 5.827\" x 8.268\"", 5.827, 8.268},
    {u"Mini 4.25\" x 5\"", 4.25, 5},
};

const StandardSize *standardSize(TzelPageSize size) {
  const int index = int(size);
  return index >= 0 && index < int(std::size(standardSizes)) ? &standardSizes[index] : nullptr;
}

} // namespace

QString zelPageSizeText(TzelPageSize size) {
  const StandardSize *entry = standardSize(size);
  return entry ? QString::fromUtf16(entry->text) : QString();
}

QSizeF zelStandardPageSize(TzelPageSize size) {
  const StandardSize *entry = standardSize(size);
  return entry && size != zelPageCustom ? QSizeF(entry->width, entry->height) : QSizeF();
}

// TzelFont

TzelFont::TzelFont(QObject *parent) : TzelComponent(parent) {}

int TzelFont::Size() const {
  return int(std::lround(-m_height * 72.0 / 96.0));
}

void TzelFont::SetSize(int points) {
  m_height = -int(std::lround(points * 96.0 / 72.0));
}

void TzelFont::SetDefault(int points) {
  m_name = QStringLiteral("Arial");
  SetSize(points);
  m_style = points >= 14 ? TFontStyles(fsBold) : TFontStyles();
  m_color = clBlack;
}

// TzelPage

TzelPage::TzelPage(QObject *parent)
    : TzelComponent(parent), m_footerFont(new TzelFont(this)), m_headerFont(new TzelFont(this)),
      m_recordFont(new TzelFont(this)), m_titleFont(new TzelFont(this)) {
  Reset();
}

void TzelPage::Reset() {
  m_footerCaption.clear();
  m_headerCaption.clear();
  m_titleCaption.clear();
  m_footerFont->SetDefault(10);
  m_headerFont->SetDefault(14);
  m_recordFont->SetDefault(10);
  m_titleFont->SetDefault(18);
  m_marginBottom = m_marginLeft = m_marginRight = m_marginTop = 0.3;
  m_pageHeight = 11.0;
  m_pageWidth = 8.5;
  m_pageSize = zelPageLetter;
  m_pageOrientation = zelPagePortrait;
  m_topMarginShift = 0;
  m_leftMarginShift = 0;
}

void TzelPage::MoveMargins(double top, double bottom, double left, double right) {
  // Both shifts are the moves since the last setup; an unmoved margin gives 0.
  m_topMarginShift = top - m_marginTop;
  m_leftMarginShift = left - m_marginLeft;
  m_marginTop = top;
  m_marginBottom = bottom;
  m_marginLeft = left;
  m_marginRight = right;
}

void TzelPage::SetFooterFont(TzelFont *font) {
  zelAssignSettings(m_footerFont, font);
}
void TzelPage::SetHeaderFont(TzelFont *font) {
  zelAssignSettings(m_headerFont, font);
}
void TzelPage::SetRecordFont(TzelFont *font) {
  zelAssignSettings(m_recordFont, font);
}
void TzelPage::SetTitleFont(TzelFont *font) {
  zelAssignSettings(m_titleFont, font);
}

// TzelLabels

TzelLabels::TzelLabels(QObject *parent) : TzelComponent(parent) {}

void TzelLabels::Reset() {
  m_active = false;
  m_numberAcross = m_numberDown = 0;
  m_gutterAcross = m_gutterDown = m_labelHeight = m_labelWidth = 0;
}

namespace {
// Stored forms create these by class name.
const ZelRegisterClass<TzelFont> registerTzelFont;
const ZelRegisterClass<TzelPage> registerTzelPage;
const ZelRegisterClass<TzelLabels> registerTzelLabels;
} // namespace
