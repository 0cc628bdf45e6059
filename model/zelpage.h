// SPDX-License-Identifier: MIT
#pragma once
// Report page and label-sheet settings of the query component, and the font settings object
// of the page's four fonts. Lengths are inches.

#include "model/zelcomponent.h"
#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QSizeF>

// The item text of a page size in the setup dialog's list ("Custom", "Letter 8.5\" x 11\"" ...).
ZELCORE_EXPORT QString zelPageSizeText(TzelPageSize size);
// A standard size's portrait width and height in inches; an empty size for Custom.
ZELCORE_EXPORT QSizeF zelStandardPageSize(TzelPageSize size);

// A font as stored: colour, height in pixels at 96 pixels per inch (negative: the character
// height, as fonts are stored), face name and style.
class ZELCORE_EXPORT TzelFont : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(TColor Color READ Color WRITE SetColor)
  Q_PROPERTY(int Height READ Height WRITE SetHeight)
  Q_PROPERTY(QString Name READ Name WRITE SetName)
  Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
public:
  // The standard colours, valued as 0x00BBGGRR.
  enum TColor {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clWhite = 0xFFFFFF
  };
  Q_ENUM(TColor)
  enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
  Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
  Q_FLAG(TFontStyles)

  explicit TzelFont(QObject *parent = nullptr);

  TColor Color() const { return m_color; }
  void SetColor(TColor color) { m_color = color; }
  int Height() const { return m_height; }
  void SetHeight(int height) { m_height = height; }
  QString Name() const { return m_name; }
  void SetName(const QString &name) { m_name = name; }
  TFontStyles Style() const { return m_style; }
  void SetStyle(TFontStyles style) { m_style = style; }

  // Point size from the height and back: Height = -round(points * 96 / 72).
  int Size() const;
  void SetSize(int points);
  // Black "Arial" at the point size, bold from 14 points on.
  void SetDefault(int points);

private:
  TColor m_color = clBlack;
  int m_height = -13;
  QString m_name = QStringLiteral("Arial");
  TFontStyles m_style;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TzelFont::TFontStyles)

class ZELCORE_EXPORT TzelPage : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString FooterCaption READ FooterCaption WRITE SetFooterCaption)
  Q_PROPERTY(TzelFont *FooterFont READ FooterFont WRITE SetFooterFont)
  Q_PROPERTY(QString HeaderCaption READ HeaderCaption WRITE SetHeaderCaption)
  Q_PROPERTY(TzelFont *HeaderFont READ HeaderFont WRITE SetHeaderFont)
  Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(double PageHeight READ PageHeight WRITE SetPageHeight)
  Q_PROPERTY(double PageWidth READ PageWidth WRITE SetPageWidth)
  Q_PROPERTY(zel::TzelPageSize PageSize READ PageSize WRITE SetPageSize)
  Q_PROPERTY(zel::TzelPageOrientation PageOrientation READ PageOrientation WRITE SetPageOrientation)
  Q_PROPERTY(TzelFont *RecordFont READ RecordFont WRITE SetRecordFont)
  Q_PROPERTY(QString TitleCaption READ TitleCaption WRITE SetTitleCaption)
  Q_PROPERTY(TzelFont *TitleFont READ TitleFont WRITE SetTitleFont)
  Q_CLASSINFO("zel.default.PageSize", "zelPageLetter")
  Q_CLASSINFO("zel.default.PageOrientation", "zelPagePortrait")
