#include "model/zelpage.h"
#include "model/zelregistry.h"

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
