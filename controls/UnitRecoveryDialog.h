#pragma once

#include "UnitTranslate.h"

#include <QDateTime>
#include <QDialog>

class QLabel;
class QPushButton;
class TExamModel;

// Offers the exam that was not saved when the program last closed: what it is and how far it
// got, with the choices "Continue this exam" and "Discard it".
class TFormRecovery : public QDialog, public ITranslatable
{
public:
    enum TOutcome { roDiscard = 0, roContinue = 1 };

    explicit TFormRecovery(QWidget *parent = nullptr);

    QLabel *LabelInfo;
    QPushButton *ButtonContinue;
    QPushButton *ButtonDiscard;

    void FillInfo(const TExamModel &exam, const QDateTime &savedAt);
    void Translate() override;

private:
    QString fName;
    qint32 fAnswered = 0, fUnanswered = 0, fRestTime = 0;
    QDateTime fSavedAt;
};