public:
  explicit TzelPage(QObject *parent = nullptr);

  // Restores the creation defaults, fonts and margin shifts included.
  void Reset();

  QString FooterCaption() const { return m_footerCaption; }
  void SetFooterCaption(const QString &t) { m_footerCaption = t; }
  QString HeaderCaption() const { return m_headerCaption; }
  void SetHeaderCaption(const QString &t) { m_headerCaption = t; }
  QString TitleCaption() const { return m_titleCaption; }
  void SetTitleCaption(const QString &t) { m_titleCaption = t; }
  // The fonts are owned; the setters copy the given font into them.
  TzelFont *FooterFont() const { return m_footerFont; }
  void SetFooterFont(TzelFont *font);
  TzelFont *HeaderFont() const { return m_headerFont; }
  void SetHeaderFont(TzelFont *font);
  TzelFont *RecordFont() const { return m_recordFont; }
  void SetRecordFont(TzelFont *font);
  TzelFont *TitleFont() const { return m_titleFont; }
  void SetTitleFont(TzelFont *font);
  double MarginBottom() const { return m_marginBottom; }
  void SetMarginBottom(double v) { m_marginBottom = v; }
  double MarginLeft() const { return m_marginLeft; }
  void SetMarginLeft(double v) { m_marginLeft = v; }
  double MarginRight() const { return m_marginRight; }
  void SetMarginRight(double v) { m_marginRight = v; }
  double MarginTop() const { return m_marginTop; }
  void SetMarginTop(double v) { m_marginTop = v; }
  double PageHeight() const { return m_pageHeight; }
  void SetPageHeight(double v) { m_pageHeight = v; }
  double PageWidth() const { return m_pageWidth; }
  void SetPageWidth(double v) { m_pageWidth = v; }
  TzelPageSize PageSize() const { return m_pageSize; }
  void SetPageSize(TzelPageSize size) { m_pageSize = size; }
  TzelPageOrientation PageOrientation() const { return m_pageOrientation; }
  void SetPageOrientation(TzelPageOrientation o) { m_pageOrientation = o; }
  // Sets the four margins and records how far the top and left ones moved.
  void MoveMargins(double top, double bottom, double left, double right);
  // How far the last page setup moved the top and left margins; not stored.
  double TopMarginShift() const { return m_topMarginShift; }
  void SetTopMarginShift(double v) { m_topMarginShift = v; }
  double LeftMarginShift() const { return m_leftMarginShift; }
  void SetLeftMarginShift(double v) { m_leftMarginShift = v; }

private:
  QString m_footerCaption;
  QString m_headerCaption;
  QString m_titleCaption;
  TzelFont *m_footerFont;
  TzelFont *m_headerFont;
  TzelFont *m_recordFont;
  TzelFont *m_titleFont;
  double m_marginBottom = 0.3;
  double m_marginLeft = 0.3;
  double m_marginRight = 0.3;
  double m_marginTop = 0.3;
  double m_pageHeight = 11.0;
  double m_pageWidth = 8.5;
  TzelPageSize m_pageSize = zelPageLetter;
  TzelPageOrientation m_pageOrientation = zelPagePortrait;
  double m_topMarginShift = 0;
  double m_leftMarginShift = 0;
};

class ZELCORE_EXPORT TzelLabels : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(int NumberAcross READ NumberAcross WRITE SetNumberAcross)
  Q_PROPERTY(int NumberDown READ NumberDown WRITE SetNumberDown)
  Q_PROPERTY(double GutterAcross READ GutterAcross WRITE SetGutterAcross)
  Q_PROPERTY(double GutterDown READ GutterDown WRITE SetGutterDown)
  Q_PROPERTY(double LabelHeight READ LabelHeight WRITE SetLabelHeight)
  Q_PROPERTY(double LabelWidth READ LabelWidth WRITE SetLabelWidth)
  Q_CLASSINFO("zel.default.Active", "False")
  Q_CLASSINFO("zel.default.NumberAcross", "0")
  Q_CLASSINFO("zel.default.NumberDown", "0")
public:
  explicit TzelLabels(QObject *parent = nullptr);

  void Reset(); // everything zero or false

  bool Active() const { return m_active; }
  void SetActive(bool on) { m_active = on; }
  int NumberAcross() const { return m_numberAcross; }
  void SetNumberAcross(int n) { m_numberAcross = quint8(qBound(0, n, 255)); }
  int NumberDown() const { return m_numberDown; }
  void SetNumberDown(int n) { m_numberDown = quint8(qBound(0, n, 255)); }
  double GutterAcross() const { return m_gutterAcross; }
  void SetGutterAcross(double v) { m_gutterAcross = v; }
  double GutterDown() const { return m_gutterDown; }
  void SetGutterDown(double v) { m_gutterDown = v; }
  double LabelHeight() const { return m_labelHeight; }
  void SetLabelHeight(double v) { m_labelHeight = v; }
  double LabelWidth() const { return m_labelWidth; }
  void SetLabelWidth(double v) { m_labelWidth = v; }

private:
  bool m_active = false;
  quint8 m_numberAcross = 0;
  quint8 m_numberDown = 0;
  double m_gutterAcross = 0;
  double m_gutterDown = 0;
  double m_labelHeight = 0;
  double m_labelWidth = 0;
};
