// SPDX-License-Identifier: MIT
#include "workspace/frmzelsetup.h"

#include "controls/windowhelpers.h"
#include "controls/zelspinedit.h"
#include "dialogs/dialoggrid.h"
#include "dialogs/guiscreen.h"
#include "engine/zelquerion.h"
#include "model/dialects.h"
#include "model/supportfiles.h"
#include "model/zelpage.h"
#include "model/zelsettings.h"
#include "print/printfont.h"
#include "print/screenfonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

bool runFontDialog(QFontDialog &dialog) {
  return dialog.exec() == QDialog::Accepted;
}

const QStringList labelRowNames = {QStringLiteral("Top Margin"),    QStringLiteral("Left Margin"),
                                   QStringLiteral("Label Height"),  QStringLiteral("Label Width"),
                                   QStringLiteral("Gutter Across"), QStringLiteral("Gutter Down"),
                                   QStringLiteral("Number Across"), QStringLiteral("Number Down")};

// A sheet with a few text lines, lying on its long or its short side.
QPixmap pagePicture(bool landscape) {
  const QSize size = landscape ? QSize(44, 34) : QSize(34, 44);
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  painter.setPen(Qt::gray);
  for (int y = 6; y < size.height() - 5; y += 5)
    painter.drawLine(5, y, size.width() - 6, y);
  return picture;
}

QLabel *createPicture(const QString &name, bool landscape, QWidget *parent) {
  auto *label = new QLabel(parent);
  label->setObjectName(name);
  label->setPixmap(pagePicture(landscape));
  label->setAccessibleName(landscape ? QStringLiteral("Landscape page")
                                     : QStringLiteral("Portrait page"));
  return label;
}

TzelSpinEdit *createLengthEdit(const QString &name, double increment, QWidget *parent) {
  auto *edit = new TzelSpinEdit(parent);
  edit->setObjectName(name);
  edit->SetIncrement(increment);
  return edit;
}

void setLength(TzelSpinEdit &edit, double inches) {
  edit.setText(zelPageLengthText(inches));
}

QString fontDescription(const TzelFont &font) {
  QStringList parts{font.Name(), QString::number(font.Size()) + QStringLiteral(" pt")};
  if (font.Style().testFlag(TzelFont::fsBold))
    parts << QStringLiteral("bold");
  if (font.Style().testFlag(TzelFont::fsItalic))
    parts << QStringLiteral("italic");
  return parts.join(QStringLiteral(", "));
}

} // namespace

void TfrmZelSetup::SetFontChooser(TzelFontChooser chooser) {
  m_fontChooser = chooser ? std::move(chooser) : runFontDialog;
}

QString zelPageLengthText(double inches) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  QString text = locale.toString(inches, 'f', QLocale::FloatingPointShortest);
  if (!text.contains(locale.decimalPoint()))
    text += locale.decimalPoint() + QStringLiteral("0");
  return text;
}

TfrmZelSetup::TfrmZelSetup(QWidget *parent)
    : QDialog(parent), m_titleFont(new TzelFont(this)), m_headerFont(new TzelFont(this)),
      m_footerFont(new TzelFont(this)), m_recordFont(new TzelFont(this)) {
  m_fontChooser = runFontDialog;
  setObjectName(QStringLiteral("frmZelSetup"));
  zelMakeFixedDialog(*this, QStringLiteral("Setup"));

  dlgFont = new QFontDialog(this);
  dlgFont->setObjectName(QStringLiteral("dlgFont"));
  dlgFont->setOption(QFontDialog::DontUseNativeDialog);

  tabMain = new QTabWidget(this);
  tabMain->setObjectName(QStringLiteral("tabMain"));
  m_pageTab = createPageTab();
  m_titlesTab = createTitlesTab();
  m_labelsTab = createLabelsTab();
  m_optionsTab = createOptionsTab();
  tabMain->addTab(m_pageTab, QStringLiteral("&Page"));
  tabMain->addTab(m_titlesTab, QStringLiteral("&Titles"));
  tabMain->addTab(m_labelsTab, QStringLiteral("&Labels"));
  tabMain->addTab(m_optionsTab, QStringLiteral("&Options"));

  cmdOk = zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this);
  zelF1Clicks(*this, *cmdHelp);

  auto *buttons = new QVBoxLayout;
  for (QPushButton *button : {cmdOk, cmdCancel, cmdHelp})
    buttons->addWidget(button);
  buttons->addStretch();
  auto *layout = new QHBoxLayout(this);
  layout->addWidget(tabMain);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connectHandlers();
}

