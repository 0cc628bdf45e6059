// SPDX-License-Identifier: MIT
#pragma once
// The sixteen topics of the guided tour: where each one's text and picture live, which arrows
// it animates and which help topic its Help button opens.

#include <QList>
#include <QString>

struct TourTopic {
  QString text;    // resource of the HTML text
  QString picture; // resource of a screenshot, or empty
  int animation;   // 0 none, 1 to 3: the arrow pair of ComponentTray::animatedArrows
  int helpContext; // context in the tour's help file, 0 for none
};

const QList<TourTopic> &TourTopics();
// The tour's own help file, opened in place of the model's while a topic's help shows.
inline const QString TourHelpFile = QStringLiteral("RARUVE.HLP");
// Milliseconds between two changes of an animation of that kind.
int TopicAnimationInterval(int kind);
