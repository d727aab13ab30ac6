#include "UnitRecoveryStore.h"

#include "TavelkoError.h"
#include "UnitAtomicSave.h"
#include "UnitExamModel.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

TRecoveryStore::TRecoveryStore(const QString &folder)
    : fFolder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder)
{
}

QString TRecoveryStore::ExamPath() const
{
    return QDir(fFolder).filePath(QStringLiteral("recovery.qmvx"));
}

QString TRecoveryStore::InfoPath() const
{
    return QDir(fFolder).filePath(QStringLiteral("recovery.json"));
}

bool TRecoveryStore::Exists() const
{
    return QFileInfo::exists(ExamPath());
}

void TRecoveryStore::Write(const TExamModel &exam, const TRecoveryInfo &info) const
{
    QDir().mkpath(fFolder);
    exam.SaveToFile(ExamPath());
    const QJsonObject object{
        {QStringLiteral("guid"), exam.GUIDStr},
        {QStringLiteral("fileName"), info.FileName},
        {QStringLiteral("page"), info.Page},
        {QStringLiteral("savedAt"), info.SavedAt.toUTC().toString(Qt::ISODateWithMs)},
    };
    SaveFileAtomically(InfoPath(), QJsonDocument(object).toJson());
}

std::unique_ptr<TExamModel> TRecoveryStore::ReadExam() const
{
    auto exam = std::make_unique<TExamModel>(QString(), 0, 0);
    exam->LoadFromStream(ExamPath());
    if (exam->QuestionsCount() == 0)
        throw TTavelkoError(QStringLiteral("The recovery copy holds no questions."));
    return exam;
}

TRecoveryInfo TRecoveryStore::ReadInfo(const TExamModel &exam) const
{
    TRecoveryInfo info;
    info.SavedAt = QFileInfo(ExamPath()).lastModified();
    QFile file(InfoPath());
    if (!file.open(QIODevice::ReadOnly))
        return info;
    const QJsonObject object = QJsonDocument::fromJson(file.read(1 << 20)).object();
    if (object.value(QStringLiteral("guid")).toString() != exam.GUIDStr)
        return info;
    info.FileName = object.value(QStringLiteral("fileName")).toString();
    info.Page = object.value(QStringLiteral("page")).toInt();
    const QDateTime savedAt = QDateTime::fromString(object.value(QStringLiteral("savedAt")).toString(), Qt::ISODateWithMs);
    if (savedAt.isValid())
        info.SavedAt = savedAt;
    return info;
}

void TRecoveryStore::Remove() const
{
    QFile::remove(ExamPath());
    QFile::remove(InfoPath());
}

QString TRecoveryStore::MoveAside() const
{
    const QString aside = QDir(fFolder).filePath(
        QStringLiteral("recovery-damaged-%1.qmvx").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QFile::remove(aside);
    if (!QFile::rename(ExamPath(), aside))
        QFile::remove(ExamPath());
    QFile::remove(InfoPath());
    return aside;
}
