// TCompass: a square rose with a needle. Drawn in an isotropic logical plane of 2800 by 2800
// units with (0, 0) at the centre and y up, the logical point (-1400, 1400) on the top-left
// pixel; a paint draws the whole area (as far as the painter's clip lets it), and the area that
// changed since the last repaint is known, so that the screen repaints only that.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTransform>

#include "base/change_notifier.h"
#include "displays/rose_picture.h"

class QPainter;

namespace ventari {

class TCompass {
 public:
  static constexpr int kExtent = 2800;
  // The needle ends just inside the rose's circle.
  static constexpr int kNeedleLength = 1140;
  static constexpr int kNeedleWidth = 20;

  TCompass() = default;
  virtual ~TCompass() = default;

  // A bearing of 0 .. 359 degrees is stored; any other is ignored. A repaint is requested in
  // both cases.
  void SetBearing(int bearing);
  int Bearing() const { return bearing_; }
  // 0 plain, 1 NSEW, 2 maritime; any other value gives the plain rose and stores 0. Requests a
  // repaint.
  void SetRose(int type);
  int GetRose() const { return roseType_; }

  // The control's size in pixels (150 by 150 at creation).
  void SetSize(QSize size);
  QSize Size() const { return size_; }
  // Told when the picture changed and the screen should show it.
  ChangeNotifier& Changed() { return changed_; }
  // The pixels that changed since the last call: the needle's old and new places after a new
  // bearing, the whole control after anything else; empty when nothing changed.
  QRect TakeChangedArea();

  // Paints the whole control: the rose stretched over the logical plane, then the needle.
  virtual void Paint(QPainter& painter);

  // Logical units to the control's pixels.
  QTransform LogicalToDevice() const;
  // The needle's end point for `bearing`, in logical units.
  static QPoint NeedleEnd(int bearing);

 protected:
  // The whole control changed: requests a repaint of all of it.
  void ChangedAll();

 private:
  // The pixels the needle covers at `bearing`.
  QRect NeedleArea(int bearing) const;

  int bearing_ = 0;
  int takenBearing_ = 0;  // when the changed area was last taken
  int roseType_ = kPlainRose;
  QSize size_{150, 150};
  // Drawn for the current size, type and device pixel ratio at the first paint that needs it.
  QImage rosePicture_;
  int pictureType_ = -1;
  ChangeNotifier changed_;
  QRect changedArea_;
};

}  // namespace ventari
