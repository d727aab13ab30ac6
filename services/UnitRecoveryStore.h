#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class TExamModel;

// What an exam file cannot hold about the exam being worked on.
struct TRecoveryInfo
{
    QString FileName;   // where the exam was opened from or saved to; empty for a new exam
    qint32 Page = 0;    // the page of the window it was on
    QDateTime SavedAt;  // when this copy was written
};

// The recovery copy of the exam being worked on, in the learner's data folder: an ordinary exam
// file ("recovery.qmvx") and beside it what the file cannot hold ("recovery.json"). Each is
// replaced atomically, so a kill at any moment leaves a readable copy.
class TRecoveryStore
{
public:
    // folder: empty for the learner's data folder (QStandardPaths::AppDataLocation).
    explicit TRecoveryStore(const QString &folder = QString());

    QString Folder() const { return fFolder; }
    QString ExamPath() const;
    QString InfoPath() const;
    bool Exists() const;

    // Raises TTavelkoError when the copy cannot be written.
    void Write(const TExamModel &exam, const TRecoveryInfo &info) const;
    // Raises TTavelkoError when the copy is damaged. Info that does not belong to the exam (a kill
    // between the two files) reads as none.
    std::unique_ptr<TExamModel> ReadExam() const;
    TRecoveryInfo ReadInfo(const TExamModel &exam) const;
    void Remove() const;
    // Keeps a damaged copy out of the way under a name of its own; returns that name.
    QString MoveAside() const;

private:
    QString fFolder;
};
