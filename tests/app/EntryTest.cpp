// The program entry's pieces: the launch address on the command line and the
// program-file test of the hand-over.
#include <gtest/gtest.h>

#include "app/AppEntry.h"
#include "platform/WinPaths.h"

namespace {

struct LaunchCase {
    const char* name;
    QStringList params;
    const char* expected;
};

const LaunchCase kLaunch[] = {
    {"plain",
     {"KelTamry-EXERCISE://127.0.0.1:8080/index.php/exercise/launch?id=7"},
     "127.0.0.1:8080/index.php/exercise/launch?id=7"},
    {"blanks_and_mixed_case_prefix",
     {"   kelTAMRY-exercise://Site.Example/Launch?Q=AbC  "},
     "Site.Example/Launch?Q=AbC"},
    {"first_of_two", {"KelTamry-EXERCISE://first/a", "KelTamry-EXERCISE://second/b"}, "first/a"},
    {"other_parameters_ignored", {"-debug", "C:\\x y", "KelTamry-EXERCISE://host/p"}, "host/p"},
    {"none", {"http://127.0.0.1/launch"}, ""},
    {"no_parameters", {}, ""},
    {"prefix_only", {"KelTamry-EXERCISE://"}, ""},
    // The prefix inside a parameter: as many leading characters as the prefix has
    // are cut from the trimmed parameter.
    {"prefix_not_at_start", {"xKelTamry-EXERCISE://host"}, "/host"},
};

class LaunchAddress : public ::testing::TestWithParam<LaunchCase> { };

TEST_P(LaunchAddress, Extracted)
{
    EXPECT_EQ(ExtractLaunchData(GetParam().params), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchAddress, ::testing::ValuesIn(kLaunch),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HandOver, ProgramFileExtensionMustBeTheExecutableSuffix)
{
    // On Linux the program file has no extension (the platform's suffix is "").
    ASSERT_EQ(win::ExecutableSuffix(), QString());
    const struct {
        const char* file;
        bool ok;
    } cases[] = {
        {"prjPractice", true},      {" prjPractice ", true},   {"prjPractice.exe", false},
        {"prjPractice.EXE", false}, {"prjPractice.sh", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFileCanHandOver(QString::fromUtf8(c.file)), c.ok) << c.file;
}

TEST(HandOver, NoRunningWindowMeansGoOn)
{
    // Handle 0: the send answers 0 and the newcomer starts normally.
    EXPECT_TRUE(NotifyRunningInstance(0));
}

} // namespace
