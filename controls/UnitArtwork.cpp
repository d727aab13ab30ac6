#include "UnitArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace Artwork {

namespace {

QPixmap Canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A five- or eight-pointed star centred on c.
QPolygonF Star(QPointF c, qreal outer, qreal inner, int points, qreal rotation)
{
    QPolygonF star;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(rotation + 180.0 * i / points);
        star << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

void Crescent(QPainter &p, QPointF c, qreal r, qreal cut, const QColor &background)
{
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.setBrush(background);
    p.drawEllipse(c + QPointF(cut, 0), r * 0.8, r * 0.8);
}

void Stripes(QPainter &p, const QRectF &r, const QList<QColor> &colors)
{
    const qreal h = r.height() / colors.size();
    for (int i = 0; i < colors.size(); ++i)
        p.fillRect(QRectF(r.left(), r.top() + i * h, r.width(), h + 0.5), colors[i]);
}

} // namespace

QPixmap Flag(int languageIndex)
{
    QPixmap pixmap = Canvas(48);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF r(2, 10, 44, 28);
    switch (languageIndex) {
    case 0: { // a union flag
        p.fillRect(r, QColor(0x01, 0x21, 0x69));
        p.setClipRect(r);
        p.setPen(QPen(Qt::white, 6));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(r.center().x() - 5, r.top(), 10, r.height()), Qt::white);
        p.fillRect(QRectF(r.left(), r.center().y() - 5, r.width(), 10), Qt::white);
        p.fillRect(QRectF(r.center().x() - 3, r.top(), 6, r.height()), QColor(0xC8, 0x10, 0x2E));
        p.fillRect(QRectF(r.left(), r.center().y() - 3, r.width(), 6), QColor(0xC8, 0x10, 0x2E));
        break;
    }
    case 1: { // blue, red and green with a crescent and an eight-pointed star
        Stripes(p, r, {QColor(0x00, 0xB5, 0xE2), QColor(0xEF, 0x33, 0x40), QColor(0x50, 0x9E, 0x2F)});
        const QPointF c = r.center();
        Crescent(p, c + QPointF(-2, 0), 5.5, 1.6, QColor(0xEF, 0x33, 0x40));
        p.setBrush(Qt::white);
        p.drawPolygon(Star(c + QPointF(5, 0), 3.2, 1.5, 8, 0));
        break;
    }
    case 2:
        Stripes(p, r, {Qt::white, QColor(0x00, 0x39, 0xA6), QColor(0xD5, 0x2B, 0x1E)});
        break;
    case 3: { // red with a crescent and a star
        p.fillRect(r, QColor(0xE3, 0x0A, 0x17));
        const QPointF c = r.center() + QPointF(-4, 0);
        Crescent(p, c, 8, 2.4, QColor(0xE3, 0x0A, 0x17));
        p.setBrush(Qt::white);
        p.drawPolygon(Star(c + QPointF(9, 0), 3.6, 1.5, 5, 180));
        break;
    }
    default:
        break;
    }
    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    return pixmap;
}

// The review flag: an orange pennant on its pole, in a box of 32 scaled by scale at origin.
static void ReviewFlag(QPainter &p, QPointF origin, qreal scale)
{
    p.save();
    p.translate(origin);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x12), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 4), QPointF(8, 29));
    p.setPen(QPen(QColor(0xB8, 0x5C, 0x00), 1.2));
    p.setBrush(QColor(0xF3, 0x9C, 0x12));
    p.drawPolygon(QPolygonF({QPointF(9, 4), QPointF(27, 10), QPointF(9, 17)}));
    p.restore();
}

