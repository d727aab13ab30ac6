#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
class TExamModel;

// Asks what to do with an unfinished exam that was opened: retake it, continue it, or cancel.
class TFormOpenExamOption : public QDialog
{
public:
    enum TOutcome { ooCancel = 0, ooRetake = 1, ooContinue = 2 };

    explicit TFormOpenExamOption(QWidget *parent = nullptr);

    // Fills the captions and the exam's figures (FillExamInfo).
    void FillExamInfo(const TExamModel &exam);

    QTableWidget *ValueList;
    QPushButton *ButtonRetake;
    QPushButton *ButtonContinue;
    QPushButton *ButtonCancel;
};
