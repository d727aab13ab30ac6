#pragma once

#include "UnitAccessibleCanvas.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <functional>

// Where a custom-drawn control shows itself. The control renders into an off-screen image and
// presents it; the image is copied to the screen in one block.
class TCanvas
{
public:
    virtual ~TCanvas() = default;
    virtual void Present(const QImage &image) = 0;
    // Device pixels per logical pixel of the screen it shows on.
    virtual qreal PixelRatio() const { return 1.0; }
};

// A widget that forwards its paint and mouse events and shows what is presented to it. Every
// forwarded handler runs under the default error report.
class TPaintBox : public QWidget, public TCanvas
{
public:
    explicit TPaintBox(QWidget *parent = nullptr);

    std::function<void()> OnPaint;
    // Set: paints the exposed area itself, in place of showing what is presented.
    std::function<void(QPainter &painter, const QRect &exposed)> OnPaintArea;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseUp;
    std::function<void()> OnResize;
    // The wheel (in eighths of a degree) and a double click; a wheel turn nobody takes scrolls on.
    std::function<bool(QPoint at, int delta, Qt::KeyboardModifiers modifiers)> OnWheel;
    std::function<void(QPoint at)> OnDoubleClick;
    // A key while the box has the keyboard focus; a key nobody takes goes on to the parent.
    std::function<bool(const QKeyEvent &event)> OnKey;

    // What the box draws, item by item, for assistive technology; a press of an item (by a
    // screen reader) comes to OnPressItem.
    std::function<int()> AccessibleItemCount;
    std::function<TAccessibleItem(int index)> AccessibleItem;
    std::function<void(int index)> OnPressItem;

    void Present(const QImage &image) override;
    qreal PixelRatio() const override { return devicePixelRatioF(); }
    const QImage &Presented() const { return fImage; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage fImage;
    bool fPainting = false;
};
