#include "model/zelpage.h"
#include "model/zelregistry.h"

#include "model/supportfiles.h"
#include "model/zelsettings.h"

#include <cmath>

// TzelFont

TzelFont::TzelFont(QObject *parent) : TzelComponent(parent) {}

int TzelFont::Size() const {
  return int(std::lround(-m_height * 72.0 / 96.0));
}

void TzelFont::SetSize(int points) {
  m_height = -int(std::lround(points * 96.0 / 72.0));
}

void TzelFont::SetDefault(int points) {
  QFont font;
  SetDefaultFont(font, points);
  fromQFont(font);
  m_color = clBlack;
}

QColor TzelFont::toQColor() const {
  const int bgr = int(m_color);
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QFont TzelFont::toQFont() const {
  QFont font(m_name);
  if (m_height < 0)
    font.setPointSize(qMax(1, Size()));
  else if (m_height > 0)
    font.setPixelSize(m_height);
  font.setBold(m_style.testFlag(fsBold));
  font.setItalic(m_style.testFlag(fsItalic));
  font.setUnderline(m_style.testFlag(fsUnderline));
  font.setStrikeOut(m_style.testFlag(fsStrikeOut));
  return font;
}

void TzelFont::fromQFont(const QFont &font) {
  m_name = font.family();
  if (font.pointSizeF() > 0)
    m_height = -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
  else
    m_height = -font.pixelSize();
  TFontStyles style;
  style.setFlag(fsBold, font.bold());
  style.setFlag(fsItalic, font.italic());
  style.setFlag(fsUnderline, font.underline());
  style.setFlag(fsStrikeOut, font.strikeOut());
  m_style = style;
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
