#include "menu/forms/chart/chartpainter.h"

#include "frame/forms/fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace zanfolio {

QColor chartColour(uint32_t bbggrr) {
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}

void paintChart(QPainter& painter, const std::vector<ChartPrimitive>& primitives,
                ChartTarget target, double dpi, const std::function<bool()>& newPage) {
    const double penScale = chartPenScale(target, dpi);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ChartPrimitive& p : primitives) {
        switch (p.kind) {
        case ChartPrimitive::Kind::PageBreak:
            if (newPage && !newPage()) {
                painter.restore();
                return;
            }
            break;
        case ChartPrimitive::Kind::Line: {
            QPen pen(chartColour(p.colour));
            pen.setWidthF(std::max(p.width * penScale, 1.0));
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            painter.drawLine(p.at, p.to);
            break;
        }
        case ChartPrimitive::Kind::Point: {
            const double d = std::max(p.width * penScale, 1.0);
            painter.setPen(Qt::NoPen);
            painter.setBrush(chartColour(p.colour));
            painter.drawEllipse(p.at, d / 2, d / 2);
            painter.setBrush(Qt::NoBrush);
            break;
        }
        case ChartPrimitive::Kind::Text: {
            painter.setFont(japaneseFont(p.fontSize));
            painter.setPen(chartColour(p.colour));
            const QFontMetricsF metrics(painter.font(), painter.device());
            painter.drawText(QPointF(p.at.x(), p.at.y() + metrics.ascent()), p.text);
            break;
        }
        }
    }
    painter.restore();
}

} // namespace zanfolio
