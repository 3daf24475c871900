#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "common/Base64.h"
#include "common/KelPubLib.h"

namespace {

TEST(KelPubLib, DelayWaitsMoreThanTheTimeAndPumpsOnlyWhenAsked)
{
    for (bool pump : {true, false}) {
        bool fired = false;
        QTimer::singleShot(0, [&] { fired = true; });
        const win::DWORD start = TKelPubLib::TickCount();
        QElapsedTimer wall;
        wall.start();
        TKelPubLib::Delay(60, pump);
        EXPECT_GT(TKelPubLib::TickCount() - start, 60u);
        EXPECT_GE(wall.elapsed(), 60);
        EXPECT_LT(wall.elapsed(), 2000);
        EXPECT_EQ(fired, pump) << "pump=" << pump;
        QCoreApplication::processEvents(); // let the pending timer go before the next round
    }
}

TEST(Base64, RoundTripAndInvalidInput)
{
    const QByteArray data = QByteArray("\x00\xff\xd6\xd0 binary", 11);
    bool ok = false;
    EXPECT_EQ(base64::Encode("Man"), QByteArray("TWFu"));
    EXPECT_EQ(base64::Decode(base64::Encode(data), &ok), data);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(base64::Decode("TWFu!!", &ok).isEmpty());
    EXPECT_FALSE(ok);
}

} // namespace
