#pragma once

// A small catalogue on the test file cloud and its questions in the test question bank, for the
// client's GUI tests:
//   subject 1 "Algebra", no sub-branches, topics 1..5 with three "#" questions each and two
//   three-group questions in topic 1;
//   subject 2 "Physics", sub-branches "Mechanics" and "Electricity", two topics each with two
//   "#" and one "(######)" question per topic;
//   model 1 "Small": Algebra 4 x "#" and 1 three-group; Physics 5 x "#" half and half,
//   2 x "(######)";
//   model 2 "Gone": a definition whose identifier the model list does not carry;
//   model 3 "Too many": Algebra 50 x "#".

#include "ServerEnv.h"
#include "UnitSqlConnection.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

namespace ClientFixture {

inline void Put(const QString &relative, const QByteArray &content)
{
    const QString path = QDir(FtpRoot()).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray Picture(const QString &label)
{
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(qHash(label) % 360, 80, 240));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray Definition(const QString &guid, const QString &subjects)
{
    return ("#Model\r\n#GUID = " + guid + "\r\n#Predmets\r\n" + subjects + "#End\r\n#End\r\n").toUtf8();
}

inline QString Subject(const QString &name, int baseIndex, bool sub, const QString &parts)
{
    return QStringLiteral("#Predmet\r\n#Name = %1\r\n#Index = %2\r\n#BaseIndex = %2\r\n#SubExists = %3\r\n#Parts\r\n%4#End\r\n#End\r\n")
        .arg(name)
        .arg(baseIndex)
        .arg(sub ? "True" : "False")
        .arg(parts);
}

inline QString Part(const QString &format, int count, const QString &proportion = "1")
{
    const QString blank = format.repeated(count);
    return QStringLiteral("#Part\r\n#Format = %1\r\n#Answer = %2\r\n#UserAnswer = %2\r\n#Quotient = 1\r\n#Denominator = 1\r\n"
                          "#WrongRightLead = True\r\n#WrongRightLeadCoef = 4\r\n#SubProportion = %3\r\n#End\r\n")
        .arg(format, blank, proportion);
}

inline void Sql(TSqlConnection &connection, const QString &statement, const QList<QVariant> &values = {})
{
    TSqlStatement query(connection, statement);
    query.Bind(values);
    query.Execute();
}

// Writes everything; returns the number of questions.
inline int Install()
{
    Put("web/Tavelko/ModelList.txt", "1#G-SMALL#Small#10800#600#0#\r\n2#G-GONE-LISTED#Gone#600#60#0#\r\n"
                                     "3#G-MANY#Too many#3600#300#0#\r\n");
    Put("web/Tavelko/DB_Structure.dbstf",
        "DataBase#\r\nContainer#Algebra#\r\nTheme#A1#\r\nTheme#A2#\r\nTheme#A3#\r\nTheme#A4#\r\nTheme#A5#\r\n"
        "Container#Physics#\r\nSub#Mechanics#\r\nTheme#M1#\r\nTheme#M2#\r\nSub#Electricity#\r\nTheme#E1#\r\nTheme#E2#\r\n");
    Put("web/Tavelko/Models/1.ttprf",
        Definition("G-SMALL", Subject("Algebra", 1, false, Part("#", 4) + Part("[#####][#####][#####]", 1)) +
                                  Subject("Physics", 2, true, Part("#", 5, "0.5") + Part("(######)", 2, "0.5"))));
    Put("web/Tavelko/Models/2.ttprf", Definition("G-NOT-IN-THE-LIST", Subject("Algebra", 1, false, Part("#", 1))));
    Put("web/Tavelko/Models/3.ttprf", Definition("G-MANY", Subject("Algebra", 1, false, Part("#", 50))));

    TSqlConnection connection(TServerConfig::Load());
    connection.Open();
    Sql(connection, "DELETE FROM e_all_questions");
    Sql(connection, "DELETE FROM e_messages");
    int id = 100, count = 0;
    auto add = [&](const QString &folder, const QString &format, const QString &answer) {
        const QString path = QStringLiteral("DataBase/%1/q%2").arg(folder).arg(++id);
        Sql(connection, "INSERT INTO e_all_questions (Id, Format, Path, Answer) VALUES (?, ?, ?, ?)", {id, format, path, answer});
        Put("web/DataBase/" + path.section(u'/', 1) + ".png", Picture(path));
        ++count;
    };
    for (int topic = 1; topic <= 5; ++topic)
        for (int i = 0; i < 3; ++i)
            add(QStringLiteral("1/%1").arg(topic), "#", QString(QChar(u'A' + i)));
    add("1/1", "[#####][#####][#####]", "[A####][#B###][##C##]");
    add("1/1", "[#####][#####][#####]", "[####E][###D#][A####]");
    for (int sub = 1; sub <= 2; ++sub)
        for (int topic = 1; topic <= 2; ++topic) {
            add(QStringLiteral("2/%1/%2").arg(sub).arg(topic), "#", "B");
            add(QStringLiteral("2/%1/%2").arg(sub).arg(topic), "#", "C");
            add(QStringLiteral("2/%1/%2").arg(sub).arg(topic), "(######)", "(4.2###)");
        }
    return count;
}

} // namespace ClientFixture
