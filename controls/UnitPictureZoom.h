#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// How the question's picture sits in its box: fitted as designed (in proportion, 80% of the
// limiting side, centred), or zoomed about a point and panned. The picture keeps its aspect at
// every scale.
class TPictureZoom
{
public:
    static constexpr double MaxScale = 8.0; // box pixels per picture pixel

    bool IsFit() const { return fScale <= 0; }
    void Reset() { fScale = 0; }
    // Box pixels per picture pixel now.
    double Scale(QSizeF picture, QSizeF box) const;

    // Multiplies the scale, keeping the picture point under anchor where it is; back at or
    // below the fitted scale it is the fit again.
    void ZoomBy(double factor, QPointF anchor, QSizeF picture, QSizeF box);
    // The fit and 100 % in turn, about anchor.
    void ToggleActualSize(QPointF anchor, QSizeF picture, QSizeF box);
    // Moves a zoomed picture with the pointer.
    void PanBy(QPointF delta);

    // Where the picture is drawn in the box.
    QRectF Target(QSizeF picture, QSizeF box) const;

private:
    void ScaleAbout(double scale, QPointF anchor, QSizeF picture, QSizeF box);

    double fScale = 0;  // 0: the fit
    QPointF fCentre;    // the picture point at the box's centre while zoomed
};