TfrmZelSetup::~TfrmZelSetup() = default;

QWidget *TfrmZelSetup::createPageTab() {
  auto *tab = new QWidget;
  tab->setObjectName(QStringLiteral("tabPage"));
  grpPageSize = createPageSizeGroup();
  grpMargins = createMarginsGroup();
  auto *layout = new QHBoxLayout(tab);
  layout->addWidget(grpPageSize);
  layout->addWidget(grpMargins, 0, Qt::AlignTop);
  return tab;
}

QGroupBox *TfrmZelSetup::createPageSizeGroup() {
  auto *group = new QGroupBox(QStringLiteral("Page Size"));
  group->setObjectName(QStringLiteral("grpPageSize"));
  cmbPageSize = new QComboBox(group);
  cmbPageSize->setObjectName(QStringLiteral("cmbPageSize"));
  cmbPageSize->setAccessibleName(QStringLiteral("Page Size"));
  for (int size = zelPageCustom; size <= zelPageMini; ++size)
    cmbPageSize->addItem(zelPageSizeText(TzelPageSize(size)));
  txtPageWidth = createLengthEdit(QStringLiteral("txtPageWidth"), 1.0, group);
  txtPageHeight = createLengthEdit(QStringLiteral("txtPageHeight"), 1.0, group);
  txtPageWidth->setEnabled(false);
  txtPageHeight->setEnabled(false);
  cmbPageOrientation = new QComboBox(group);
  cmbPageOrientation->setObjectName(QStringLiteral("cmbPageOrientation"));
  cmbPageOrientation->setAccessibleName(QStringLiteral("Orientation"));
  cmbPageOrientation->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
  imgPortrait = createPicture(QStringLiteral("imgPortrait"), false, group);
  imgLandscape = createPicture(QStringLiteral("imgLandscape"), true, group);
  imgLandscape->hide();

  auto *grid = new QGridLayout(group);
  grid->addWidget(cmbPageSize, 0, 0, 1, 3);
  grid->addWidget(
      zelBuddyLabel(QStringLiteral("labPageWidth"), QStringLiteral("&Width"), txtPageWidth, group),
      1, 0);
  grid->addWidget(txtPageWidth, 1, 1);
  grid->addWidget(zelBuddyLabel(QStringLiteral("labPageHeight"), QStringLiteral("&Height"),
                                txtPageHeight, group),
                  2, 0);
  grid->addWidget(txtPageHeight, 2, 1);
  grid->addWidget(cmbPageOrientation, 3, 0, 1, 2);
  grid->addWidget(imgPortrait, 1, 2, 3, 1, Qt::AlignCenter);
  grid->addWidget(imgLandscape, 1, 2, 3, 1, Qt::AlignCenter);
  grid->setColumnMinimumWidth(2, 52);
  return group;
}

QGroupBox *TfrmZelSetup::createMarginsGroup() {
  auto *group = new QGroupBox(QStringLiteral("Page &Margins"));
  group->setObjectName(QStringLiteral("grpMargins"));
  txtMarginTop = createLengthEdit(QStringLiteral("txtMarginTop"), 0.1, group);
  txtMarginBottom = createLengthEdit(QStringLiteral("txtMarginBottom"), 0.1, group);
  txtMarginLeft = createLengthEdit(QStringLiteral("txtMarginLeft"), 0.1, group);
  txtMarginRight = createLengthEdit(QStringLiteral("txtMarginRight"), 0.1, group);
  // The group's accelerator goes to its first edit.
  group->setFocusProxy(txtMarginTop);
  const QList<std::pair<TzelSpinEdit *, QString>> rows = {
      {txtMarginTop, QStringLiteral("&Top")},
      {txtMarginBottom, QStringLiteral("&Bottom")},
      {txtMarginLeft, QStringLiteral("&Left")},
      {txtMarginRight, QStringLiteral("&Right")}};
  auto *grid = new QGridLayout(group);
  for (int row = 0; row < rows.size(); ++row) {
    TzelSpinEdit *edit = rows[row].first;
    const QString name = QStringLiteral("lab") + edit->objectName().mid(3);
    grid->addWidget(zelBuddyLabel(name, rows[row].second, edit, group), row, 0);
    grid->addWidget(edit, row, 1);
  }
  return group;
}

