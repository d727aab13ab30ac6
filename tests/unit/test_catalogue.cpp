#include "TavelkoError.h"
#include "UnitCatalogue.h"
#include "UnitTextLines.h"

#include <gtest/gtest.h>

namespace {

TStructureList SampleStructure()
{
    return ParseStructure({"DataBase#", "Container#A#", "Theme#a1#", "Sub#S1#", "Theme#s1#", "Theme#s2#",
                           "Sub#S2#", "Theme#t1#", "Container#B#", "Theme#b1#"});
}

} // namespace

TEST(Structure, NumbersContainersSubBranchesAndThemes)
{
    struct Row { qint32 p, s, t; const char *text; };
    const Row expected[] = {{0, 0, 0, "DataBase"}, {1, 0, 0, "A"}, {1, 0, 1, "a1"}, {1, 1, 0, "S1"},
                            {1, 1, 1, "s1"}, {1, 1, 2, "s2"}, {1, 2, 0, "S2"}, {1, 2, 1, "t1"},
                            {2, 0, 0, "B"}, {2, 0, 1, "b1"}};
    const TStructureList list = SampleStructure();
    ASSERT_EQ(list.size(), std::size(expected));
    for (qsizetype i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].Rec.PredmetIndex, expected[i].p);
        EXPECT_EQ(list[i].Rec.SubIndex, expected[i].s);
        EXPECT_EQ(list[i].Rec.ThemeIndex, expected[i].t);
        EXPECT_EQ(list[i].Text, QString::fromUtf8(expected[i].text));
        EXPECT_EQ(list[i].Rec.Text, list[i].Text);
        EXPECT_TRUE(list[i].Rec.Check);
    }
}

TEST(Structure, UnknownKindKeepsCountersAndHasNoText)
{
    const TStructureList list = ParseStructure({"  DataBase#", "Container # Physics #", "Note#whatever#", "Theme#x#"});
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[1].Text, "Physics");
    EXPECT_EQ(list[2].Rec.PredmetIndex, 1);
    EXPECT_EQ(list[2].Text, "");
    EXPECT_EQ(list[3].Rec.ThemeIndex, 1);
}

TEST(Structure, LinesWithoutTerminatorAreRejected)
{
    EXPECT_THROW(ParseStructure({"DataBase#", "Container"}), TTavelkoError);
    EXPECT_THROW(ParseStructure({"DataBase#", "Theme#no end"}), TTavelkoError);
    EXPECT_EQ(ParseStructure({"DataBase#", "", "   "}).size(), 1); // blank lines carry nothing
}

TEST(Structure, FindAndMaxTheme)
{
    TStructureList list = SampleStructure();
    ASSERT_NE(FindStructureRec(list, 1, 1, 2), nullptr);
    EXPECT_EQ(FindStructureRec(list, 1, 1, 2)->Text, "s2");
    EXPECT_EQ(FindStructureRec(list, 0, 0, 0)->Text, "DataBase");
    EXPECT_EQ(FindStructureRec(list, 3, 0, 0), nullptr);

    EXPECT_EQ(GetMaxThemeIndex(list, 1, 1), 2);
    FindStructureRec(list, 1, 1, 2)->Check = false;
    EXPECT_EQ(GetMaxThemeIndex(list, 1, 1), 1);
    FindStructureRec(list, 1, 1, 1)->Check = false;
    EXPECT_EQ(GetMaxThemeIndex(list, 1, 1), 1) << "all unmarked still gives 1";
    EXPECT_EQ(GetMaxThemeIndex(list, 9, 9), 1) << "unknown numbers give 1";
}

TEST(ModelList, ParsesTrimmedFields)
{
    const TModelList list = ParseModelList({" 3 # {G-1} #  Buraxılış  imtahanı # 10800 # 600 # -5 # trailing",
                                            "7#G2#Second#60#0#0#"});
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].Name, QString::fromUtf8("Buraxılış  imtahanı"));
    EXPECT_EQ(list[0].Rec.GUID, "{G-1}");
    EXPECT_EQ(list[0].Rec.Index, 3);
    EXPECT_EQ(list[0].Rec.ExamTime, 10800);
    EXPECT_EQ(list[0].Rec.WarningTime, 600);
    EXPECT_EQ(list[0].Rec.Price, -5);
    EXPECT_EQ(list[1].Rec.Index, 7);
}

TEST(ModelList, MalformedLinesRejectTheWholeList)
{
    const QStringList bad[] = {
        {"1#G#Name#60#0#0"},              // last field lacks its terminator
        {"1#G#Name#"},                    // too few fields
        {"x#G#Name#60#0#0#"},             // index not an integer
        {"1#G#Name#3000000000#0#0#"},     // beyond 32 bits
        {"1#G#Name#$10#0#0#"},            // only plain decimal
        {"1#G#Name#60#0#0#", "2#G#N#1.5#0#0#"},
    };
    for (const QStringList &lines : bad) {
        SCOPED_TRACE(lines.join(" | ").toStdString());
        EXPECT_THROW(ParseModelList(lines), TTavelkoError);
    }
}

TEST(Catalogue, FormatSeconds)
{
    EXPECT_EQ(FormatSeconds(3661), "01:01:01");
    EXPECT_EQ(FormatSeconds(0), "00:00:00");
    EXPECT_EQ(FormatSeconds(360000), "100:00:00");
    EXPECT_EQ(FormatSeconds(59), "00:00:59");
    EXPECT_EQ(FormatSeconds(-61), "00:-01:-01");
}

TEST(Catalogue, NextFieldStopsAtTheLineEnd)
{
    QString rest = " a # b#c";
    QString field;
    ASSERT_TRUE(NextField(rest, field));
    EXPECT_EQ(field, "a");
    ASSERT_TRUE(NextField(rest, field));
    EXPECT_EQ(field, "b");
    EXPECT_FALSE(NextField(rest, field));
    EXPECT_EQ(rest, "c");
}

TEST(TextLines, DecodesByByteOrderMarkAndSplitsEveryLineEnd)
{
    const QString expected = QString::fromUtf8("Riyaziyyat ə\nşəkil");
    QByteArray utf16le("\xFF\xFE", 2);
    QByteArray utf16be("\xFE\xFF", 2);
    for (QChar c : expected) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        utf16le.append(lo).append(hi);
        utf16be.append(hi).append(lo);
    }
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + expected.toUtf8()), expected);
    EXPECT_EQ(DecodeText(utf16le), expected);
    EXPECT_EQ(DecodeText(utf16be), expected);
    EXPECT_EQ(DecodeText(expected.toUtf8()), expected);
    EXPECT_EQ(DecodeText("caf\xE9"), QString::fromUtf8("café")) << "not UTF-8: the 8-bit page";

    EXPECT_EQ(SplitLines("a\r\nb\rc\nd\r\n"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), QStringList());
    EXPECT_EQ(TrimBlanks(QString::fromUtf8("\t\x01 x y \x1F")), "x y");
    EXPECT_EQ(TrimBlanks(QString(QChar(0x00A0)) + "x"), QString(QChar(0x00A0)) + "x") << "only up to U+0020";
}
