// The paper file, the step table and the operation-type tables.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include "CaptureLog.h"
#include "support/TestEnv.h"
#include "question/AppPaths.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"
#include "question/OperationTypes.h"
#include "question/PaperXml.h"
#include "question/StepTable.h"

using pravik::test::ScopedMemoryLog;
using pravik::test::TestEnv;

namespace {

// Writes a file into a fresh folder and returns its Windows path.
QString writeFile(const QString& name, const QByteArray& content)
{
    static int n = 0;
    const QString dir = TestEnv::freshDir(QStringLiteral("q%1").arg(++n));
    QFile f(dir + QLatin1Char('/') + name);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    return win::fromHost(dir + QLatin1Char('/') + name);
}

QByteArray paper(const QByteArray& moduleid, const QByteArray& quests)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<paper><paperinfo><moduleid>" + moduleid
        + "</moduleid></paperinfo><questions>" + quests + "</questions></paper>";
}

QByteArray quest(const QByteArray& id, const QByteArray& type = "5", const QByteArray& op = "6")
{
    return "<quest><questionid>" + id
        + "</questionid><score>10</score><questiondescription>描述</questiondescription>"
          "<questiontype>"
        + type + "</questiontype><knowledgep>知识点</knowledgep><operationtype>" + op
        + "</operationtype></quest>";
}

QByteArray stepRow(const QByteArray& knowledge, const QByteArray& para1 = "", const QByteArray& para2 = "",
                   const QByteArray& isscore = "1")
{
    QByteArray r = "<queststep><questionid>7</questionid><autoid>1</autoid><knowledge>" + knowledge
        + "</knowledge>"
          "<para1>"
        + para1 + "</para1><para2>" + para2 + "</para2>";
    for (int i = 3; i <= 9; ++i)
        r += "<para" + QByteArray::number(i) + "/>";
    return r + "<isscore>" + isscore
        + "</isscore><scoregene>1</scoregene><rightcount>0</rightcount><wrongcount>0</wrongcount></"
          "queststep>";
}

const QByteArray kGroup = "<tOperationStepGroups><groupid>1</groupid></tOperationStepGroups>";

QByteArray steps(const QByteArray& rows)
{
    return "<?xml version=\"1.0\"?>\n<questionsteps>" + rows + "</questionsteps>";
}

QByteArray gbkBase64(const QString& name)
{
    QStringEncoder enc("GB18030");
    const QByteArray bytes = enc.encode(name);
    return bytes.toBase64();
}

} // namespace

TEST(PaperXml, Cases)
{
    struct Case {
        const char* what;
        QByteArray xml;
        bool ok;
        qint32 questionid;
        qint32 operationtype;
    };
    const QByteArray dtd = "<?xml version=\"1.0\"?>\n<!DOCTYPE paper [<!ENTITY x \"123\">]>\n"
                           "<paper><paperinfo><moduleid>1</moduleid></paperinfo><questions>"
        + quest("&x;") + "</questions></paper>";
    const Case cases[] = {
        {"plain", paper("3", quest("1234")), true, 1234, 6},
        {"moduleid 0", paper("0", quest("1234")), false, 99, 99},
        {"empty quest keeps launch values", paper("3", "<quest/>"), true, 99, 99},
        {"two quests: the first counts", paper("3", quest("11", "5", "7") + quest("22", "5", "8")), true, 11,
         7},
        {"leading zeros", paper("3", quest("0012")), true, 12, 6},
        {"questionid 0", paper("3", quest("0")), false, 99, 99},
        {"operationtype 0", paper("3", quest("5", "5", "0")), false, 99, 99},
        {"questionid not a number", paper("3", quest("12a")), false, 99, 99},
        {"no questions element", "<paper><paperinfo><moduleid>3</moduleid></paperinfo></paper>", false, 99,
         99},
        {"malformed", "<paper><paperinfo><moduleid>3</moduleid>", false, 99, 99},
        {"document type declaration", dtd, false, 99, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPaperInfo info;
        info.questionid = 99;
        info.operationtype = 99;
        const QString path = writeFile(QStringLiteral("Paper.xml"), c.xml);
        EXPECT_EQ(ReadPaperXml(path, info), c.ok);
        EXPECT_EQ(info.questionid, c.questionid);
        EXPECT_EQ(info.operationtype, c.operationtype);
    }
}

TEST(PaperXml, ReadsEveryValueAndLogs)
{
    ScopedMemoryLog log;
    TPaperInfo info;
    const QString path = writeFile(
        QStringLiteral("Paper.xml"),
        paper("7",
              "<quest><questionid>42</questionid><score>12.5</score>"
              "<questiondescription>做题</questiondescription><questiontype>5</questiontype>"
              "<knowledgep>表格</knowledgep><operationtype>7</operationtype></quest>"));
    ASSERT_TRUE(ReadPaperXml(path, info));
    EXPECT_EQ(info.moduleid, 7);
    EXPECT_DOUBLE_EQ(info.score, 12.5);
    EXPECT_EQ(info.questiondescription, QStringLiteral("做题"));
    EXPECT_EQ(info.knowledgep, QStringLiteral("表格"));
    EXPECT_EQ(info.questiontype, 5);
    EXPECT_EQ(log->lines,
              (QStringList{QStringLiteral("TwebServer.ReadPaperXml In"),
                           QStringLiteral("TwebServer.ReadPaperXml Out")}));
    EXPECT_FALSE(ReadPaperXml(win::fromHost(TestEnv::root()) + QStringLiteral("\\none.xml"), info));
}

TEST(StepTable, GroupRowsFirstAreSkippedWithoutGaps)
{
    TTamryQuestionStepInfos table;
    const QString path = writeFile(
        QStringLiteral("7.xml"),
        steps(kGroup + kGroup + stepRow("6002", "a") + kGroup + stepRow("7002", "b")));
    ASSERT_TRUE(GetPaperQuestionStep(table, path));
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0].knowledge, QStringLiteral("6002"));
    EXPECT_EQ(table[1].para1, QStringLiteral("b"));
    // A filled table is not read again.
    EXPECT_TRUE(GetPaperQuestionStep(table, QStringLiteral("Z:\\does\\not\\exist.xml")));
}