QWidget *TfrmZelSetup::createTitlesTab() {
  auto *tab = new QWidget;
  tab->setObjectName(QStringLiteral("tabTitles"));
  auto *grid = new QGridLayout(tab);
  const auto addRow = [&](int row, QLineEdit *&edit, const QString &editName, QPushButton *&button,
                          const QString &buttonName, const QString &caption) {
    edit = new QLineEdit(tab);
    edit->setObjectName(editName);
    button = zelNamedButton(buttonName, QStringLiteral("..."), tab);
    button->setAccessibleName(QString(caption).remove(u'&') + QStringLiteral(" Font"));
    button->setFixedWidth(button->sizeHint().height() + 6);
    grid->addWidget(zelBuddyLabel(QStringLiteral("lab") + editName.mid(3), caption, edit, tab), row,
                    0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(button, row, 2);
  };
  addRow(0, txtTitleCaption, QStringLiteral("txtTitleCaption"), cmdTitleFont,
         QStringLiteral("cmdTitleFont"), QStringLiteral("Report &Title"));
  addRow(1, txtHeaderCaption, QStringLiteral("txtHeaderCaption"), cmdHeaderFont,
         QStringLiteral("cmdHeaderFont"), QStringLiteral("Page &Header"));
  addRow(2, txtFooterCaption, QStringLiteral("txtFooterCaption"), cmdFooterFont,
         QStringLiteral("cmdFooterFont"), QStringLiteral("Page &Footer"));
  cmdRecordFont = zelNamedButton(QStringLiteral("cmdRecordFont"), QStringLiteral("..."), tab);
  cmdRecordFont->setAccessibleName(QStringLiteral("Record Font"));
  cmdRecordFont->setFixedWidth(cmdTitleFont->width());
  grid->addWidget(zelBuddyLabel(QStringLiteral("labRecordFont"),
                                QStringLiteral("Font Settings for Report &Records"), cmdRecordFont,
                                tab),
                  3, 0, 1, 2, Qt::AlignRight);
  grid->addWidget(cmdRecordFont, 3, 2);
  grid->setColumnMinimumWidth(1, 220);
  grid->setRowStretch(4, 1);
  return tab;
}

QWidget *TfrmZelSetup::createLabelsTab() {
  auto *tab = new QWidget;
  tab->setObjectName(QStringLiteral("tabLabels"));
  auto *prompt = new QLabel(QStringLiteral("Choose current type of report:"), tab);
  prompt->setObjectName(QStringLiteral("labReportType"));
  chkStandard = new QRadioButton(QStringLiteral("This is a standard report"), tab);
  chkStandard->setObjectName(QStringLiteral("chkStandard"));
  chkStandard->setChecked(true);
  chkLabel = new QRadioButton(QStringLiteral("This is a label report"), tab);
  chkLabel->setObjectName(QStringLiteral("chkLabel"));
  auto *note = new QLabel(QStringLiteral("When entering label dimensions manually, confirm that "
                                         "Paper Size on the [Page] tab is correct."),
                          tab);
  note->setObjectName(QStringLiteral("labNote"));
  note->setWordWrap(true);
  cmdLabels =
      zelNamedButton(QStringLiteral("cmdLabels"), QStringLiteral("Choose Label &Format"), tab);
  cmdLabels->setEnabled(false);

  grdLabels = new QTableWidget(int(labelRowNames.size()), 2, tab);
  grdLabels->setObjectName(QStringLiteral("grdLabels"));
  grdLabels->setAccessibleName(QStringLiteral("Label dimensions"));
  grdLabels->horizontalHeader()->hide();
  grdLabels->verticalHeader()->hide();
  // 90 and 61 pixels by 17 at the least; wider and taller where the font needs it.
  const QFontMetrics metrics = grdLabels->fontMetrics();
  int nameWidth = 90;
  for (const QString &name : labelRowNames)
    nameWidth = qMax(nameWidth, metrics.horizontalAdvance(name) + 8);
  grdLabels->setColumnWidth(0, nameWidth);
  grdLabels->setColumnWidth(1, 61);
  grdLabels->verticalHeader()->setMinimumSectionSize(1);
  grdLabels->verticalHeader()->setDefaultSectionSize(qMax(17, metrics.height() + 4));
  grdLabels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdLabels->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdLabels->setFixedSize(grdLabels->horizontalHeader()->length() + 2 * grdLabels->frameWidth(),
                          grdLabels->verticalHeader()->length() + 2 * grdLabels->frameWidth());
  for (int row = 0; row < labelRowNames.size(); ++row) {
    // The names are fixed; only the values are typed.
    auto *name = new QTableWidgetItem(labelRowNames[row]);
    name->setFlags(Qt::ItemIsEnabled);
    grdLabels->setItem(row, 0, name);
    grdLabels->setItem(row, 1, new QTableWidgetItem);
  }
  grdLabels->setEnabled(false);

  auto *left = new QVBoxLayout;
  for (QWidget *w : std::initializer_list<QWidget *>{prompt, chkStandard, chkLabel, note})
    left->addWidget(w);
  left->addStretch();
  left->addWidget(cmdLabels, 0, Qt::AlignLeft);
  auto *layout = new QHBoxLayout(tab);
  layout->addLayout(left, 1);
  layout->addWidget(grdLabels, 0, Qt::AlignTop);
  return tab;
}

QWidget *TfrmZelSetup::createOptionsTab() {
  auto *tab = new QWidget;
  tab->setObjectName(QStringLiteral("tabOptions"));
  grpQuery = new QGroupBox(QStringLiteral("Query"), tab);
  grpQuery->setObjectName(QStringLiteral("grpQuery"));
  chkUnique = new QCheckBox(QStringLiteral("Suppress Duplicates"), grpQuery);
  chkUnique->setObjectName(QStringLiteral("chkUnique"));
  auto *queryLayout = new QVBoxLayout(grpQuery);
  queryLayout->addWidget(chkUnique);
  queryLayout->addLayout(createTopValues());
  queryLayout->addStretch();

  grpLayout = new QGroupBox(QStringLiteral("Layout"), tab);
  grpLayout->setObjectName(QStringLiteral("grpLayout"));
  chkShowMargins = new QCheckBox(QStringLiteral("Show Page &Margins"), grpLayout);
  chkShowMargins->setObjectName(QStringLiteral("chkShowMargins"));
  chkShowSections = new QCheckBox(QStringLiteral("Show Page &Sections"), grpLayout);
  chkShowSections->setObjectName(QStringLiteral("chkShowSections"));
  chkShowGuides = new QCheckBox(QStringLiteral("Show &Position Guides"), grpLayout);
  chkShowGuides->setObjectName(QStringLiteral("chkShowGuides"));
  auto *layoutLayout = new QVBoxLayout(grpLayout);
  for (QCheckBox *check : {chkShowMargins, chkShowSections, chkShowGuides})
    layoutLayout->addWidget(check);

  auto *row = new QHBoxLayout;
  row->addWidget(grpQuery);
  row->addWidget(grpLayout);
  auto *layout = new QVBoxLayout(tab);
  layout->addLayout(row);
  layout->addStretch();
  return tab;
}

// Top values beside DISTINCT: how many records (or what percentage), after how many skipped.
QGridLayout *TfrmZelSetup::createTopValues() {
  spnTopValues = new QSpinBox(grpQuery);
  spnTopValues->setObjectName(QStringLiteral("spnTopValues"));
  spnTopValues->setRange(0, 999999999);
  spnTopValues->setSpecialValueText(QStringLiteral("All"));
  cmbTopKind = new QComboBox(grpQuery);
  cmbTopKind->setObjectName(QStringLiteral("cmbTopKind"));
  cmbTopKind->addItems({QStringLiteral("records"), QStringLiteral("percent")});
  cmbTopKind->setAccessibleName(QStringLiteral("Top values are"));
  spnTopOffset = new QSpinBox(grpQuery);
  spnTopOffset->setObjectName(QStringLiteral("spnTopOffset"));
  spnTopOffset->setRange(0, 999999999);
  auto *topLabel = new QLabel(QStringLiteral("Top &values:"), grpQuery);
  topLabel->setBuddy(spnTopValues);
  auto *skipLabel = new QLabel(QStringLiteral("S&kip records:"), grpQuery);
  skipLabel->setBuddy(spnTopOffset);
  auto *grid = new QGridLayout;
  grid->addWidget(topLabel, 0, 0);
  grid->addWidget(spnTopValues, 0, 1);
  grid->addWidget(cmbTopKind, 0, 2);
  grid->addWidget(skipLabel, 1, 0);
  grid->addWidget(spnTopOffset, 1, 1);
  grid->setColumnStretch(3, 1);
  connect(spnTopValues, &QSpinBox::valueChanged, this, &TfrmZelSetup::enableTopValues);
  connect(cmbTopKind, &QComboBox::activated, this, &TfrmZelSetup::enableTopValues);
  return grid;
}

// Only what the model's dialect can say is offered: the query could not be run otherwise.
void TfrmZelSetup::enableTopValues() {
  const TzelModel *model = m_querion ? m_querion->DataModel() : nullptr;
  const TzelDialect &dialect = zelDialect(model ? model->DatabaseType() : zelUnknown);
  const bool any = dialect.topForm != TzelTopForm::None;
  const bool counted = spnTopValues->value() > 0;
  spnTopValues->setEnabled(any || counted);
  cmbTopKind->setEnabled(counted && (dialect.topPercent || cmbTopKind->currentIndex() == 1));
  spnTopValues->setMaximum(cmbTopKind->currentIndex() == 1 ? 100 : 999999999);
  spnTopOffset->setEnabled(counted && (dialect.topOffset || spnTopOffset->value() > 0));
}

void TfrmZelSetup::connectHandlers() {
  connect(cmbPageSize, &QComboBox::activated, this, &TfrmZelSetup::cmbPageSizeChange);
  connect(cmbPageOrientation, &QComboBox::activated, this, &TfrmZelSetup::cmbPageOrientationChange);
  connect(cmdTitleFont, &QPushButton::clicked, this, &TfrmZelSetup::cmdTitleFontClick);
  connect(cmdHeaderFont, &QPushButton::clicked, this, &TfrmZelSetup::cmdHeaderFontClick);
  connect(cmdFooterFont, &QPushButton::clicked, this, &TfrmZelSetup::cmdFooterFontClick);
  connect(cmdRecordFont, &QPushButton::clicked, this, &TfrmZelSetup::cmdRecordFontClick);
  connect(chkStandard, &QRadioButton::clicked, this, &TfrmZelSetup::chkStandardClick);
  connect(chkLabel, &QRadioButton::clicked, this, &TfrmZelSetup::chkLabelClick);
  connect(cmdLabels, &QPushButton::clicked, this, &TfrmZelSetup::cmdLabelsClick);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelSetup::cmdHelpClick);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelSetup::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &TfrmZelSetup::cmdCancelClick);
}

