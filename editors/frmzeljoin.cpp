// SPDX-License-Identifier: MIT
#include "editors/frmzeljoin.h"

#include "controls/glyphs.h"
#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int CheckSize = 16;

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent) {
  auto *label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// A sunken panel showing one side of the pair: table alias in bold over the field alias.
QFrame *pairPanel(const QString &name, QLabel *&table, QLabel *&field, QWidget *parent) {
  auto *panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  table = namedLabel(name == QLatin1String("panTable1") ? QStringLiteral("labLeftTable")
                                                        : QStringLiteral("labRightTable"),
                     QString(), panel);
  QFont bold = table->font();
  bold.setBold(true);
  table->setFont(bold);
  field = namedLabel(name == QLatin1String("panTable1") ? QStringLiteral("labLeftField")
                                                        : QStringLiteral("labRightField"),
                     QString(), panel);
  for (QLabel *label : {table, field})
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto *layout = new QVBoxLayout(panel);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(2);
  layout->addWidget(table);
  layout->addWidget(field);
  return panel;
}

} // namespace

TfrmZelJoin::TfrmZelJoin(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelJoin"));
  setWindowTitle(QStringLiteral(" Join Tables"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  panTable1 = pairPanel(QStringLiteral("panTable1"), labLeftTable, labLeftField, this);
  panTable2 = pairPanel(QStringLiteral("panTable2"), labRightTable, labRightField, this);
  cmbJoinOper = new QComboBox(this);
  cmbJoinOper->setObjectName(QStringLiteral("cmbJoinOper"));
  cmbJoinOper->setAccessibleName(QStringLiteral("Join operator"));
  cmbJoinOper->addItems({"Is Equal To", "Is Greater Than", "Is Greater or Equal To", "Is Less Than",
                         "Is Less or Equal To", "Is Not Equal To"});

  auto *options = new QFrame(this);
  options->setFrameShape(QFrame::StyledPanel);
  panOptions = options;
  panOptions->setObjectName(QStringLiteral("panOptions"));
  labMsg = namedLabel(QStringLiteral("labMsg"), QStringLiteral("Join Type:"), panOptions);
  labInnerJoin =
      namedLabel(QStringLiteral("labInnerJoin"),
                 QStringLiteral("Return matching records from both tables."), panOptions);
  labLeftJoin = namedLabel(QStringLiteral("labLeftJoin"), QString(), panOptions);
  labRightJoin = namedLabel(QStringLiteral("labRightJoin"), QString(), panOptions);
  QFont heading = labMsg->font();
  heading.setBold(true);
  labMsg->setFont(heading);
  auto *panelLayout = new QVBoxLayout(panOptions);
  panelLayout->setContentsMargins(6, 6, 6, 6);
  panelLayout->addWidget(labMsg);
  // The types stand indented, leaving the check mark its place at their left.
  auto *optionLayout = new QVBoxLayout;
  optionLayout->setContentsMargins(CheckSize + 4, 4, 0, 0);
  optionLayout->setSpacing(10);
  panelLayout->addLayout(optionLayout);
  int tag = zelJoinInner;
  for (QLabel *label : {labInnerJoin, labLeftJoin, labRightJoin}) {
    label->setWordWrap(true);
    label->setProperty("tag", tag++);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::StrongFocus); // Space chooses it from the keyboard
    label->setStyleSheet(QStringLiteral(
        "QLabel:focus { background: palette(highlight); color: palette(highlighted-text); }"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->installEventFilter(this);
    optionLayout->addWidget(label);
  }
  panelLayout->addStretch();
  imgCheck = new QLabel(panOptions);
  imgCheck->setObjectName(QStringLiteral("imgCheck"));
  imgCheck->setAccessibleName(QStringLiteral("Chosen join type"));
  imgCheck->setFixedSize(CheckSize, CheckSize);
  imgCheck->setPixmap(zelGlyphPixmap(QStringLiteral("ZEL_JOIN_CHECK"), {CheckSize, CheckSize},
                                     devicePixelRatioF()));

  cmdOk = zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this);
  cmdDelete = zelNamedButton(QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), this);

  auto *pair = new QVBoxLayout;
  pair->setSpacing(4);
  pair->addWidget(panTable1);
  pair->addWidget(cmbJoinOper);
  pair->addWidget(panTable2);
  pair->addWidget(panOptions, 1);
  auto *buttons = new QVBoxLayout;
  for (QPushButton *b : {cmdOk, cmdCancel, cmdHelp})
    buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(cmdDelete);
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addLayout(pair, 1);
  layout->addLayout(buttons);
  setFixedSize(329, 313);

  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelJoin::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelJoin::cmdHelpClick);
  connect(cmdDelete, &QPushButton::clicked, this, &TfrmZelJoin::cmdDeleteClick);
  zelF1Clicks(*this, *cmdHelp);
  setJoinType(zelJoinInner);
}

void TfrmZelJoin::setModel(TzelModel *model) {
  m_model = model;
}

void TfrmZelJoin::setPair(const QString &leftTable, const QString &leftField, TzelJoinOper oper,
                          const QString &rightTable, const QString &rightField) {
  labLeftTable->setText(leftTable);
  labLeftField->setText(leftField);
  labRightTable->setText(rightTable);
  labRightField->setText(rightField);
  cmbJoinOper->setCurrentIndex(int(oper));
}

void TfrmZelJoin::setJoinTypeTexts(const QString &leftJoinText, const QString &rightJoinText) {
  labLeftJoin->setText(leftJoinText);
  labRightJoin->setText(rightJoinText);
  placeCheck();
}

void TfrmZelJoin::setJoinType(TzelJoinType type) {
  m_joinType = type;
  placeCheck();
}

TzelJoinOper TfrmZelJoin::joinOper() const {
  return TzelJoinOper(qMax(0, cmbJoinOper->currentIndex()));
}

QLabel *TfrmZelJoin::typeLabel(TzelJoinType type) const {
  switch (type) {
  case zelJoinLeft:
    return labLeftJoin;
  case zelJoinRight:
    return labRightJoin;
  default:
    return labInnerJoin;
  }
}

void TfrmZelJoin::placeCheck() {
  // The labels' places are known only once the layout has run.
  if (QLayout *layout = panOptions->layout())
    layout->activate();
  const QLabel *label = typeLabel(m_joinType);
  imgCheck->move(label->x() - CheckSize - 4, label->y());
  imgCheck->raise();
}

void TfrmZelJoin::cmdOkClick() {
  if (m_model && m_model->JoinMethod() == zelJoinWhere && m_joinType != zelJoinInner) {
    zelShowError(
        QStringLiteral("Error: Left and right outer joins are not supported for this database."));
    return;
  }
  accept();
}

void TfrmZelJoin::cmdDeleteClick() {
  if (onRemoveJoin && onRemoveJoin())
    reject();
}

void TfrmZelJoin::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 58);
}

bool TfrmZelJoin::eventFilter(QObject *watched, QEvent *event) {
  const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
  const bool spaced =
      event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space;
  if (clicked || spaced) {
    const QVariant tag = watched->property("tag");
    if (tag.isValid()) {
      setJoinType(TzelJoinType(tag.toInt()));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmZelJoin::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  placeCheck();
}
