// Makes the demo question bank and file cloud:
//
//   tavelko_demo_gen OUTDIR
//
// OUTDIR/ftp        the file cloud: web/Tavelko (catalogue), web/Tavelko/Models, web/DataBase
// OUTDIR/demo.sql   the question bank's content, for the schema in sql/schema.sql
//
// The same generator always makes the same content.

#include "DemoPicture.h"
#include "DemoQuestion.h"
#include "UnitAtomicSave.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>
#include <stdexcept>

namespace {

struct TPartSpec
{
    QString format;
    int count;
    int quotient, denominator;
    bool lead;
    int coef;
    QString subProportion;
};

struct TSubjectSpec
{
    int baseIndex; // container number, 1-based, in DemoSubjects() order
    QList<TPartSpec> parts;
};

struct TModelSpec
{
    int index;
    QString guid;
    QString name;
    int seconds;
    int warning;
    QList<TSubjectSpec> subjects;
};

const QString Classic = QStringLiteral("#");
const QString Digits = QStringLiteral("(######)");
const QString Match = QStringLiteral("[#####][#####][#####]");

QList<TModelSpec> Models()
{
    const TPartSpec mathClassic{Classic, 12, 1, 1, true, 4, "1"};
    return {
        {1, "{3F2B8C10-6D4E-4A51-9B7C-1E2D3F4A5B61}", "Mathematics practice", 30 * 60, 5 * 60,
         {{1, {mathClassic, {Digits, 5, 2, 1, false, 1, "1"}, {Match, 2, 3, 1, false, 1, "1"}}},
          {3, {{Classic, 6, 1, 1, true, 4, "1"}, {Digits, 3, 2, 1, false, 1, "1"}}}}},
        {2, "{9C4D2E7A-1B3F-4E8D-A6C5-7F0B1D2E3C48}", "Physics and units", 40 * 60, 5 * 60,
         {{2, {{Classic, 10, 3, 2, true, 3, "0.6"}, {Digits, 4, 2, 1, false, 1, "0.5"}}},
          {4, {{Classic, 8, 1, 1, true, 4, "1"}, {Digits, 3, 2, 1, false, 1, "1"}, {Match, 3, 3, 1, false, 1, "1"}}}}},
        {3, "{51E8A0B3-C2D4-4F6A-8B9C-0D1E2F3A4B5C}", "Full mock exam", 90 * 60, 10 * 60,
         {{1, {{Classic, 15, 1, 1, true, 4, "1"}, {Digits, 5, 2, 1, false, 1, "1"}, {Match, 2, 3, 1, false, 1, "1"}}},
          {2, {{Classic, 10, 3, 2, true, 3, "0.5"}, {Digits, 4, 2, 1, false, 1, "0.5"}}},
          {3, {{Classic, 8, 1, 1, true, 4, "1"}, {Digits, 4, 2, 1, false, 1, "1"}}},
          {4, {{Classic, 6, 1, 1, true, 4, "1"}, {Digits, 2, 2, 1, false, 1, "1"}, {Match, 2, 3, 1, false, 1, "1"}}}}},
    };
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    SaveFileAtomically(path, bytes);
}

// Catalogue texts are UTF-8 with a byte-order mark and CR LF line ends.
void WriteText(const QString &path, const QStringList &lines)
{
    WriteBytes(path, "\xEF\xBB\xBF" + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

QStringList ModelDefinition(const TModelSpec &model, const QList<TDemoSubject> &subjects)
{
    QStringList lines{"#Model", "#GUID = " + model.guid, "#Predmets"};
    int index = 0;
    for (const TSubjectSpec &subject : model.subjects) {
        const TDemoSubject &demo = subjects.at(subject.baseIndex - 1);
        lines << "  #Predmet" << "    #Name = " + demo.name << QStringLiteral("    #Index = %1").arg(++index)
              << QStringLiteral("    #BaseIndex = %1").arg(subject.baseIndex)
              << QStringLiteral("    #SubExists = %1").arg(demo.HasSubBranches() ? "True" : "False") << "    #Parts";
        for (const TPartSpec &part : subject.parts) {
            const QString blank = part.format.repeated(part.count);
            lines << "      #Part" << "        #Format = " + part.format << "        #Answer = " + blank
                  << "        #UserAnswer = " + blank << QStringLiteral("        #Quotient = %1").arg(part.quotient)
                  << QStringLiteral("        #Denominator = %1").arg(part.denominator)
                  << QStringLiteral("        #WrongRightLead = %1").arg(part.lead ? "True" : "False")
                  << QStringLiteral("        #WrongRightLeadCoef = %1").arg(part.coef)
                  << "        #SubProportion = " + part.subProportion << "      #End";
        }
        lines << "    #End" << "  #End";
    }
    lines << "#End" << "#End";
    return lines;
}

int Generate(const QString &out)
{
    const QString ftp = out + QStringLiteral("/ftp");
    const QList<TDemoSubject> subjects = DemoSubjects();

    QStringList structure{"DataBase#"};
    QStringList sql{"-- The demo question bank, made by tavelko_demo_gen.", "SET NAMES utf8mb4;",
                    "DELETE FROM e_all_questions;", "DELETE FROM e_versions;",
                    QStringLiteral("INSERT INTO e_versions (version) VALUES (%1);").arg(TAVELKO_VERSION)};
    TDemoRandom random(20261211);
    qint64 id = 1000;
    int pictures = 0;

    for (int p = 0; p < subjects.size(); ++p) {
        const TDemoSubject &subject = subjects.at(p);
        structure << QStringLiteral("Container#%1#").arg(subject.name);
        for (int s = 0; s < subject.branches.size(); ++s) {
            const TDemoBranch &branch = subject.branches.at(s);
            if (subject.HasSubBranches())
                structure << QStringLiteral("Sub#%1#").arg(branch.name);
            for (int t = 0; t < branch.topics.size(); ++t) {
                const TDemoTopic &topic = branch.topics.at(t);
                structure << QStringLiteral("Theme#%1#").arg(topic.name);
                const QString folder = subject.HasSubBranches() ? QStringLiteral("%1/%2/%3").arg(p + 1).arg(s + 1).arg(t + 1)
                                                                : QStringLiteral("%1/%2").arg(p + 1).arg(t + 1);
                QSet<QString> seen;
                const QList<QPair<QString, int>> wanted{{Classic, topic.classic}, {Digits, topic.digits}, {Match, topic.matching}};
                for (const auto &[format, count] : wanted) {
                    for (int made = 0; made < count;) {
                        TDemoQuestion question;
                        int attempts = 0;
                        for (;; ++attempts) {
                            if (attempts == 1000)
                                throw std::runtime_error(("too few distinct questions in " + topic.name).toStdString());
                            try {
                                question = topic.make(random, format);
                            } catch (const std::logic_error &) {
                                continue; // a draw that gave too few distinct choices: draw again
                            }
                            const QString key = format + question.text + question.items.join(u'|');
                            if (!seen.contains(key)) {
                                seen.insert(key);
                                break;
                            }
                        }
                        const QString name = QStringLiteral("q%1").arg(++id);
                        const QString path = QStringLiteral("DataBase/%1/%2").arg(folder, name);
                        sql << QStringLiteral("INSERT INTO e_all_questions (Id, Format, Path, Answer) VALUES (%1, '%2', '%3', '%4');")
                                   .arg(id)
                                   .arg(question.format, path, question.answer);
                        WriteBytes(QStringLiteral("%1/web/DataBase/%2/%3.png").arg(ftp, folder, name),
                                   RenderQuestionPng(question, subject.name, topic.name));
                        ++pictures;
                        ++made;
                    }
                }
            }
        }
    }

    QStringList modelList;
    for (const TModelSpec &model : Models()) {
        modelList << QStringLiteral("%1#%2#%3#%4#%5#0#").arg(model.index).arg(model.guid, model.name).arg(model.seconds).arg(model.warning);
        WriteText(QStringLiteral("%1/web/Tavelko/Models/%2.ttprf").arg(ftp).arg(model.index), ModelDefinition(model, subjects));
    }
    WriteText(ftp + QStringLiteral("/web/Tavelko/ModelList.txt"), modelList);
    WriteText(ftp + QStringLiteral("/web/Tavelko/DB_Structure.dbstf"), structure);
    WriteBytes(out + QStringLiteral("/demo.sql"), (sql.join(u'\n') + u'\n').toUtf8());
    std::printf("%d questions with their pictures, %d exam models, in %s\n", pictures, int(Models().size()),
                qPrintable(QDir(out).absolutePath()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavelko_demo_gen OUTDIR\n");
        return 2;
    }
    try {
        return Generate(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "tavelko_demo_gen: %s\n", error.what());
        return 1;
    }
}
