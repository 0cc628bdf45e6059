// SPDX-License-Identifier: MIT
#include "demo/componenttray.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int TrayWidth = 680;
constexpr int TrayHeight = 186;
constexpr int IconSize = 40;
constexpr int CaptionWidth = 130;
constexpr int Row1 = 18;  // top of the first row of pictures
constexpr int Row2 = 120; // top of the second row

// The dotted grid of a form at design time.
QPixmap designGrid(QSize size, const QPalette &palette) {
  QPixmap pixmap(size);
  pixmap.fill(palette.color(QPalette::Base));
  QPainter painter(&pixmap);
  painter.setPen(palette.color(QPalette::Mid));
  for (int x = 4; x < size.width(); x += 8)
    for (int y = 4; y < size.height(); y += 8)
      painter.drawPoint(x, y);
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return pixmap;
}

} // namespace

void TourPicture::mouseDoubleClickEvent(QMouseEvent *event) {
  QLabel::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

ArrowPicture::ArrowPicture(Direction direction, QWidget *parent)
    : QWidget(parent), m_direction(direction) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ArrowPicture::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colour(0xb0, 0x3a, 0x2e);
  painter.setPen(QPen(colour, 2));
  painter.setBrush(colour);
  const int head = 7;
  QPainterPath tip;
  if (m_direction == Left) {
    const int y = height() / 2;
    painter.drawLine(head, y, width() - 2, y);
    tip.moveTo(1, y);
    tip.lineTo(head + 2, y - head / 2 - 1);
    tip.lineTo(head + 2, y + head / 2 + 1);
  } else {
    const int x = width() / 2;
    painter.drawLine(x, 1, x, height() - head);
    tip.moveTo(x, height() - 1);
    tip.lineTo(x - head / 2 - 1, height() - head - 2);
    tip.lineTo(x + head / 2 + 1, height() - head - 2);
  }
  tip.closeSubpath();
  painter.drawPath(tip);
}

ComponentTray::ComponentTray(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panComponents"));
  setFixedSize(TrayWidth, TrayHeight);
  setAccessibleName(QStringLiteral("Components of the form"));

  imgBackground = new QLabel(this);
  imgBackground->setObjectName(QStringLiteral("imgBackground"));
  imgBackground->setGeometry(0, 0, TrayWidth, TrayHeight);
  imgBackground->setPixmap(designGrid(size(), palette()));

  imgDatabase = picture(QStringLiteral("imgDatabase"), QStringLiteral("database"),
                        QStringLiteral("Database1: the database connection"), 40, Row1);
  imgQuery = picture(QStringLiteral("imgQuery"), QStringLiteral("dataset"),
                     QStringLiteral("Query1: the dataset that runs the SQL"), 210, Row1);
  imgQuerion = picture(QStringLiteral("imgQuerion"), QStringLiteral("querion"),
                       QStringLiteral("zelQuerion1: the query component"), 390, Row1);
  imgQueryDialog = picture(QStringLiteral("imgQueryDialog"), QStringLiteral("querydialog"),
                           QStringLiteral("zelQueryDialog1: opens the query workspace"), 580, Row1);
  imgDataModel = picture(QStringLiteral("imgDataModel"), QStringLiteral("datamodel"),
                         QStringLiteral("zelDataModel1: the data model"), 390, Row2);
  imgDataModelDialog =
      picture(QStringLiteral("imgDataModelDialog"), QStringLiteral("datamodeldialog"),
              QStringLiteral("zelDataModelDialog1: opens the data model window"), 580, Row2);

  const int below = IconSize + 4;
  labDatabase1 =
      caption(QStringLiteral("labDatabase1"), QStringLiteral("Database1"), 60, Row1 + below);
  labQuery1 = caption(QStringLiteral("labQuery1"), QStringLiteral("Query1"), 230, Row1 + below);
  labQuerion1 =
      caption(QStringLiteral("labQuerion1"), QStringLiteral("zelQuerion1"), 410, Row1 + below);
  labQueryDialog1 = caption(QStringLiteral("labQueryDialog1"), QStringLiteral("zelQueryDialog1"),
                            600, Row1 + below);
  labDataModel1 =
      caption(QStringLiteral("labDataModel1"), QStringLiteral("zelDataModel1"), 410, Row2 + below);
  labDataModelDialog1 = caption(QStringLiteral("labDataModelDialog1"),
                                QStringLiteral("zelDataModelDialog1"), 600, Row2 + below);

  const int arrowTop = Row1 + IconSize / 2 - 8;
  const int captionBottom = labQuerion1->geometry().bottom();
  arrQueryDatabase = arrow(QStringLiteral("arrQueryDatabase"), ArrowPicture::Left,
                           QRect(88, arrowTop, 114, 16), QStringLiteral("DatabaseName"));
  arrQuerionQuery = arrow(QStringLiteral("arrQuerionQuery"), ArrowPicture::Left,
                          QRect(258, arrowTop, 124, 16), QStringLiteral("DataQuery"));
  arrQueryDialogQuerion = arrow(QStringLiteral("arrQueryDialogQuerion"), ArrowPicture::Left,
                                QRect(438, arrowTop, 134, 16), QStringLiteral("Querion"));
  arrQuerionDataModel = arrow(QStringLiteral("arrQuerionDataModel"), ArrowPicture::Down,
                              QRect(402, captionBottom + 3, 16, Row2 - captionBottom - 5),
                              QStringLiteral("DataModel"));
  arrDataModelDialogDataModel =
      arrow(QStringLiteral("arrDataModelDialogDataModel"), ArrowPicture::Left,
            QRect(438, Row2 + IconSize / 2 - 8, 134, 16), QStringLiteral("DataModel"));
}

