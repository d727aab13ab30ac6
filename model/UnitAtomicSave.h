#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// The one way the programs write a file: into a temporary file beside it, flushed to disk, then
// renamed into place by Commit, so that the file is either the old one or the whole new one,
// whatever happens in between. Without Commit (a failure raised on the way) nothing changes.
// Failures raise TTavelkoError saying what happened: "Could not save "<file>": the disk is full."
class TAtomicFile
{
public:
    explicit TAtomicFile(const QString &fileName);
    TAtomicFile(const TAtomicFile &) = delete;
    TAtomicFile &operator=(const TAtomicFile &) = delete;

    void Write(QByteArrayView bytes);
    void Commit();

private:
    [[noreturn]] void Fail() const;

    QSaveFile fFile;
};

// A whole file at once.
void SaveFileAtomically(const QString &fileName, QByteArrayView bytes);

// What a failed write in folder most likely met, in words for the learner: the disk is full, the
// disk is read-only, no permission; else the system's own text (fallback).
QString DescribeWriteFailure(int errorNumber, const QString &folder, const QString &fallback);
