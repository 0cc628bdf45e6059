// SPDX-License-Identifier: MIT
#pragma once
// The page setup dialog: paper size and orientation, margins, report captions and fonts of a
// query component's page, whether the first query suppresses duplicates, and (for report
// hosts) a label-sheet tab and page-designer options. Load fills the controls from the
// component, Store writes them back; nothing changes until Store.

#include "model/zeltypes.h"
#include "zelwidgets_export.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QFontDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class TzelFont;
class TzelQuerion;
class TzelSpinEdit;
class QSpinBox;
class QGridLayout;

// Runs the font dialog modally (its current font already set); true when the user chose a
// font, which is then the dialog's current font. The window runs the dialog itself unless
// given another chooser (tests give one that answers).
using TzelFontChooser = std::function<bool(QFontDialog &dialog)>;

class ZELWIDGETS_EXPORT TfrmZelSetup : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelSetup(QWidget *parent = nullptr);
  ~TfrmZelSetup() override;

  // The whole page setup of a component: without ReportMode the Labels tab and the Layout
  // group go; true when the user confirmed and the page was stored.
  static bool EditPage(TzelQuerion &querion);

  void SetQuerion(TzelQuerion *querion) { m_querion = querion; }
  // An empty chooser restores the font dialog.
  void SetFontChooser(TzelFontChooser chooser);
  // Drops the Labels tab, shows the first tab, hides the Layout group and widens the Query one.
  void RemoveReportTabs();
  void Load();
  void Store();

  bool LabelReport() const { return m_labelReport; }
  QString LabelValueFormat() const { return m_labelValueFormat; }
  // The working copies of the page's fonts, in the order title, header, footer, record.
  TzelFont *TitleFont() const { return m_titleFont; }
  TzelFont *HeaderFont() const { return m_headerFont; }
  TzelFont *FooterFont() const { return m_footerFont; }
  TzelFont *RecordFont() const { return m_recordFont; }

  QTabWidget *tabMain;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp;
  QFontDialog *dlgFont;

  QGroupBox *grpPageSize;
  QComboBox *cmbPageSize;
  TzelSpinEdit *txtPageWidth;
  TzelSpinEdit *txtPageHeight;
  QComboBox *cmbPageOrientation;
  QLabel *imgPortrait;
  QLabel *imgLandscape;
  QGroupBox *grpMargins;
  TzelSpinEdit *txtMarginTop;
  TzelSpinEdit *txtMarginBottom;
  TzelSpinEdit *txtMarginLeft;
  TzelSpinEdit *txtMarginRight;

  QLineEdit *txtTitleCaption;
  QLineEdit *txtHeaderCaption;
  QLineEdit *txtFooterCaption;
  QPushButton *cmdTitleFont;
  QPushButton *cmdHeaderFont;
  QPushButton *cmdFooterFont;
  QPushButton *cmdRecordFont;

  QRadioButton *chkStandard;
  QRadioButton *chkLabel;
  QPushButton *cmdLabels;
  QTableWidget *grdLabels;

  QGroupBox *grpQuery;
  QCheckBox *chkUnique;
  QSpinBox *spnTopValues; // 0: all records
  QComboBox *cmbTopKind;  // records or percent
  QSpinBox *spnTopOffset;
  QGroupBox *grpLayout;
  QCheckBox *chkShowMargins;
  QCheckBox *chkShowSections;
  QCheckBox *chkShowGuides;

  void cmbPageSizeChange();
  void cmbPageOrientationChange();
  void cmdTitleFontClick() { chooseFont(*m_titleFont); }
  void cmdHeaderFontClick() { chooseFont(*m_headerFont); }
  void cmdFooterFontClick() { chooseFont(*m_footerFont); }
  void cmdRecordFontClick() { chooseFont(*m_recordFont); }
  void chkStandardClick();
  void chkLabelClick();
  void cmdLabelsClick() {} // the label format chooser belongs to report hosts
  // The model's help for the shown tab.
  void cmdHelpClick();
  void cmdOkClick() { accept(); }
  void cmdCancelClick() { reject(); }

protected:
  void showEvent(QShowEvent *event) override;

private:
  QWidget *createPageTab();
  QWidget *createTitlesTab();
  QWidget *createLabelsTab();
  QWidget *createOptionsTab();
  QGridLayout *createTopValues();
  void enableTopValues();
  QGroupBox *createPageSizeGroup();
  QGroupBox *createMarginsGroup();
  void connectHandlers();
  // Writes a standard size in the orientation shown; Custom: exchanges width and height when
  // the orientation changed, keeps them otherwise.
  void applyPageSize(bool orientationChanged);
  void showOrientationPicture();
  void chooseFont(TzelFont &font);
  // Each font button's tool tip names its working font.
  void showFontTips();

  TzelQuerion *m_querion = nullptr;
  TzelFontChooser m_fontChooser;
  TzelFont *m_titleFont;
  TzelFont *m_headerFont;
  TzelFont *m_footerFont;
  TzelFont *m_recordFont;
  QWidget *m_pageTab;
  QWidget *m_titlesTab;
  QWidget *m_labelsTab;
  QWidget *m_optionsTab;
  bool m_labelReport = false;
  QString m_labelValueFormat = QStringLiteral("#0.0##");
};

// A page length as the setup dialog writes it into an edit: at least one decimal, no more
// than the value needs ("0.3", "11.0", "11.693").
ZELWIDGETS_EXPORT QString zelPageLengthText(double inches);
