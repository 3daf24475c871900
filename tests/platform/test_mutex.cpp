// The named mutex: exists while any process holds a handle.
#include <gtest/gtest.h>

#include <QUuid>

#include "HelperProcess.h"
#include "platform/WinMutex.h"

using namespace win;
using pravik::test::HelperProcess;

TEST(Mutex, ExistsWhileAnyProcessHoldsAHandle)
{
    const QString name = "Tamry网Pravik-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    HelperProcess first({"mutex", name});
    EXPECT_EQ(first.readLine(), "0") << "the first creator gets a new mutex";
    HelperProcess second({"mutex", name});
    EXPECT_EQ(second.readLine(), "183");
    first.process().closeWriteChannel();
    EXPECT_EQ(first.finish(), 0);
    HelperProcess third({"mutex", name});
    EXPECT_EQ(third.readLine(), "183") << "the second still holds it";
    second.process().closeWriteChannel();
    third.process().closeWriteChannel();
    EXPECT_EQ(second.finish(), 0);
    EXPECT_EQ(third.finish(), 0);
    HelperProcess fourth({"mutex", name});
    EXPECT_EQ(fourth.readLine(), "0") << "nobody holds it any more";
}

TEST(Mutex, SecondHandleInTheSameProcess)
{
    const QString name = "same-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    DWORD e1 = 99, e2 = 99;
    auto m1 = CreateMutex(name, true, &e1);
    auto m2 = CreateMutex(name, true, &e2);
    ASSERT_TRUE(m1 && m2);
    EXPECT_EQ(e1, ERROR_SUCCESS);
    EXPECT_EQ(e2, ERROR_ALREADY_EXISTS);
    m1.reset();
    m2.reset();
    DWORD e3 = 99;
    auto m3 = CreateMutex(name, false, &e3);
    EXPECT_EQ(e3, ERROR_SUCCESS);
}
