#include "UnitActivityIndicator.h"

#include <QPainter>
#include <QtMath>

namespace {
constexpr int Sectors = 12;
}

TActivityIndicator::TActivityIndicator(QWidget *parent) : QWidget(parent)
{
    setFixedSize(96, 96); // "extra large"
    setAttribute(Qt::WA_TransparentForMouseEvents);
    fTimer.setInterval(80);
    connect(&fTimer, &QTimer::timeout, this, [this] {
        fStep = (fStep + 1) % Sectors;
        update();
    });
}

void TActivityIndicator::SetAnimate(bool on)
{
    if (on)
        fTimer.start();
    else
        fTimer.stop();
}

void TActivityIndicator::ShowOn(QWidget *parent, const QPoint &at)
{
    setParent(parent);
    move(at);
    show();
    raise();
    SetAnimate(true);
}

void TActivityIndicator::Dismiss()
{
    SetAnimate(false);
    hide();
    setParent(nullptr);
}

void TActivityIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    const qreal outer = std::min(width(), height()) / 2.0 - 4, inner = outer * 0.55;
    for (int i = 0; i < Sectors; ++i) {
        // The sector at the current step is darkest; those behind it fade out.
        const int age = (fStep - i + Sectors) % Sectors;
        QColor color(0x2F, 0x80, 0xED);
        color.setAlphaF(1.0 - 0.8 * age / Sectors);
        p.save();
        p.rotate(360.0 * i / Sectors);
        p.setPen(QPen(color, outer * 0.16, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -inner), QPointF(0, -outer));
        p.restore();
    }
}
