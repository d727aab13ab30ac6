#pragma once

#include <QTimer>
#include <QWidget>

// A spinning ring of sectors that tells the learner a download is running.
class TActivityIndicator : public QWidget
{
public:
    explicit TActivityIndicator(QWidget *parent = nullptr);

    void SetAnimate(bool on);
    bool Animate() const { return fTimer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer fTimer;
    int fStep = 0;
};
