#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The two catalogue texts on the file cloud: the model list ("ModelList.txt") and the topic
// structure ("DB_Structure.dbstf"), with their records and lookups.

struct TModelRec
{
    QString GUID;
    qint32 Index = 0;
    qint32 ExamTime = 0;
    qint32 WarningTime = 0;
    qint32 Price = 0;
};

struct TModelListItem
{
    QString Name;
    TModelRec Rec;
};
using TModelList = QList<TModelListItem>;

struct TBaseRec
{
    qint32 PredmetIndex = 0;
    qint32 SubIndex = 0;
    qint32 ThemeIndex = 0;
    bool Check = true; // the learner knows this theme; all start marked
    QString Text;
};

struct TStructureItem
{
    QString Text;
    TBaseRec Rec;
};
using TStructureList = QList<TStructureItem>;

// Takes the remaining line up to the first "#", removes it with the "#" and returns it trimmed.
// Returns false, leaving both arguments alone, when no "#" terminates the field.
bool NextField(QString &rest, QString &field);

// Both raise TTavelkoError on a line that lacks a terminator or holds a number that is not an
// integer; no list is produced then. Blank lines carry nothing and are passed over.
TModelList ParseModelList(const QStringList &lines);
TStructureList ParseStructure(const QStringList &lines);

// The first record whose three numbers match, or nullptr. The pointer lives as long as the list
// is not changed.
const TBaseRec *FindStructureRec(const TStructureList &list, qint32 predmetIndex, qint32 subIndex,
                                 qint32 themeIndex);
TBaseRec *FindStructureRec(TStructureList &list, qint32 predmetIndex, qint32 subIndex,
                           qint32 themeIndex);

// The largest marked theme number of a container or sub-branch, never less than 1.
qint32 GetMaxThemeIndex(const TStructureList &list, qint32 predmetIndex, qint32 subIndex);

// "%2.2d:%2.2d:%2.2d" of hours, minutes and seconds; hours are not limited to two digits.
QString FormatSeconds(qint32 seconds);
