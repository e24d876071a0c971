#include "evaluation/forms/evaluationbackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace zanfolio {

namespace {

QPainterPath starPath(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 == 0 ? outer : inner;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void paintBalloon(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, colour.lighter(135));
    shade.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre, radius * 0.86, radius);
    // The knot and the string.
    const QPointF knot(centre.x(), centre.y() + radius);
    p.drawPolygon(QPolygonF({knot, knot + QPointF(-6, 9), knot + QPointF(6, 9)}));
    QPainterPath string(knot + QPointF(0, 9));
    string.cubicTo(knot + QPointF(-14, 50), knot + QPointF(14, 80), knot + QPointF(-4, 120));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 110, 100, 160), 1.5));
    p.drawPath(string);
}

} // namespace

QPixmap paintEvaluationBackground(const QSize& size) {
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0xff, 0xf3, 0xd6));
    sky.setColorAt(0.6, QColor(0xff, 0xe0, 0xc2));
    sky.setColorAt(1.0, QColor(0xff, 0xd1, 0xb3));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // Rays from the top centre.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    const QPointF sun(w / 2, -40);
    for (int i = 0; i < 12; ++i) {
        const double a0 = std::numbers::pi * (0.08 + i * 0.07);
        const double a1 = a0 + 0.03;
        const double r = w;
        p.drawPolygon(QPolygonF({sun, sun + QPointF(r * std::cos(a0), r * std::sin(a0)),
                                 sun + QPointF(r * std::cos(a1), r * std::sin(a1))}));
    }

    // Hills.
    QPainterPath back(QPointF(0, h * 0.86));
    back.cubicTo(QPointF(w * 0.25, h * 0.76), QPointF(w * 0.45, h * 0.92),
                 QPointF(w * 0.7, h * 0.82));
    back.cubicTo(QPointF(w * 0.85, h * 0.77), QPointF(w * 0.95, h * 0.82), QPointF(w, h * 0.8));
    back.lineTo(w, h);
    back.lineTo(0, h);
    p.setBrush(QColor(0x9c, 0xd0, 0x8a));
    p.drawPath(back);
    QPainterPath front(QPointF(0, h * 0.93));
    front.cubicTo(QPointF(w * 0.3, h * 0.86), QPointF(w * 0.6, h * 0.98), QPointF(w, h * 0.9));
    front.lineTo(w, h);
    front.lineTo(0, h);
    p.setBrush(QColor(0x6f, 0xb5, 0x5e));
    p.drawPath(front);

    // Balloons along both sides, clear of the middle where the results stand.
    struct Balloon {
        double x, y, r;
        QColor colour;
    };
    const std::array<Balloon, 6> balloons{{
        {0.05, 0.20, 34, QColor(0xf2, 0x6d, 0x6d)},
        {0.085, 0.47, 28, QColor(0x5d, 0xa9, 0xe9)},
        {0.04, 0.68, 24, QColor(0xf5, 0xc0, 0x3c)},
        {0.95, 0.16, 30, QColor(0x7c, 0xc5, 0x76)},
        {0.915, 0.42, 34, QColor(0xb0, 0x7c, 0xe0)},
        {0.96, 0.66, 24, QColor(0xf2, 0x8c, 0x3c)},
    }};
    for (const Balloon& b : balloons)
        paintBalloon(p, QPointF(w * b.x, h * b.y), b.r, b.colour);

    // Stars.
    p.setPen(Qt::NoPen);
    const std::array<std::array<double, 3>, 8> stars{{{0.14, 0.07, 12},
                                                      {0.30, 0.03, 8},
                                                      {0.70, 0.04, 10},
                                                      {0.86, 0.08, 13},
                                                      {0.02, 0.38, 8},
                                                      {0.985, 0.30, 9},
                                                      {0.13, 0.83, 10},
                                                      {0.88, 0.85, 11}}};
    for (const auto& s : stars) {
        p.setBrush(QColor(0xff, 0xc9, 0x2e, 220));
        p.drawPath(starPath(QPointF(w * s[0], h * s[1]), s[2], s[2] * 0.45));
    }
    return picture;
}

} // namespace zanfolio
