// SPDX-License-Identifier: MIT
#include "demo/topicpage.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int PictureWidth = 430;
constexpr int PictureHeight = 300;

QString readText(const QString &resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly))
    return QStringLiteral("<p>This topic's text is missing.</p>");
  return QString::fromUtf8(file.readAll());
}

} // namespace

TopicPage::TopicPage(const TourTopic &topic, int number, QWidget *parent)
    : QWidget(parent), imgPicture(nullptr) {
  setObjectName(QStringLiteral("pagTopic%1").arg(number));
  labText = new QLabel(readText(topic.text), this);
  labText->setObjectName(QStringLiteral("labText"));
  labText->setTextFormat(Qt::RichText);
  labText->setWordWrap(true);
  labText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labText->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(16);
  layout->addWidget(labText, 1);
  if (topic.picture.isEmpty())
    return;
  imgPicture = new QLabel(this);
  imgPicture->setObjectName(QStringLiteral("imgPicture"));
  const QPixmap picture(topic.picture);
  const QSize fitted = picture.size().boundedTo(QSize(PictureWidth, PictureHeight));
  imgPicture->setPixmap(picture.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  imgPicture->setAlignment(Qt::AlignRight | Qt::AlignTop);
  imgPicture->setFrameShape(QFrame::NoFrame);
  imgPicture->setAccessibleName(QStringLiteral("Picture of topic %1").arg(number));
  layout->addWidget(imgPicture, 0, Qt::AlignTop);
}
