// The main of the GUI tests of the app folder: as the shared test main, but with the
// client's own application object, so that its handling of exceptions in event
// handlers is what the tests see.
#include <gtest/gtest.h>

#include "app/TApplication.h"
#include "support/TestEnv.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    pravik::test::TestEnv::setUpProcess();
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    pravik::test::TestEnv::tearDownProcess();
    return rc;
}
