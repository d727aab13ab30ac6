#include "DemoFigures.h"

#include <QPainterPath>
#include <QtMath>

namespace DemoFigures {

namespace {

const QColor Ink(0x1F, 0x3A, 0x5F);
const QColor Fill(0xE8, 0xF0, 0xFA);
const QColor Mark(0xC0, 0x39, 0x2B);

void Setup(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 3));
    p.setBrush(Fill);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    p.setFont(font);
}

// The unknown of a figure, "?", stands out in red.
void Label(QPainter &p, const QPointF &centre, const QString &text)
{
    p.save();
    p.setPen(text == u"?" ? Mark : Ink);
    const QRectF box(centre.x() - 90, centre.y() - 18, 180, 36);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

// Fits a shape of the given aspect ratio into the area, leaving room for labels.
QRectF Fit(const QRectF &area, double aspect)
{
    QRectF inner = area.adjusted(50, 40, -50, -50);
    if (inner.width() / inner.height() > aspect)
        inner.setWidth(inner.height() * aspect);
    else
        inner.setHeight(inner.width() / aspect);
    inner.moveCenter(area.center());
    return inner;
}

} // namespace

void Triangle(QPainter &p, const QRectF &area, const QString &angleA, const QString &angleB, const QString &angleC)
{
    Setup(p);
    const QRectF r = Fit(area, 1.3);
    const QPointF a = r.bottomLeft(), b = r.bottomRight(), c(r.left() + r.width() * 0.38, r.top());
    p.drawPolygon(QPolygonF({a, b, c}));
    Label(p, a + QPointF(48, -22), angleA);
    Label(p, b + QPointF(-48, -22), angleB);
    Label(p, c + QPointF(0, 40), angleC);
}

void Rectangle(QPainter &p, const QRectF &area, const QString &width, const QString &height)
{
    Setup(p);
    const QRectF r = Fit(area, 1.6);
    p.drawRect(r);
    Label(p, QPointF(r.center().x(), r.bottom() + 24), width);
    Label(p, QPointF(r.right() + 8, r.center().y()) + QPointF(40, 0), height);
}

void RightTriangle(QPainter &p, const QRectF &area, const QString &legA, const QString &legB, const QString &hypotenuse)
{
    Setup(p);
    const QRectF r = Fit(area, 1.33);
    const QPointF corner = r.bottomLeft(), top = r.topLeft(), right = r.bottomRight();
    p.drawPolygon(QPolygonF({corner, top, right}));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(corner.x(), corner.y() - 22, 22, 22));
    Label(p, QPointF(corner.x() - 42, r.center().y()), legA);
    Label(p, QPointF(r.center().x(), corner.y() + 24), legB);
    Label(p, r.center() + QPointF(40, -30), hypotenuse);
}

void TriangleWithHeight(QPainter &p, const QRectF &area, const QString &base, const QString &height)
{
    Setup(p);
    const QRectF r = Fit(area, 1.4);
    const QPointF a = r.bottomLeft(), b = r.bottomRight(), c(r.left() + r.width() * 0.6, r.top());
    p.drawPolygon(QPolygonF({a, b, c}));
    p.setPen(QPen(Ink, 2, Qt::DashLine));
    p.drawLine(c, QPointF(c.x(), a.y()));
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(c.x(), a.y() - 16, 16, 16));
    Label(p, QPointF(r.center().x(), a.y() + 24), base);
    Label(p, QPointF(c.x() + 50, r.center().y()), height);
}

void Circle(QPainter &p, const QRectF &area, const QString &radius)
{
    Setup(p);
    const QRectF r = Fit(area, 1.0);
    p.drawEllipse(r);
    p.setBrush(Ink);
    p.drawEllipse(r.center(), 4, 4);
    p.drawLine(r.center(), QPointF(r.right(), r.center().y()));
    Label(p, QPointF(r.center().x() + r.width() / 4, r.center().y() - 22), radius);
}

void StraightAngle(QPainter &p, const QRectF &area, const QString &known, const QString &unknown)
{
    Setup(p);
    const QRectF r = Fit(area, 2.0);
    const QPointF o(r.center().x(), r.bottom());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    const QPointF ray = o + QPointF(-r.width() * 0.22, -r.height() * 0.95);
    p.drawLine(o, ray);
    p.setBrush(Ink);
    p.drawEllipse(o, 4, 4);
    Label(p, o + QPointF(r.width() * 0.22, -30), known);
    Label(p, o + QPointF(-r.width() * 0.3, -24), unknown);
}

void Hexagon(QPainter &p, const QRectF &area, const QString &side)
{
    Setup(p);
    const QRectF r = Fit(area, 1.15);
    const double radius = r.height() / 2;
    QPolygonF hexagon;
    for (int i = 0; i < 6; ++i) {
        const double angle = qDegreesToRadians(60.0 * i);
        hexagon << r.center() + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    p.drawPolygon(hexagon);
    Label(p, (hexagon[1] + hexagon[2]) / 2 + QPointF(0, 26), side);
}

} // namespace DemoFigures
