// Window messages inside this process and between processes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>

#include <atomic>
#include <thread>

#include "HelperProcess.h"
#include "platform/WinMessages.h"

using namespace win;
using pravik::test::HelperProcess;

namespace {

QString uniqueClass() { return "T" + QUuid::createUuid().toString(QUuid::Id128); }

// Pumps events until done() or 5 s passed.
template <typename F> bool pumpUntil(F done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace

TEST(Messages, InsideOneProcess)
{
    const QString cls = uniqueClass();
    QList<unsigned> seen;
    const HWND h = RegisterWindow(cls, "Pravik", [&](unsigned msg, WPARAM w, LPARAM l) -> LRESULT {
        seen << msg;
        return LRESULT(w) + l;
    });
    ASSERT_GT(h, 0u);
    EXPECT_LE(h, 0x7FFFFFFFu);
    EXPECT_TRUE(IsWindow(h));
    struct Find {
        QString cls;
        QString caption;
        bool found;
    } finds[] = {
        {cls, "Pravik", true}, {cls.toLower(), "PRAVIK", true}, {cls, "", true},
        {"", "Pravik", true},  {cls, "Other", false},           {"NoSuchClass", "", false},
    };
    for (const auto& f : finds)
        EXPECT_EQ(FindWindow(f.cls, f.caption) == h, f.found)
            << f.cls.toStdString() << "/" << f.caption.toStdString();

    EXPECT_EQ(SendMessage(h, WM_USER + 111, 40, 2), 42);
    EXPECT_EQ(seen, (QList<unsigned>{WM_USER + 111}));

    // From another thread the call is carried out on the window's thread.
    std::atomic<LRESULT> fromThread{-1};
    std::thread worker([&] { fromThread = SendMessage(h, 1, 7, 0); });
    EXPECT_TRUE(pumpUntil([&] { return fromThread.load() != -1; }));
    worker.join();
    EXPECT_EQ(fromThread.load(), 7);

    seen.clear();
    EXPECT_TRUE(PostMessage(h, 5));
    EXPECT_TRUE(seen.isEmpty()) << "a posted message waits for the event loop";
    EXPECT_TRUE(pumpUntil([&] { return !seen.isEmpty(); }));

    SetWindowCaption(h, "Renamed");
    EXPECT_EQ(FindWindow(cls, "Renamed"), h);
    EXPECT_EQ(FindWindow(cls, "Pravik"), 0u);

    UnregisterWindow(h);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindWindow(cls, ""), 0u);
    EXPECT_EQ(SendMessage(h, WM_USER + 111), 0);
    EXPECT_FALSE(PostMessage(h, WM_USER + 111));
    EXPECT_EQ(SendMessage(0, WM_USER), 0);
    EXPECT_EQ(SendMessage(0x12345678, WM_USER), 0);
}

TEST(Messages, SentFromAnotherProcessReturnsTheHandlersResult)
{
    const QString cls = uniqueClass();
    QList<unsigned> seen;
    const HWND h = RegisterWindow(cls, "Pravik", [&](unsigned msg, WPARAM w, LPARAM l) -> LRESULT {
        seen << msg;
        return msg == WM_USER + 111 ? LRESULT(1000 + w + l) : -1;
    });
    ASSERT_NE(h, 0u);
    HelperProcess sender({"send", cls, "Pravik", QString::number(WM_USER + 111), "20", "3"});
    QString reply;
    EXPECT_TRUE(pumpUntil([&] { return sender.process().canReadLine(); }));
    reply = sender.readLine();
    EXPECT_EQ(reply, "1023");
    EXPECT_EQ(seen, (QList<unsigned>{WM_USER + 111}));
    EXPECT_EQ(HelperProcess::run({"send", cls, "NotThis", "1", "0", "0"}), "0") << "no such window";
    UnregisterWindow(h);
}

TEST(Messages, WindowOfAnotherProcess)
{
    const QString cls = uniqueClass();
    HelperProcess owner({"window", cls, "Engine"});
    const HWND h = owner.readLine().toUInt();
    ASSERT_NE(h, 0u);
    EXPECT_EQ(FindWindow(cls, "engine"), h);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 4, 2), 42);
    EXPECT_TRUE(PostMessage(h, WM_USER + 3, 9));
    EXPECT_EQ(owner.readLine(), "posted 9");
    // The handler ends its process without answering: the sender gets 0.
    EXPECT_EQ(SendMessage(h, WM_USER + 2), 0);
    EXPECT_EQ(owner.finish(), 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindWindow(cls, ""), 0u);
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 1, 1), 0);
}
