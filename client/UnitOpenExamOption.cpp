#include "UnitOpenExamOption.h"

#include "UnitCatalogue.h"
#include "UnitExamModel.h"
#include "UnitTranslate.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFormOpenExamOption::TFormOpenExamOption(QWidget *parent) : QDialog(parent)
{
    setFixedSize(1018, 366);
    QFont font = this->font();
    font.setPixelSize(16);
    font.setWeight(QFont::DemiBold);
    setFont(font);

    ValueList = new QTableWidget(6, 2, this);
    ValueList->setColumnWidth(0, 317);
    ValueList->setColumnWidth(1, 689);
    ValueList->verticalHeader()->hide();
    ValueList->verticalHeader()->setDefaultSectionSize(24);
    ValueList->horizontalHeader()->setStretchLastSection(true);
    ValueList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ValueList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueList->setSelectionMode(QAbstractItemView::NoSelection);
    ValueList->setFocusPolicy(Qt::NoFocus);

    auto *buttons = new QWidget(this);
    buttons->setFixedHeight(115);
    auto *buttonLayout = new QVBoxLayout(buttons);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    buttonLayout->setSpacing(2);
    ButtonRetake = new QPushButton(buttons);
    ButtonContinue = new QPushButton(buttons);
    ButtonCancel = new QPushButton(buttons);
    const std::pair<QPushButton *, TOutcome> outcomes[] = {{ButtonRetake, ooRetake}, {ButtonContinue, ooContinue}, {ButtonCancel, ooCancel}};
    for (const auto &[button, outcome] : outcomes) {
        button->setFixedHeight(36);
        button->setAutoDefault(false);
        buttonLayout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, outcome = outcome] { done(outcome); });
    }
    ButtonContinue->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(ValueList, 1);
    layout->addWidget(buttons);
}

void TFormOpenExamOption::FillExamInfo(const TExamModel &exam)
{
    setWindowTitle(Tr(57));
    ValueList->setHorizontalHeaderLabels({Tr(53), exam.Name});
    const qint32 count = exam.QuestionsCount(), unanswered = exam.UnUnsweredCount();
    const std::pair<qint32, QString> rows[] = {
        {54, FormatSeconds(exam.Time)},
        {55, FormatSeconds(exam.RestTime)},
        {56, FormatSeconds(qint32(quint32(exam.Time) - quint32(exam.RestTime)))},
        {59, QString::number(count)},
        {60, QString::number(count - unanswered)},
        {61, QString::number(unanswered)},
    };
    for (int i = 0; i < 6; ++i) {
        ValueList->setItem(i, 0, new QTableWidgetItem(Tr(rows[i].first)));
        ValueList->setItem(i, 1, new QTableWidgetItem(rows[i].second));
    }
    ButtonRetake->setText(Tr(62));
    ButtonContinue->setText(Tr(63));
    ButtonCancel->setText(Tr(32));
}
