#pragma once

#include "UnitHistory.h"

#include <QWidget>

#include <functional>

class QChartView;
class QLabel;
class QPushButton;
class QTreeWidget;

// The learner's progress across exams: per subject and per topic how many questions were
// answered, the share right and its trend over the last attempts, the weakest first; and the
// score of every attempt over time.
class TProgressPage : public QWidget
{
public:
    explicit TProgressPage(QWidget *parent = nullptr);

    void Show(const TProgress &progress);
    void Translate();

    // The name of a topic when the topic structure is at hand; empty: the page numbers it.
    std::function<QString(const TTopicProgress &topic)> TopicName;
    std::function<void()> OnBack;

    QTreeWidget *Table() const { return fTable; }
    QChartView *Chart() const { return fChart; }

private:
    void Fill();
    void Plot();

    TProgress fProgress;
    QLabel *fTitle, *fEmpty;
    QTreeWidget *fTable;
    QChartView *fChart;
    QPushButton *fBack;
};
