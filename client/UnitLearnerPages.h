#pragma once

#include <QObject>

class QAction;
class QCheckBox;
class QPushButton;
class TFormMain;
class TProgressPage;
class TReviewPage;
struct TAttemptQuestion;
struct TTopicProgress;

// What learns from the exams done, wired into the window: the review of a finished exam and
// the export of its result (buttons on the result page), the progress across exams (File menu
// and start page), and the draw's preference for unseen questions (start page).
class TLearnerPages : public QObject
{
public:
    explicit TLearnerPages(TFormMain &window);

    void Translate();
    void ShowReview();
    void ShowProgress();
    void ExportPdf();
    void ExportCsv();

    TReviewPage *Review = nullptr;
    TProgressPage *Progress = nullptr;
    QPushButton *ButtonReview = nullptr, *ButtonPdf = nullptr, *ButtonCsv = nullptr, *ButtonProgress = nullptr;
    QCheckBox *PreferUnseen = nullptr;
    QAction *ActionProgress = nullptr;

private:
    QString TopicName(int subjectBase, int sub, int topic) const;
    void Export(const QString &filter, const QString &extension, bool pdf);
    void Back(int card);

    TFormMain &fWindow;
    int fProgressFrom = 0; // the page the progress page was opened from
};
