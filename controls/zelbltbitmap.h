#pragma once
// A bitmap prepared as a blank copy of another: same size, filled with the button face.

#include <QPixmap>

class TBltBitmap : public QPixmap {
public:
  using QPixmap::QPixmap;
  void MakeLike(const QPixmap &source);
};
