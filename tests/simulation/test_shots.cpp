// Pictures of the desktop (type 26) and of every page of "Internet 属性", for
// looking at: written to the build folder's shots/ (or $PRAVIK_SHOTS_DIR).
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "platform/WinPaths.h"

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/ieset/ufrmIESet.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "support/TestEnv.h"

namespace {

QString shotsDir()
{
    QString dir = qEnvironmentVariable("PRAVIK_SHOTS_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(PRAVIK_SHOTS_DEFAULT);
    QDir().mkpath(dir);
    return dir;
}

TEST(Shots, DesktopAndInternetOptions)
{
    TQuestion q;
    q.OperationType = 26;
    sim::SetCurrentQuestion(&q);

    const QString pic = pravik::test::TestEnv::freshDir("shot") + "/desc.png";
    QImage img(300, 340, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(sim::SongFont(14));
        p.drawText(QRect(10, 10, 280, 320), Qt::TextWordWrap,
                   QStringLiteral("题目：清空回收站，并把任务栏设置为自动隐藏。"));
    }
    img.save(pic);

    auto* d = new TfrmOperationMain;
    d->lblCurrOpTitle->setText(QStringLiteral("当前操作题为：Windows Virtual"));
    d->SetOperation(26);
    d->DescPicturePath = win::fromHost(pic);
    d->resize(1024, 700);
    d->show();
    simtest::pump(50);
    const QImage desk = d->grab().toImage();
    ASSERT_FALSE(desk.isNull());
    // The taskbar runs along the bottom edge, the desktop blue above it.
    EXPECT_EQ(d->Panel2->geometry().bottom(), d->height() - 1);
    EXPECT_EQ(QColor(desk.pixel(500, 300)), QColor(0, 78, 152));
    EXPECT_TRUE(desk.save(shotsDir() + "/desktop26.png"));

    auto* w = qobject_cast<TfrmIESet*>(sim::OpenWindow("TfrmIESet"));
    ASSERT_TRUE(w);
    for (int i = 0; i < w->pgIE->count(); ++i) {
        w->pgIE->setCurrentIndex(i);
        simtest::pump(20);
        const QImage page = w->grab().toImage();
        ASSERT_FALSE(page.isNull());
        EXPECT_TRUE(page.save(shotsDir() + QStringLiteral("/ieset_page%1.png").arg(i)));
    }
    delete w;
    delete d;
    sim::SetCurrentQuestion(nullptr);
}

} // namespace