bool TfrmZelSetup::EditPage(TzelQuerion &querion) {
  TfrmZelSetup dialog;
  dialog.SetQuerion(&querion);
  if (!querion.ReportMode())
    dialog.RemoveReportTabs();
  dialog.Load();
  if (dialog.exec() != QDialog::Accepted)
    return false;
  dialog.Store();
  return true;
}

void TfrmZelSetup::RemoveReportTabs() {
  tabMain->removeTab(tabMain->indexOf(m_labelsTab));
  tabMain->setCurrentIndex(0);
  grpLayout->hide();
  grpQuery->setMinimumWidth(ScaleToScreen(347));
}

void TfrmZelSetup::Load() {
  const TzelQuery &query = *m_querion->CurrentQuery();
  chkUnique->setChecked(query.IsDistinct());
  cmbTopKind->setCurrentIndex(query.TopPercent() ? 1 : 0);
  spnTopValues->setMaximum(999999999);
  spnTopValues->setValue(query.TopValues());
  spnTopOffset->setValue(query.TopOffset());
  enableTopValues();
  const TzelPage &page = *m_querion->Page();
  setLength(*txtPageHeight, page.PageHeight());
  setLength(*txtPageWidth, page.PageWidth());
  setLength(*txtMarginTop, page.MarginTop());
  setLength(*txtMarginBottom, page.MarginBottom());
  setLength(*txtMarginLeft, page.MarginLeft());
  setLength(*txtMarginRight, page.MarginRight());
  cmbPageSize->setCurrentIndex(int(page.PageSize()));
  cmbPageOrientation->setCurrentIndex(int(page.PageOrientation()));
  const bool custom = page.PageSize() == zelPageCustom;
  txtPageWidth->setEnabled(custom);
  txtPageHeight->setEnabled(custom);
  showOrientationPicture();

  txtTitleCaption->setText(page.TitleCaption());
  txtHeaderCaption->setText(page.HeaderCaption());
  txtFooterCaption->setText(page.FooterCaption());
  const QList<std::pair<TzelFont *, const TzelFont *>> fonts = {{m_titleFont, page.TitleFont()},
                                                                {m_headerFont, page.HeaderFont()},
                                                                {m_footerFont, page.FooterFont()},
                                                                {m_recordFont, page.RecordFont()}};
  for (const auto &[working, stored] : fonts)
    zelAssignSettings(working, stored);
  showFontTips();
}

