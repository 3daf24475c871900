// Shared main of every test executable: the application object on the offscreen
// platform (unless the caller chose another), and a private prefix, shell-open
// recorder and program folder for the whole process, so that no test touches the
// real home folder.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/TestEnv.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A child mode inherits the parent's prefix and program folder (the environment)
    // and builds its own application object when it needs one.
    int childExit = 0;
    if (pravik::test::RunChildModeIfRequested(argc, argv, childExit))
        return childExit;
    pravik::test::TestEnv::setUpProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    pravik::test::TestEnv::tearDownProcess();
    return rc;
}
