#include "UnitCatalogue.h"

#include "TavelkoError.h"
#include "UnitTextLines.h"

namespace {

QString LineError(const char *file, qsizetype lineIndex, const char *what)
{
    return QStringLiteral("%1, line %2: %3").arg(QLatin1String(file)).arg(lineIndex + 1).arg(QLatin1String(what));
}

qint32 IntegerField(const QString &field, qsizetype lineIndex)
{
    qint32 value = 0;
    if (!ParseInt32(field, value))
        throw TTavelkoError(LineError("ModelList.txt", lineIndex, "\"%1\" is not a valid integer value").arg(field));
    return value;
}

} // namespace

bool NextField(QString &rest, QString &field)
{
    const qsizetype hash = rest.indexOf(u'#');
    if (hash < 0)
        return false;
    field = TrimBlanks(rest.left(hash));
    rest.remove(0, hash + 1);
    return true;
}

TModelList ParseModelList(const QStringList &lines)
{
    TModelList list;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString rest = lines.at(i);
        if (TrimBlanks(rest).isEmpty())
            continue;
        QString fields[6];
        for (QString &field : fields) {
            if (!NextField(rest, field))
                throw TTavelkoError(LineError("ModelList.txt", i, "a field lacks its \"#\" terminator"));
        }
        TModelListItem item;
        item.Name = fields[2];
        item.Rec.GUID = fields[1];
        item.Rec.Index = IntegerField(fields[0], i);
        item.Rec.ExamTime = IntegerField(fields[3], i);
        item.Rec.WarningTime = IntegerField(fields[4], i);
        item.Rec.Price = IntegerField(fields[5], i);
        list.append(item);
    }
    return list;
}

TStructureList ParseStructure(const QStringList &lines)
{
    TStructureList list;
    qint32 container = 0;
    qint32 sub = 0;
    qint32 theme = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString rest = TrimBlanks(lines.at(i));
        if (rest.isEmpty())
            continue;
        QString kind;
        if (!NextField(rest, kind))
            throw TTavelkoError(LineError("DB_Structure.dbstf", i, "the line kind lacks its \"#\" terminator"));
        QString text;
        const bool hasText = kind == u"Container" || kind == u"Sub" || kind == u"Theme";
        if (hasText && !NextField(rest, text))
            throw TTavelkoError(LineError("DB_Structure.dbstf", i, "the text lacks its \"#\" terminator"));
        if (kind == u"DataBase") {
            container = sub = theme = 0;
            text = kind;
        } else if (kind == u"Container") {
            ++container;
            sub = theme = 0;
        } else if (kind == u"Sub") {
            ++sub;
            theme = 0;
        } else if (kind == u"Theme") {
            ++theme;
        }
        list.append({text, TBaseRec{container, sub, theme, true, text}});
    }
    return list;
}

namespace {

template <typename List>
auto FindIn(List &list, qint32 predmetIndex, qint32 subIndex, qint32 themeIndex) -> decltype(&list.first().Rec)
{
    for (auto &item : list) {
        if (item.Rec.PredmetIndex == predmetIndex && item.Rec.SubIndex == subIndex && item.Rec.ThemeIndex == themeIndex)
            return &item.Rec;
    }
    return nullptr;
}

} // namespace

const TBaseRec *FindStructureRec(const TStructureList &list, qint32 predmetIndex, qint32 subIndex, qint32 themeIndex)
{
    return FindIn(list, predmetIndex, subIndex, themeIndex);
}

TBaseRec *FindStructureRec(TStructureList &list, qint32 predmetIndex, qint32 subIndex, qint32 themeIndex)
{
    return FindIn(list, predmetIndex, subIndex, themeIndex);
}

qint32 GetMaxThemeIndex(const TStructureList &list, qint32 predmetIndex, qint32 subIndex)
{
    qint32 result = 1;
    for (const TStructureItem &item : list) {
        const TBaseRec &rec = item.Rec;
        if (rec.PredmetIndex == predmetIndex && rec.SubIndex == subIndex && rec.Check && rec.ThemeIndex > result)
            result = rec.ThemeIndex;
    }
    return result;
}

QString FormatSeconds(qint32 seconds)
{
    return QString::asprintf("%2.2d:%2.2d:%2.2d", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
}