QIcon Icon(TImage image)
{
    const int size = image == imgModel ? 64 : 32;
    QPixmap pixmap = Canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor ink(0x33, 0x4A, 0x6B), accent(0x2F, 0x80, 0xED), soft(0xE3, 0xEE, 0xFD);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (image) {
    case imgRecentFile:
    case imgExam:
        p.setBrush(soft);
        p.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(20, 4), QPointF(26, 10), QPointF(26, 28), QPointF(8, 28)}));
        p.drawLine(QPointF(12, 15), QPointF(22, 15));
        p.drawLine(QPointF(12, 20), QPointF(22, 20));
        break;
    case imgClearList:
        p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(23, 23));
        p.drawLine(QPointF(23, 9), QPointF(9, 23));
        break;
    case imgMasked:
    case imgUnmasked: {
        QPainterPath eye;
        eye.moveTo(3, 16);
        eye.quadTo(16, 3, 29, 16);
        eye.quadTo(16, 29, 3, 16);
        p.setBrush(Qt::white);
        p.drawPath(eye);
        p.setBrush(ink);
        p.drawEllipse(QPointF(16, 16), 4, 4);
        if (image == imgMasked) {
            p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(5, 27), QPointF(27, 5));
        }
        break;
    }
    case imgModel:
        p.setBrush(soft);
        p.drawRoundedRect(QRectF(5, 3, 22, 26), 2, 2);
        p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(9, 11), QPointF(11, 13), QPointF(15, 8)}));
        p.drawPolyline(QPolygonF({QPointF(9, 20), QPointF(11, 22), QPointF(15, 17)}));
        p.setPen(QPen(ink, 1.5));
        p.drawLine(QPointF(17, 11), QPointF(23, 11));
        p.drawLine(QPointF(17, 20), QPointF(23, 20));
        break;
    case imgTopicOff:
    case imgTopicOn:
        p.setBrush(image == imgTopicOn ? accent : Qt::white);
        p.setPen(QPen(image == imgTopicOn ? accent : ink, 2));
        p.drawRoundedRect(QRectF(6, 6, 20, 20), 4, 4);
        if (image == imgTopicOn) {
            p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({QPointF(10, 16), QPointF(14, 20), QPointF(22, 11)}));
        }
        break;
    case imgRoot:
        p.setBrush(soft);
        p.drawEllipse(QRectF(6, 4, 20, 8));
        p.drawLine(QPointF(6, 8), QPointF(6, 24));
        p.drawLine(QPointF(26, 8), QPointF(26, 24));
        p.drawArc(QRectF(6, 20, 20, 8), 180 * 16, 180 * 16);
        p.drawArc(QRectF(6, 12, 20, 8), 180 * 16, 180 * 16);
        break;
    case imgFolder:
        p.setBrush(QColor(0xFF, 0xD7, 0x7A));
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(29, 11), QPointF(29, 26), QPointF(3, 26)}));
        break;
    case imgClock:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        p.drawLine(QPointF(16, 16), QPointF(16, 9));
        p.drawLine(QPointF(16, 16), QPointF(21, 19));
        break;
    case imgAnswered:
    case imgAnsweredFlagged:
        p.setBrush(QColor(0x27, 0xAE, 0x60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 10, 10);
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(11, 16), QPointF(15, 20), QPointF(21, 12)}));
        break;
    case imgUnanswered:
    case imgUnansweredFlagged:
    case imgNextUnanswered:
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(0x9A, 0xA5, 0xB1), 2));
        p.drawEllipse(QPointF(16, 16), 9, 9);
        break;
    case imgFinish: // a chequered flag on its pole
        p.drawLine(QPointF(8, 4), QPointF(8, 29));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column)
                p.fillRect(QRectF(9 + column * 4.5, 5 + row * 4.5, 4.5, 4.5), (row + column) % 2 ? Qt::white : ink);
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(9, 5, 18, 13.5));
        break;
    case imgPrev:
    case imgNext: {
        p.setPen(QPen(accent, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal tip = image == imgNext ? 22 : 10, tail = image == imgNext ? 12 : 20;
        p.drawPolyline(QPolygonF({QPointF(tail, 7), QPointF(tip, 16), QPointF(tail, 25)}));
        break;
    }
    case imgReviewFlag: // drawn below, over whatever the case drew
    case imgNextFlagged:
        break;
    case imgRetake:
        p.setPen(QPen(accent, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(20, 2), QPointF(26, 8), QPointF(18, 10)}));
        break;
    }
    // A flagged question keeps its state and carries the flag in its corner; the two commands
    // carry a small arrow.
    if (image == imgReviewFlag)
        ReviewFlag(p, QPointF(0, 0), 1);
    if (image == imgAnsweredFlagged || image == imgUnansweredFlagged)
        ReviewFlag(p, QPointF(14, -1), 0.6);
    if (image == imgNextFlagged)
        ReviewFlag(p, QPointF(-2, 0), 0.9);
    if (image == imgNextUnanswered || image == imgNextFlagged) {
        p.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(24, 20), QPointF(29, 25), QPointF(24, 30)}));
        p.drawLine(QPointF(17, 25), QPointF(29, 25));
    }
    return QIcon(pixmap);
}

} // namespace Artwork
