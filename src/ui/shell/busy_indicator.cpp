#include "ui/shell/busy_indicator.h"

#include <QPainter>

namespace zv::ui {

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        angle_ = (angle_ + 30) % 360;
        update();
    });
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 6;
    QRectF r((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    p.setPen(QPen(QColor(200, 200, 200), 4));
    p.drawEllipse(r);
    p.setPen(QPen(QColor(0, 102, 204), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(r, -angle_ * 16, 100 * 16);
}

void BusyIndicator::showEvent(QShowEvent*) { timer_.start(); }
void BusyIndicator::hideEvent(QHideEvent*) { timer_.stop(); }

}  // namespace zv::ui
