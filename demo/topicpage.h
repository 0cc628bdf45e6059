// SPDX-License-Identifier: MIT
#pragma once
// One page of the tour: the topic's text beside its picture (scaled down to fit).

#include "demo/tourtopics.h"

#include <QWidget>

class QLabel;

class TopicPage : public QWidget {
  Q_OBJECT
public:
  TopicPage(const TourTopic &topic, int number, QWidget *parent = nullptr);

  QLabel *labText;
  QLabel *imgPicture; // null for a topic without a picture
};
