#include "UnitProgressPage.h"

#include "UnitAttemptReport.h"
#include "UnitTranslate.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum TColumn { colName, colAnswered, colShare, colTrend, ColumnCount };

QString Percent(double share)
{
    return QStringLiteral("%1 %").arg(qRound(share * 100));
}

// "40 % → 55 % → 70 % ↑": the last attempts, and where they head.
QString Trend(const std::vector<double> &recent)
{
    QStringList steps;
    for (double share : recent)
        steps.append(Percent(share));
    QString text = steps.join(QStringLiteral(" → "));
    if (recent.size() >= 2) {
        const double change = recent.back() - recent.front();
        text += change > 0.005 ? QStringLiteral("  ↑") : change < -0.005 ? QStringLiteral("  ↓") : QStringLiteral("  =");
    }
    return text;
}

void SetFigures(QTreeWidgetItem *item, int asked, int answered, double share)
{
    item->setText(colAnswered, QStringLiteral("%1 / %2").arg(answered).arg(asked));
    item->setText(colShare, Percent(share));
    item->setTextAlignment(colAnswered, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(colShare, Qt::AlignRight | Qt::AlignVCenter);
    // A share below one half in red: the learner's eye goes there first.
    if (share < 0.5)
        item->setForeground(colShare, QColor(0xC0, 0x20, 0x20));
}

} // namespace

TProgressPage::TProgressPage(QWidget *parent)
    : QWidget(parent), fTitle(new QLabel(this)), fEmpty(new QLabel(this)), fTable(new QTreeWidget(this)),
      fChart(new QChartView(this)), fBack(new QPushButton(this))
{
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    QFont big = fTitle->font();
    big.setPixelSize(20);
    big.setBold(true);
    fTitle->setFont(big);
    bar->addWidget(fTitle, 1);
    bar->addWidget(fBack);
    layout->addLayout(bar);
    layout->addWidget(fEmpty);
    fTable->setColumnCount(ColumnCount);
    fTable->setRootIsDecorated(true);
    fTable->setUniformRowHeights(true);
    fTable->header()->setSectionResizeMode(colName, QHeaderView::Stretch);
    for (int column : {colAnswered, colShare, colTrend})
        fTable->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    fTable->header()->setStretchLastSection(false);
    layout->addWidget(fTable, 3);
    fChart->setRenderHint(QPainter::Antialiasing);
    fChart->setMinimumHeight(220);
    layout->addWidget(fChart, 2);
    connect(fBack, &QPushButton::clicked, this, [this] {
        if (OnBack)
            OnBack();
    });
    Translate();
}

void TProgressPage::Show(const TProgress &progress)
{
    fProgress = progress;
    Translate();
    fTable->setFocus();
}

void TProgressPage::Translate()
{
    fTitle->setText(Tr(125) + QStringLiteral(" · ") + Tr(131));
    fEmpty->setText(Tr(135));
    fBack->setText(Tr(124));
    fTable->setHeaderLabels({Tr(127), Tr(128), Tr(129), Tr(130)});
    Fill();
    Plot();
}

void TProgressPage::Fill()
{
    fTable->clear();
    fEmpty->setVisible(fProgress.attempts.empty());
    std::vector<const TSubjectProgress *> subjects;
    for (const TSubjectProgress &subject : fProgress.subjects)
        subjects.push_back(&subject);
    std::stable_sort(subjects.begin(), subjects.end(),
                     [](const auto *a, const auto *b) { return a->ShareRight() < b->ShareRight(); });
    for (const TSubjectProgress *subject : subjects) {
        auto *node = new QTreeWidgetItem(fTable, {subject->subject});
        QFont bold = node->font(colName);
        bold.setBold(true);
        node->setFont(colName, bold);
        SetFigures(node, subject->asked, subject->answered, subject->ShareRight());
        std::vector<const TTopicProgress *> topics;
        for (const TTopicProgress &topic : subject->topics)
            topics.push_back(&topic);
        std::stable_sort(topics.begin(), topics.end(), [](const auto *a, const auto *b) {
            return a->ShareRight() != b->ShareRight() ? a->ShareRight() < b->ShareRight() : a->asked > b->asked;
        });
        for (const TTopicProgress *topic : topics) {
            auto *row = new QTreeWidgetItem(node, {TopicWords(topic->topic, TopicName ? TopicName(*topic) : QString())});
            SetFigures(row, topic->asked, topic->answered, topic->ShareRight());
            row->setText(colTrend, Trend(topic->recent));
        }
    }
    fTable->expandAll();
}

void TProgressPage::Plot()
{
    auto *chart = new QChart;
    chart->setTitle(Tr(132));
    chart->legend()->hide();
    auto *line = new QLineSeries(chart);
    auto *points = new QScatterSeries(chart);
    points->setMarkerSize(7);
    double low = 0, high = 1;
    for (const TAttemptPoint &attempt : fProgress.attempts) {
        const qreal x = qreal(attempt.finishedAt.toMSecsSinceEpoch());
        line->append(x, attempt.score);
        points->append(x, attempt.score);
        low = std::min(low, attempt.score);
        high = std::max(high, attempt.score);
    }
    chart->addSeries(line);
    chart->addSeries(points);
    auto *time = new QDateTimeAxis(chart);
    time->setFormat(QStringLiteral("dd.MM.yyyy"));
    time->setTickCount(std::clamp(int(fProgress.attempts.size()), 2, 6));
    if (!fProgress.attempts.empty()) {
        const QDateTime first = fProgress.attempts.front().finishedAt, last = fProgress.attempts.back().finishedAt;
        time->setRange(first.addSecs(-3600), std::max(last, first).addSecs(3600));
    }
    auto *score = new QValueAxis(chart);
    score->setRange(low, high * 1.05);
    score->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(score, Qt::AlignLeft);
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(line), static_cast<QAbstractSeries *>(points)}) {
        series->attachAxis(time);
        series->attachAxis(score);
    }
    QChart *old = fChart->chart();
    fChart->setChart(chart); // the view owns the new chart; the old one is ours to delete
    delete old;
}
