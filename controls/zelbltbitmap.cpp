// SPDX-License-Identifier: MIT
#include "controls/zelbltbitmap.h"

#include <QGuiApplication>
#include <QPalette>

void TBltBitmap::MakeLike(const QPixmap &source) {
  QPixmap blank(source.size());
  blank.setDevicePixelRatio(source.devicePixelRatio());
  blank.fill(QGuiApplication::palette().color(QPalette::Button));
  swap(blank);
}
