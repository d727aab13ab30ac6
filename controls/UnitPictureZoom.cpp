#include "UnitPictureZoom.h"

#include "UnitComplain.h"

#include <algorithm>

namespace {

QRectF Fit(QSizeF picture, QSizeF box)
{
    return TFormComplain::PictureRect(picture.toSize(), box.toSize());
}

QPointF Centre(QSizeF box)
{
    return QPointF(box.width() / 2, box.height() / 2);
}

} // namespace

double TPictureZoom::Scale(QSizeF picture, QSizeF box) const
{
    if (!IsFit() || picture.width() <= 0)
        return fScale;
    return Fit(picture, box).width() / picture.width();
}

QRectF TPictureZoom::Target(QSizeF picture, QSizeF box) const
{
    if (IsFit())
        return Fit(picture, box);
    const QSizeF size = picture * fScale;
    const QPointF topLeft = Centre(box) - fCentre * fScale;
    return QRectF(topLeft, size);
}

void TPictureZoom::ScaleAbout(double scale, QPointF anchor, QSizeF picture, QSizeF box)
{
    if (picture.isEmpty() || box.isEmpty())
        return;
    const double before = Scale(picture, box);
    const QPointF centreBefore = IsFit() ? QPointF(picture.width() / 2, picture.height() / 2) : fCentre;
    const QPointF under = centreBefore + (anchor - Centre(box)) / before; // the picture point under the anchor
    const double fit = Fit(picture, box).width() / picture.width();
    if (scale <= fit * 1.0001) {
        Reset();
        return;
    }
    fScale = std::min(scale, MaxScale);
    fCentre = under - (anchor - Centre(box)) / fScale;
}

void TPictureZoom::ZoomBy(double factor, QPointF anchor, QSizeF picture, QSizeF box)
{
    ScaleAbout(Scale(picture, box) * factor, anchor, picture, box);
}

void TPictureZoom::ToggleActualSize(QPointF anchor, QSizeF picture, QSizeF box)
{
    if (IsFit())
        ScaleAbout(1.0, anchor, picture, box);
    else
        Reset();
}

void TPictureZoom::PanBy(QPointF delta)
{
    if (!IsFit())
        fCentre -= delta / fScale;
}
