// SPDX-License-Identifier: MIT
#include "demo/tourtopics.h"

namespace {

TourTopic topic(int number, const QString &picture = {}, int animation = 0, int helpContext = 0) {
  return {QStringLiteral(":/demo/topics/topic%1.html").arg(number, 2, 10, QLatin1Char('0')),
          picture.isEmpty() ? QString() : QStringLiteral(":/demo/pictures/") + picture, animation,
          helpContext};
}

} // namespace

const QList<TourTopic> &TourTopics() {
  static const QList<TourTopic> topics = {
      topic(1, QStringLiteral("workspace-query.png")),
      topic(2),
      topic(3, {}, 1),
      topic(4, QStringLiteral("workspace-preview.png"), 1),
      topic(5, QStringLiteral("joinseditor.png")),
      topic(6, QStringLiteral("workspace-sql.png"), 0, 19),
      topic(7, QStringLiteral("dialog-field.png"), 0, 19),
      topic(8, QStringLiteral("datamodel-window.png"), 2, 19),
      topic(9, QStringLiteral("queryeditor-step1.png"), 2),
      topic(10, {}, 3),
      topic(11, QStringLiteral("workspace-query.png")),
      topic(12, QStringLiteral("valueeditor-filter.png")),
      topic(13, QStringLiteral("workspace-preview.png"), 0, 1000),
      topic(14, QStringLiteral("report-page1.png")),
      topic(15, QStringLiteral("save-method.png"), 0, 1001),
      topic(16, {}, 3),
  };
  return topics;
}

int TopicAnimationInterval(int kind) {
  return kind == 3 ? 175 : 200;
}
