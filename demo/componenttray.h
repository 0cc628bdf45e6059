// SPDX-License-Identifier: MIT
#pragma once
// The tour's picture of the host form: the six components as a developer sees them on a form
// at design time, with arrows for the references between them (the property that holds each
// reference written above its arrow). The controls sit at fixed design positions.

#include <QLabel>
#include <QList>
#include <QWidget>

// A component picture that reports double clicks.
class TourPicture : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;

signals:
  void doubleClicked();

protected:
  void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// An arrow from one component to the one it refers to.
class ArrowPicture : public QWidget {
  Q_OBJECT
public:
  enum Direction { Left, Down };
  ArrowPicture(Direction direction, QWidget *parent);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  Direction m_direction;
};

class ComponentTray : public QWidget {
  Q_OBJECT
public:
  explicit ComponentTray(QWidget *parent = nullptr);

  QLabel *imgBackground;
  TourPicture *imgDatabase;
  TourPicture *imgQuery;
  TourPicture *imgQuerion;
  TourPicture *imgQueryDialog;
  TourPicture *imgDataModel;
  TourPicture *imgDataModelDialog;
  QLabel *labDatabase1;
  QLabel *labQuery1;
  QLabel *labQuerion1;
  QLabel *labQueryDialog1;
  QLabel *labDataModel1;
  QLabel *labDataModelDialog1;
  ArrowPicture *arrQueryDatabase;
  ArrowPicture *arrQuerionQuery;
  ArrowPicture *arrQueryDialogQuerion;
  ArrowPicture *arrQuerionDataModel;
  ArrowPicture *arrDataModelDialogDataModel;

  // The pair of arrows an animation kind (1 to 3) blinks; empty for other kinds.
  QList<QWidget *> animatedArrows(int kind) const;

  // On a screen that is not 96 pixels per inch, every control but the background picture
  // moves in proportion, then the four long captions move left a little more so that they
  // stay under their pictures.
  void adjustForScreen(int pixelsPerInch);

private:
  TourPicture *picture(const QString &name, const QString &file, const QString &tip, int left,
                       int top);
  QLabel *caption(const QString &name, const QString &text, int centre, int top);
  ArrowPicture *arrow(const QString &name, ArrowPicture::Direction direction, const QRect &at,
                      const QString &property);
};

// The position a control keeps on a screen of that resolution: the design position less its
// rounded share of 1 - 96 / pixelsPerInch.
int PositionForScreen(int position, int pixelsPerInch);
