// SPDX-License-Identifier: MIT
#pragma once
// A bitmap prepared as a blank copy of another: same size, filled with the button face.

#include "zelwidgets_export.h"

#include <QPixmap>

class ZELWIDGETS_EXPORT TBltBitmap : public QPixmap {
public:
  using QPixmap::QPixmap;
  void MakeLike(const QPixmap &source);
};
