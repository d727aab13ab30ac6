#pragma once

#include "UnitPictureZoom.h"

#include <QImage>
#include <QPoint>

class QWidget;
class TPaintBox;

// The question's picture on its paint box: decoded once per question, drawn fitted as designed
// or zoomed, sharp on high-DPI screens. Ctrl+wheel, Ctrl++ and Ctrl+- zoom, Ctrl+0 fits again,
// a double click switches between the fit and 100 %, dragging moves a zoomed picture. A picture
// that never arrived, or does not decode, leaves the box white.
class TQuestionPicture
{
public:
    // The keys work anywhere inside scope (the exam page).
    TQuestionPicture(TPaintBox *box, QWidget *scope);

    // A new question's picture (its PNG bytes; empty: none), shown fitted.
    void Show(const QByteArray &png);
    void Paint();

    const TPictureZoom &Zoom() const { return fZoom; }
    void ZoomBy(double factor, QPointF anchor);
    void ToggleActualSize(QPointF anchor);
    void Fit();
    // Where the picture is drawn now, in the box's coordinates.
    QRectF Target() const;

private:
    void Changed();

    TPaintBox *fBox;
    QImage fPicture;
    TPictureZoom fZoom;
    QPoint fDragFrom{-1, -1};
};
