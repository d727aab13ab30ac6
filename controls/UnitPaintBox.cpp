#include "UnitPaintBox.h"

#include "UnitMessageBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallAccessibleCanvas();
}

void TPaintBox::Present(const QImage &image)
{
    fImage = image; // shared, not copied
    if (!fPainting)
        update();
}

void TPaintBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (OnPaintArea) {
        ReportErrors(this, [&] { OnPaintArea(painter, event->rect()); });
    } else {
        fPainting = true;
        if (OnPaint)
            ReportErrors(this, OnPaint);
        fPainting = false;
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, fImage);
    }
    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        // Where the keyboard is, drawn over the control's own picture and never into it.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void TPaintBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseDown)
        ReportErrors(this, [&] { OnMouseDown(event->button(), at.x(), at.y()); });
}

void TPaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseMove)
        ReportErrors(this, [&] { OnMouseMove(at.x(), at.y()); });
}

void TPaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseUp)
        ReportErrors(this, [&] { OnMouseUp(event->button(), at.x(), at.y()); });
}

void TPaintBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (OnResize)
        ReportErrors(this, OnResize);
}

void TPaintBox::wheelEvent(QWheelEvent *event)
{
    bool taken = false;
    if (OnWheel)
        ReportErrors(this, [&] { taken = OnWheel(event->position().toPoint(), event->angleDelta().y(), event->modifiers()); });
    if (!taken)
        QWidget::wheelEvent(event);
}

void TPaintBox::keyPressEvent(QKeyEvent *event)
{
    bool taken = false;
    if (OnKey)
        ReportErrors(this, [&] { taken = OnKey(*event); });
    if (!taken)
        QWidget::keyPressEvent(event);
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (OnDoubleClick)
        ReportErrors(this, [&] { OnDoubleClick(event->position().toPoint()); });
    else
        QWidget::mouseDoubleClickEvent(event);
}
