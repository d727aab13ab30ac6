#include "UnitQuestionPicture.h"

#include "UnitPaintBox.h"

#include <QPainter>
#include <QShortcut>

#include <cmath>

namespace {

constexpr double WheelStep = 1.25; // per notch of the wheel and per key press

} // namespace

TQuestionPicture::TQuestionPicture(TPaintBox *box, QWidget *scope) : fBox(box)
{
    auto centre = [this] { return QPointF(fBox->width() / 2.0, fBox->height() / 2.0); };
    const auto bind = [&](const QKeySequence &keys, std::function<void()> action) {
        auto *shortcut = new QShortcut(keys, scope);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, scope, std::move(action));
    };
    bind(QKeySequence::ZoomIn, [=, this] { ZoomBy(WheelStep, centre()); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), [=, this] { ZoomBy(WheelStep, centre()); });
    bind(QKeySequence::ZoomOut, [=, this] { ZoomBy(1 / WheelStep, centre()); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { Fit(); });

    fBox->OnWheel = [this](QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
        if (!(modifiers & Qt::ControlModifier) || delta == 0)
            return false;
        ZoomBy(std::pow(WheelStep, delta / 120.0), at);
        return true;
    };
    fBox->OnDoubleClick = [this](QPoint at) { ToggleActualSize(at); };
    fBox->OnMouseDown = [this](Qt::MouseButton button, int x, int y) {
        if (button == Qt::LeftButton && !fZoom.IsFit())
            fDragFrom = QPoint(x, y);
    };
    fBox->OnMouseMove = [this](int x, int y) {
        if (fDragFrom.x() < 0)
            return;
        fZoom.PanBy(QPointF(x - fDragFrom.x(), y - fDragFrom.y()));
        fDragFrom = QPoint(x, y);
        Changed();
    };
    fBox->OnMouseUp = [this](Qt::MouseButton, int, int) { fDragFrom = QPoint(-1, -1); };
}

void TQuestionPicture::Show(const QByteArray &png)
{
    fPicture = png.isEmpty() ? QImage() : QImage::fromData(png, "PNG");
    fZoom.Reset();
    fDragFrom = QPoint(-1, -1);
    Changed();
}

void TQuestionPicture::Changed()
{
    fBox->setCursor(fZoom.IsFit() ? Qt::ArrowCursor : Qt::OpenHandCursor);
    fBox->update();
}

QRectF TQuestionPicture::Target() const
{
    return fZoom.Target(fPicture.size(), fBox->size());
}

void TQuestionPicture::ZoomBy(double factor, QPointF anchor)
{
    if (fPicture.isNull())
        return;
    fZoom.ZoomBy(factor, anchor, fPicture.size(), fBox->size());
    Changed();
}

void TQuestionPicture::ToggleActualSize(QPointF anchor)
{
    if (fPicture.isNull())
        return;
    fZoom.ToggleActualSize(anchor, fPicture.size(), fBox->size());
    Changed();
}

void TQuestionPicture::Fit()
{
    fZoom.Reset();
    Changed();
}

void TQuestionPicture::Paint()
{
    // Drawn at the screen's own pixel density, so that text in the picture stays sharp.
    const qreal ratio = fBox->devicePixelRatioF();
    QImage canvas((fBox->size() * ratio).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    if (!fPicture.isNull()) {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(Target(), fPicture);
    }
    fBox->Present(canvas);
}