void TfrmZelSetup::Store() {
  TzelQuery &query = *m_querion->CurrentQuery();
  query.SetIsDistinct(chkUnique->isChecked());
  query.SetTopValues(spnTopValues->value());
  query.SetTopPercent(spnTopValues->value() > 0 && cmbTopKind->currentIndex() == 1);
  query.SetTopOffset(spnTopValues->value() > 0 ? spnTopOffset->value() : 0);
  TzelPage &page = *m_querion->Page();
  page.SetPageHeight(txtPageHeight->Value());
  page.SetPageWidth(txtPageWidth->Value());
  page.MoveMargins(txtMarginTop->Value(), txtMarginBottom->Value(), txtMarginLeft->Value(),
                   txtMarginRight->Value());
  page.SetPageSize(TzelPageSize(cmbPageSize->currentIndex()));
  page.SetPageOrientation(TzelPageOrientation(cmbPageOrientation->currentIndex()));
  page.SetTitleCaption(txtTitleCaption->text());
  page.SetHeaderCaption(txtHeaderCaption->text());
  page.SetFooterCaption(txtFooterCaption->text());
  page.SetTitleFont(m_titleFont);
  page.SetHeaderFont(m_headerFont);
  page.SetFooterFont(m_footerFont);
  page.SetRecordFont(m_recordFont);
}

