#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

// Simple labelled figures for geometry questions, drawn in dark blue lines on white.
namespace DemoFigures {

void Triangle(QPainter &p, const QRectF &area, const QString &angleA, const QString &angleB, const QString &angleC);
void Rectangle(QPainter &p, const QRectF &area, const QString &width, const QString &height);
void RightTriangle(QPainter &p, const QRectF &area, const QString &legA, const QString &legB, const QString &hypotenuse);
void TriangleWithHeight(QPainter &p, const QRectF &area, const QString &base, const QString &height);
void Circle(QPainter &p, const QRectF &area, const QString &radius);
void StraightAngle(QPainter &p, const QRectF &area, const QString &known, const QString &unknown);
void Hexagon(QPainter &p, const QRectF &area, const QString &side);

} // namespace DemoFigures