TourPicture *ComponentTray::picture(const QString &name, const QString &file, const QString &tip,
                                    int left, int top) {
  auto *img = new TourPicture(this);
  img->setObjectName(name);
  img->setPixmap(QIcon(QStringLiteral(":/demo/pictures/%1.svg").arg(file)).pixmap(IconSize));
  img->setGeometry(left, top, IconSize, IconSize);
  img->setToolTip(tip);
  img->setAccessibleName(tip);
  return img;
}

QLabel *ComponentTray::caption(const QString &name, const QString &text, int centre, int top) {
  auto *label = new QLabel(text, this);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setGeometry(centre - CaptionWidth / 2, top, CaptionWidth, label->sizeHint().height());
  return label;
}

ArrowPicture *ComponentTray::arrow(const QString &name, ArrowPicture::Direction direction,
                                   const QRect &at, const QString &property) {
  auto *img = new ArrowPicture(direction, this);
  img->setObjectName(name);
  img->setGeometry(at);
  auto *label = new QLabel(property, this);
  label->setObjectName(QStringLiteral("lab") + name.mid(3));
  QFont small = label->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  small.setItalic(true);
  label->setFont(small);
  const QSize hint = label->sizeHint();
  if (direction == ArrowPicture::Left)
    label->setGeometry(at.center().x() - hint.width() / 2, at.top() - hint.height(), hint.width(),
                       hint.height());
  else
    label->setGeometry(at.right() - at.width() - hint.width() - 2,
                       at.center().y() - hint.height() / 2, hint.width(), hint.height());
  return img;
}

QList<QWidget *> ComponentTray::animatedArrows(int kind) const {
  switch (kind) {
  case 1:
    return {arrQuerionQuery, arrQueryDatabase};
  case 2:
    return {arrDataModelDialogDataModel, arrQuerionDataModel};
  case 3:
    return {arrQueryDialogQuerion, arrQuerionQuery};
  default:
    return {};
  }
}

int PositionForScreen(int position, int pixelsPerInch) {
  if (pixelsPerInch <= 0 || pixelsPerInch == 96)
    return position;
  return position - qRound(position * (1.0 - 96.0 / pixelsPerInch));
}

void ComponentTray::adjustForScreen(int pixelsPerInch) {
  if (pixelsPerInch == 96 || pixelsPerInch <= 0)
    return;
  const QList<QWidget *> controls = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
  for (QWidget *control : controls) {
    if (control == imgBackground)
      continue;
    control->move(PositionForScreen(control->x(), pixelsPerInch),
                  PositionForScreen(control->y(), pixelsPerInch));
  }
  const std::pair<QLabel *, int> shifts[] = {
      {labDataModelDialog1, 30}, {labQueryDialog1, 30}, {labDataModel1, 15}, {labQuerion1, 10}};
  for (const auto &[label, shift] : shifts)
    label->move(label->x() - shift, label->y());
}
