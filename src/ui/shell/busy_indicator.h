#pragma once
#include <QTimer>
#include <QWidget>

namespace zv::ui {

// A small spinning arc: the "still working" picture of the main window.
class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QTimer timer_;
    int angle_ = 0;
};

}  // namespace zv::ui