TEST(StepTable, FailuresAreLoggedThreeTimes)
{
    const struct {
        const char* what;
        QByteArray xml;
    } cases[] = {
        {"missing element", steps("<queststep><knowledge>6002</knowledge></queststep>")},
        {"document type declaration",
         "<?xml version=\"1.0\"?><!DOCTYPE questionsteps [<!ENTITY a \"b\">]><questionsteps/>"},
        {"wrong top element", "<steps/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedMemoryLog log;
        TTamryQuestionStepInfos table;
        EXPECT_FALSE(GetPaperQuestionStep(table, writeFile(QStringLiteral("s.xml"), c.xml)));
        EXPECT_TRUE(table.isEmpty());
        ASSERT_EQ(log->lines.size(), 3);
        for (const QString& l : log->lines)
            EXPECT_TRUE(l.startsWith(QStringLiteral("TDM.GetPaperQuestionStep ERROR: "))) << qPrintable(l);
    }
}

TEST(StepTable, LookupsOnTheTable)
{
    TTamryQuestionStepInfos table;
    ASSERT_TRUE(GetPaperQuestionStep(
        table,
        writeFile(QStringLiteral("7.xml"),
                  steps(stepRow("6002", gbkBase64(QStringLiteral("春天.doc")), "", "1")
                        + stepRow("6002", "c2Vjb25k", "", "0")
                        + stepRow("8002", "", gbkBase64(QStringLiteral("演示.ppt"))) + stepRow("6002", "")
                        + stepRow("14001")
                        + stepRow("7002", "  " + gbkBase64(QStringLiteral("表.xls")) + " ")))));
    TTamryQuestionStepInfo current;
    ASSERT_TRUE(FindStepByKnowledge(table, QStringLiteral("6002"), current));
    EXPECT_EQ(current.isscore, QStringLiteral("1")); // the first of the two 6002 steps
    current.autoid = QStringLiteral("kept");
    EXPECT_FALSE(FindStepByKnowledge(table, QStringLiteral("6002 "), current));
    EXPECT_EQ(current.autoid, QStringLiteral("kept"));

    EXPECT_TRUE(HasKnowledgeGroup(table, 14));
    EXPECT_TRUE(HasKnowledgeGroup(table, 8));
    EXPECT_FALSE(HasKnowledgeGroup(table, 13));

    QStringList expected;
    ASSERT_TRUE(ExpectedSaveFiles(table, 7, expected));
    EXPECT_EQ(expected,
              (QStringList{QStringLiteral("7|春天.doc"), QStringLiteral("7|second"),
                           QStringLiteral("7|演示.ppt"), QStringLiteral("7|表.xls")}));

    QString answer;
    MatchSavedFiles(table, 7,
                    {QStringLiteral("Y:\\7\\春天.DOC"), QStringLiteral("Y:\\7\\other.doc"),
                     QStringLiteral("y:\\7\\表.xls")},
                    answer, {QStringLiteral("7=7|表.xls")}, QStringLiteral("Y:\\7\\"));
    EXPECT_EQ(answer, QStringLiteral("7|表.xls<>7|春天.doc"));
}

TEST(StepTable, KnowledgeThatIsNotANumberRaises)
{
    TTamryQuestionStepInfos table;
    ASSERT_TRUE(GetPaperQuestionStep(
        table, writeFile(QStringLiteral("7.xml"), steps(stepRow("6002") + stepRow("abc")))));
    EXPECT_THROW(HasKnowledgeGroup(table, 14), EConvertError);
    QStringList list;
    EXPECT_THROW(ExpectedSaveFiles(table, 7, list), EConvertError);
}

TEST(StepTable, IpStepLevel)
{
    const struct {
        QByteArray xml;
        int level;
    } cases[] = {
        {steps(stepRow("19005")), 0},
        {steps(stepRow("19006")), 1},
        {steps(kGroup + stepRow("19006")), 1}, // the first "queststep", wherever it stands
        {"<questionsteps/>", 0},
        {steps("<queststep><autoid>1</autoid></queststep>"), 0},
        {"not xml", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml.constData());
        EXPECT_EQ(IpStepLevel(writeFile(QStringLiteral("Step.xml"), c.xml)), c.level);
    }
    EXPECT_EQ(IpStepLevel(QStringLiteral("Z:\\no\\Step.xml")), 0);
}

// One row per operation type: how its exercise starts, the desktop mode, what the
// answer archive keeps and whether its program path must name an existing file. The
// start sequence, the answer archive and the desktop all branch on these columns.
TEST(OperationTypes, EveryTypeStartsAndKeepsItsAnswerAsTheTableSays)
{
    using M = TStartMode;
    using K = TAnswerKeeping;
    struct Row {
        int type;
        TStartMode start;
        int desktopMode;
        TAnswerKeeping keeping;
        bool pathMustExist;
    };
    const Row rows[] = {
        {1, M::Nothing, 0, K::AnswerText, false},
        {2, M::Nothing, 0, K::AnswerText, false},
        {3, M::Program, 0, K::AnswerText, true},
        {4, M::SimulatedDesktop, 4, K::AnswerText, false},
        {5, M::Explorer, 0, K::DesktopShortcuts, false},
        {6, M::FileStart, 0, K::DocumentMark, true},
        {7, M::FileStart, 0, K::DocumentMark, true},
        {8, M::FileStart, 0, K::DocumentMark, true},
        {9, M::Program, 0, K::AnswerText, true},
        {10, M::Program, 0, K::Favorites, false},
        {11, M::Typing, 0, K::AnswerText, false},
        {12, M::Program, 0, K::AnswerText, true},
        {13, M::Program, 0, K::AnswerText, true},
        {14, M::Photoshop, 0, K::AnswerText, true},
        {15, M::Program, 0, K::AnswerText, true},
        {16, M::FileStart, 0, K::DocumentMark, true},
        {17, M::Program, 0, K::AnswerText, true},
        {18, M::Program, 0, K::AnswerText, true},
        {19, M::SimulatedDesktop, 0, K::AnswerText, false},
        {20, M::Program, 0, K::AnswerText, true},
        {21, M::Program, 0, K::AnswerText, true},
        {22, M::SimulatedDesktop, 22, K::AnswerText, false},
        {23, M::SimulatedDesktop, 23, K::AnswerText, false},
        {24, M::Explorer, 0, K::AnswerText, false},
        {25, M::Nothing, 0, K::AnswerText, false},
        {26, M::SimulatedDesktop, 26, K::OperationList, false},
        {27, M::FileStart, 0, K::AnswerText, false},
        {28, M::RecentDocuments, 0, K::AnswerText, false},
        {29, M::FileStart, 0, K::AnswerText, false},
        {30, M::MailServer, 0, K::AnswerText, true},
        {31, M::FileStart, 0, K::AnswerText, true},
        {32, M::FileStart, 0, K::AnswerText, false},
        {33, M::Program, 0, K::AnswerText, true},
        {34, M::FileStart, 0, K::AnswerText, true},
        {35, M::Program, 0, K::AnswerText, true},
        {36, M::Program, 0, K::AnswerText, true},
        {37, M::Program, 0, K::AnswerText, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        EXPECT_EQ(OperationStartMode(r.type), r.start);
        EXPECT_EQ(StartDesktopMode(r.type), r.desktopMode);
        EXPECT_EQ(OperationAnswerKeeping(r.type), r.keeping);
        EXPECT_EQ(OperationPathMustExist(r.type), r.pathMustExist);
        EXPECT_EQ(StartsSoftware(r.type),
                  r.start == M::Program || r.start == M::FileStart || r.start == M::Photoshop
                      || r.start == M::MailServer);
        EXPECT_EQ(IsBrowserQuestion(r.type), r.type == 10);
    }
    for (int outside : {0, 38, -1}) {
        EXPECT_EQ(OperationStartMode(outside), M::Nothing);
        EXPECT_EQ(OperationAnswerKeeping(outside), K::AnswerText);
        EXPECT_FALSE(StartsSoftware(outside));
    }
}

TEST(OperationTypes, CheckEnvResult)
{
    const struct {
        int type;
        const char* available;
        const char* result;
    } cases[] = {
        {33, "23,33", "33"}, {37, "23,33", "23"}, {6, "3,2", "2"},    {6, "4,5", ""},
        {6, "", ""},         {14, "121", "121"},  {10, "100", "100"}, {30, "100", "100"},
        {6, "12,3", "3"},    {4, "1,2,3", ""},    {11, "1", ""},      {26, "1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(CheckEnvResult(c.type, QString::fromUtf8(c.available)), QString::fromUtf8(c.result));
    }
    ScopedMemoryLog log;
    EXPECT_EQ(CheckEnvResult(28, QStringLiteral("1,2")), QString());
    EXPECT_EQ(CheckEnvResult(99, QStringLiteral("1,2")), QString());
    EXPECT_EQ(log->lines,
              (QStringList{QStringLiteral("CheckEnvResult ERROR: 位置操作类型=28 "),
                           QStringLiteral("CheckEnvResult ERROR: 位置操作类型=99 ")}));
}

TEST(OperationTypes, NamesAndVersions)
{
    const struct {
        int type;
        const char* name;
    } names[] = {
        {4, "IIS设置题"}, {8, "Powerpoint"}, {19, "IP设置题"},   {22, "上传下载题"},  {23, "IE设置题"},
        {28, ""},         {29, "wordpad"},   {31, "ACDSee 5.0"}, {34, "Fotocanvas3"}, {37, "Powerpoint 2007"},
        {0, ""},          {38, ""}};
    for (const auto& n : names)
        EXPECT_EQ(GetOperationName(n.type, true), QString::fromUtf8(n.name)) << n.type;
    EXPECT_EQ(GetOperationName(22, false), QStringLiteral("UpDown"));
    EXPECT_EQ(GetOperationName(6, false), QStringLiteral("Word"));
    // Every listed type has a name except 28, and every code of a type's list a version name.
    for (int t = 1; t <= 37; ++t) {
        EXPECT_EQ(GetOperationName(t).isEmpty(), t == 28) << t;
        for (const QString& code : OperationVersionCodes(t).split(QLatin1Char(','), Qt::SkipEmptyParts))
            EXPECT_FALSE(GetSoftVersionName(code.toInt()).isEmpty()) << t << " " << qPrintable(code);
    }
    EXPECT_EQ(GetSoftVersionName(121), QStringLiteral("PhotoShop CS3"));
    EXPECT_EQ(GetSoftVersionName(170), QStringLiteral("画图"));
    EXPECT_EQ(GetSoftVersionName(6), QString());
    EXPECT_EQ(GetSoftVersionName(44), QStringLiteral("Outlook 2010"));
}

TEST(OperationTypes, ProgramPaths)
{
    using win::Hive;
    win::RegWriteString(Hive::HKCR, QStringLiteral("wordhtmlfile\\shell\\open\\command"), QString(),
                        QStringLiteral("\"C:\\Office\\WINWORD.EXE\" /n /dde \"%1\""));
    win::RegWriteString(Hive::HKCR, QStringLiteral("Flash.Doc\\shell\\open\\command"), QString(),
                        QStringLiteral("\"C:\\Flash\\Flash.exe\" %1"));
    win::RegWriteString(Hive::HKCR, QStringLiteral("excelhtmlfile\\shell\\open\\command"), QString(),
                        QStringLiteral("\"C:\\Office\\EXCEL.EXE\""));
    win::RegWriteString(
        Hive::HKLM,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\FotoCanvas3.exe"), QString(),
        QStringLiteral("\"C:\\FC3\\FotoCanvas3.exe\""));

    EXPECT_EQ(GetAppPath(QStringLiteral("wordhtmlfile")), QStringLiteral("C:\\Office\\WINWORD.EXE /n"));
    EXPECT_EQ(GetAppPath(QStringLiteral("excelhtmlfile")), QStringLiteral("C:\\Office\\EXCEL.EXE"));
    EXPECT_EQ(GetAppPath(QStringLiteral("nosuchclass")), QString());

    const struct {
        int type;
        const char* path;
    } cases[] = {
        {6, "C:\\Office\\WINWORD.EXE /n"},
        {35, "C:\\Office\\WINWORD.EXE /n"},
        {7, "C:\\Office\\EXCEL.EXE"},
        {13, "C:\\Flash\\Flash.exe"}, // third class of the list
        {8, ""},
        {34, "C:\\FC3\\FotoCanvas3.exe"},
        {31, ""},
        {11, "打字题"},
        {10, "IEXPLORE.EXE"},
        {30, "MailBox\\AspServer.exe"},
        {99, "w"},
        {28, "w"},
        {26, "w"},
        {22, "FTP"},
        {27, ""}, // mspaint.exe cannot be started here
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetOpPathByOpId(c.type), QString::fromUtf8(c.path)) << c.type;
}
