// SPDX-License-Identifier: MIT
#include "dialogs/frmzelinputbox.h"
#include "dialogs/guiscreen.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmZelInputBox::TfrmZelInputBox(const QString &caption, const QString &prompt, const QString &text,
                                 QWidget *parent, std::function<void()> help)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_help(std::move(help)) {
  setWindowTitle(caption);
  setFont(dialogFont());
  const QSize units = dialogUnits(font());
  const auto x = [&](int n) { return qRound(n * units.width() / 4.0); };
  const auto y = [&](int n) { return qRound(n * units.height() / 8.0); };

  labPrompt = new QLabel(prompt, this);
  labPrompt->move(x(8), y(8));
  labPrompt->adjustSize();

  txtValue = new QLineEdit(this);
  txtValue->setMaxLength(255);
  txtValue->setText(text);
  txtValue->selectAll();
  txtValue->setGeometry(x(8), y(19), x(164), txtValue->sizeHint().height());
  labPrompt->setBuddy(txtValue); // a screen reader names the box by its prompt

  cmdOk = new QPushButton(QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdOk->setGeometry(x(38), y(41), x(50), y(14));
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setGeometry(x(92), y(41), x(50), y(14));
  connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  if (m_help) {
    // Three buttons share the row the two stood centred in.
    cmdOk->move(x(11), y(41));
    cmdCancel->move(x(65), y(41));
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setGeometry(x(119), y(41), x(50), y(14));
    connect(cmdHelp, &QPushButton::clicked, this, [this] { m_help(); });
  }

  setFixedSize(x(180), y(63));
  zelCentreOnScreen(*this);
  txtValue->setFocus();
}

void TfrmZelInputBox::keyPressEvent(QKeyEvent *event) {
  if (m_help && event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    m_help();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TfrmZelInputBox::ask(const QString &caption, const QString &prompt, QString &text,
                          std::function<void()> help) {
  TfrmZelInputBox box(caption, prompt, text, nullptr, std::move(help));
  if (box.exec() != QDialog::Accepted)
    return false;
  text = box.value();
  return true;
}

QString TfrmZelInputBox::value() const {
  return txtValue->text();
}

QSize TfrmZelInputBox::dialogUnits(const QFont &font) {
  static const QString letters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const QFontMetrics metrics(font);
  return QSize(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

QFont TfrmZelInputBox::dialogFont() {
  const QString face = QStringLiteral("MS Sans Serif");
  if (!QFontDatabase::families().contains(face, Qt::CaseInsensitive))
    return QApplication::font();
  QFont font(face);
  font.setPointSize(8);
  return font;
}
