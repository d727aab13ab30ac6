#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message and question to the learner goes through here, so that tests can answer them
// without a modal box ever blocking: in test mode nothing is shown, each question takes the next
// queued answer, and everything asked or said is recorded.
class TMessageBox
{
public:
    enum TAnswer { Ok, Yes, No, Cancel };
    enum TButtons { YesNo, YesNoCancel };

    TMessageBox() = delete;

    static void ShowMessage(QWidget *parent, const QString &text, const QString &caption = QString());
    // defaultAnswer: what Enter chooses.
    static TAnswer Confirm(QWidget *parent, const QString &text, TButtons buttons = YesNo, TAnswer defaultAnswer = Yes);

    // Test mode: questions take queued answers (No, or Cancel with three buttons, when none is
    // queued); messages and questions are recorded in History.
    static void SetTestMode(bool on);
    static void SetNextAnswer(TAnswer answer);
    static QStringList &History();
};

// The file-open and file-save dialogs of exam files, answerable by tests in the same way: in test
// mode each dialog takes the next queued file name (empty: cancelled) without showing anything.
class TFileDialog
{
public:
    TFileDialog() = delete;

    // The one file type the client offers.
    static QString ExamFileFilter();
    static QString GetOpenFileName(QWidget *parent);
    // Asks before overwriting an existing file.
    static QString GetSaveFileName(QWidget *parent, const QString &filter = ExamFileFilter());

    static void SetNextFileName(const QString &fileName);
};

// Runs an event handler and reports any failure it raises in a message box with the failure's
// text, as the application's default error report does; the program goes on.
void ReportErrors(QWidget *parent, const std::function<void()> &handler);