void TfrmZelSetup::cmbPageSizeChange() {
  applyPageSize(false);
  const bool custom = cmbPageSize->currentIndex() == zelPageCustom;
  txtPageWidth->setEnabled(custom);
  txtPageHeight->setEnabled(custom);
}

void TfrmZelSetup::cmbPageOrientationChange() {
  applyPageSize(true);
  showOrientationPicture();
}

void TfrmZelSetup::applyPageSize(bool orientationChanged) {
  const bool landscape = cmbPageOrientation->currentIndex() == zelPageLandscape;
  const QSizeF standard = zelStandardPageSize(TzelPageSize(cmbPageSize->currentIndex()));
  double width = txtPageWidth->Value();
  double height = txtPageHeight->Value();
  if (!standard.isEmpty()) {
    width = landscape ? standard.height() : standard.width();
    height = landscape ? standard.width() : standard.height();
  } else if (orientationChanged) {
    std::swap(width, height);
  } else {
    return; // Custom keeps what was typed, exactly as typed
  }
  setLength(*txtPageWidth, width);
  setLength(*txtPageHeight, height);
}

void TfrmZelSetup::showOrientationPicture() {
  const bool landscape = cmbPageOrientation->currentIndex() == zelPageLandscape;
  imgPortrait->setVisible(!landscape);
  imgLandscape->setVisible(landscape);
}

void TfrmZelSetup::chooseFont(TzelFont &font) {
  dlgFont->setCurrentFont(toQFont(font));
  if (!m_fontChooser(*dlgFont))
    return;
  fromQFont(font, dlgFont->currentFont());
  showFontTips();
}

void TfrmZelSetup::showFontTips() {
  cmdTitleFont->setToolTip(fontDescription(*m_titleFont));
  cmdHeaderFont->setToolTip(fontDescription(*m_headerFont));
  cmdFooterFont->setToolTip(fontDescription(*m_footerFont));
  cmdRecordFont->setToolTip(fontDescription(*m_recordFont));
}

void TfrmZelSetup::chkStandardClick() {
  for (int row = 0; row < grdLabels->rowCount(); ++row)
    grdLabels->item(row, 1)->setText(QString());
  m_labelReport = false;
  grdLabels->setEnabled(false);
  cmdLabels->setEnabled(false);
  cmbPageSize->setCurrentIndex(zelPageLetter);
  cmbPageSizeChange();
  for (TzelSpinEdit *edit : {txtMarginTop, txtMarginLeft, txtMarginBottom, txtMarginRight})
    setLength(*edit, 0.3);
}

void TfrmZelSetup::chkLabelClick() {
  m_labelReport = true;
  grdLabels->setEnabled(true);
  cmdLabels->setEnabled(true);
}

void TfrmZelSetup::cmdHelpClick() {
  if (!m_querion || !m_querion->DataModel())
    return;
  QWidget *tab = tabMain->currentWidget();
  const int file = tab == m_labelsTab ? 1 : 0;
  const int context = tab == m_titlesTab    ? 46
                      : tab == m_labelsTab  ? 43
                      : tab == m_optionsTab ? 47
                                            : 1025;
  m_querion->DataModel()->ShowHelp(file, context);
}

void TfrmZelSetup::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
}
