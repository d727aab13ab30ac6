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

    // Shows it spinning on the parent with its top-left corner at the point; Dismiss takes it off.
    void ShowOn(QWidget *parent, const QPoint &at);
    void Dismiss();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer fTimer;
    int fStep = 0;
};
