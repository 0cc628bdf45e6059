#include "engine/frmzelparams.h"

#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString nameOf(const QString &entry) {
  return entry.section(u'=', 0, 0);
}
QString valueOf(const QString &entry) {
  const qsizetype at = entry.indexOf(u'=');
  return at < 0 ? QString() : entry.mid(at + 1);
}

} // namespace

TfrmZelParams::TfrmZelParams(TzelModel *model, QWidget *parent) : QDialog(parent), m_model(model) {
  setObjectName(QStringLiteral("frmZelParams"));
  setWindowTitle(QStringLiteral(" Filter Values"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);

  labPrompt = new QLabel(QStringLiteral("Enter or accept the following values:"), this);
  grdParams = new QTableWidget(MinimumRows, 2, this);
  grdParams->setObjectName(QStringLiteral("grdParams"));
  grdParams->horizontalHeader()->hide();
  grdParams->verticalHeader()->hide();
  grdParams->setColumnWidth(0, 126);
  grdParams->setColumnWidth(1, 135);
  grdParams->setSelectionMode(QAbstractItemView::SingleSelection);
  grdParams->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                             QAbstractItemView::DoubleClicked);
  grdParams->setFixedWidth(126 + 135 + grdParams->frameWidth() * 2 +
                           grdParams->verticalScrollBar()->sizeHint().width());

  cmdOk = new QPushButton(QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelParams::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &TfrmZelParams::cmdCancelClick);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelParams::cmdHelpClick);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labPrompt);
  layout->addWidget(grdParams);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetParams({});
}

void TfrmZelParams::SetParams(const QStringList &nameValues) {
  grdParams->clearContents();
  grdParams->setRowCount(std::max<int>(MinimumRows, int(nameValues.size())));
  for (int row = 0; row < grdParams->rowCount(); ++row) {
    const QString entry = nameValues.value(row);
    auto *name = new QTableWidgetItem(nameOf(entry));
    auto *value = new QTableWidgetItem(valueOf(entry).trimmed());
    // Names are fixed; a row without a name cannot be edited at all.
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    value->setFlags(IsBlank(name->text())
                        ? Qt::ItemIsEnabled
                        : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    grdParams->setItem(row, 0, name);
    grdParams->setItem(row, 1, value);
  }
}

QStringList TfrmZelParams::Params() const {
  QStringList out;
  for (int row = 0; row < grdParams->rowCount(); ++row) {
    const QString name = grdParams->item(row, 0)->text();
    if (!IsBlank(name))
      out << name + u'=' + grdParams->item(row, 1)->text();
  }
  return out;
}

void TfrmZelParams::cmdOkClick() {
  grdParams->setCurrentIndex(QModelIndex()); // commits a value still in its editor
  const QString message = CheckParamValues(Params());
  if (!message.isEmpty()) {
    zelShowError(message);
    return;
  }
  m_ok = true;
  accept();
}

void TfrmZelParams::cmdCancelClick() {
  m_ok = false;
  reject();
}

void TfrmZelParams::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 19);
}

void TfrmZelParams::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_F1) {
    cmdHelpClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfrmZelParams::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (!IsBlank(grdParams->item(0, 0)->text()))
    grdParams->setCurrentCell(0, 1);
}

bool TfrmZelParamsPrompt::askParams(QStringList &nameValues, TzelModel *model) {
  TfrmZelParams dialog(model);
  dialog.SetParams(nameValues);
  dialog.exec();
  if (!dialog.OkFlag())
    return false;
  nameValues = dialog.Params();
  return true;
}
