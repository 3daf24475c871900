// Pictures of the windows with Chinese text, rendered offscreen into the build
// folder's "shots" (for looking at them); the test checks that each window renders
// at its size and that its text is drawn with a font that has the glyphs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QTextEdit>
#include <QPainter>
#include <QRawFont>
#include <QTest>

#include "AppTestSupport.h"
#include "app/AppArt.h"
#include "app/GuiPrompts.h"
#include "app/ufrmMessage.h"
#include "app/ufrmTamryShowMessage.h"
#include "app/ufrmTool.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

namespace {

class ShotTool : public TfrmTool {
public:
    bool StartExercise() override { return true; }
};

QString shotsDir()
{
    const QString d = QString::fromUtf8(PRAVIK_SHOTS_DIR);
    QDir().mkpath(d);
    return d;
}

bool hasCjkGlyphs(const QFont& f)
{
    const QRawFont raw = QRawFont::fromFont(f);
    return raw.supportsCharacter(QChar(0x8003)); // 考
}

TEST(Shots, ToolbarAndPrompts)
{
    std::unique_ptr<TDM> dm;
    if (!DM)
        dm = std::make_unique<TDM>();
    auto previous = SetPrompts(std::make_unique<TGuiPrompts>());

    // A question picture as the website would serve it.
    QImage pic(340, 520, QImage::Format_RGB32);
    pic.fill(Qt::white);
    {
        QPainter p(&pic);
        p.setFont(appart::Font(QStringLiteral("宋体"), 16, true));
        p.setPen(QColor(0x17, 0x4f, 0x86));
        p.drawText(QRect(12, 10, 316, 30), Qt::AlignLeft, QStringLiteral("Excel 操作题"));
        p.setFont(appart::Font(QStringLiteral("宋体"), 14));
        p.setPen(Qt::black);
        p.drawText(QRect(12, 48, 316, 460), Qt::TextWordWrap,
                   QStringLiteral("打开考生文件夹中的工作簿“成绩表.xlsx”，完成下列操作：\n\n"
                                  "1. 在 Sheet1 的 F 列计算每位同学的总分；\n"
                                  "2. 按总分降序排列数据；\n"
                                  "3. 为 A1:F1 设置加粗、居中；\n"
                                  "4. 以原文件名保存。"));
    }
    const QString picHost = pravik::test::TestEnv::freshDir(QStringLiteral("shots"))
        + QStringLiteral("/q.png");
    ASSERT_TRUE(pic.save(picHost));

    {
        ShotTool tool;
        ASSERT_TRUE(tool.LoadPaperImage(win::fromHost(picHost)));
        tool.btnDo->show();
        tool.show();
        QTest::qWait(50);
        const QPixmap shot = tool.grab();
        EXPECT_EQ(shot.size(), QSize(381, 535));
        EXPECT_TRUE(shot.save(shotsDir() + QStringLiteral("/toolbar.png")));
        EXPECT_TRUE(hasCjkGlyphs(tool.labOpPath->font()));
    }

    const struct {
        const char* file;
        int style;
        bool ask;
        bool second;
        const char* text;
    } prompts[] = {
        {"prompt_style1.png", 1, false, false, "请到Tamry网进行练习！"},
        {"prompt_style2.png", 2, true, false, "请确保已做好保存，否则会影响评分。\r\n确认提交？"},
        {"prompt_style3.png", 3, false, false,
         "考生作答目录不存在。\r\n系统即将关闭，请在Tamry网上重新练习本题。"},
        {"prompt_style4.png", 4, false, false,
         "创建系统目录失败: \r\nD:\\StuExamData\\20240105093012\\20240105093012\\1024\\\r\n"
         "请检查磁盘是否已满或只读。\r\n第四行\r\n第五行\r\n第六行\r\n第七行"},
        {"prompt2_ask.png", 4, true, true,
         "当前电脑没有安装以下版本的软件：\r\n1. Microsoft Office Excel "
         "2010\r\n\r\n没有正确安装该版本软件将会影响本次练习的作答与评分哦~"},
    };
    for (const auto& c : prompts) {
        SCOPED_TRACE(c.file);
        QSize size;
        bool cjk = false;
        apptest::OnNextModal([&](QWidget* w) {
            auto* frm = static_cast<TfrmTamryShowMessage*>(w);
            const QPixmap shot = frm->grab();
            size = shot.size();
            shot.save(shotsDir() + QStringLiteral("/") + QString::fromLatin1(c.file));
            cjk = hasCjkGlyphs(frm->lblInfo1->font()) && hasCjkGlyphs(frm->edtInfo->font());
            QTest::mouseClick(c.second ? static_cast<QWidget*>(frm->btnCancel) : frm->btnOK, Qt::LeftButton);
        });
        const QString text = QString::fromUtf8(c.text);
        if (c.second)
            AskPrompt2(text, c.style, QStringLiteral("提示信息"));
        else if (c.ask)
            AskPrompt(text, c.style, QStringLiteral("提示信息"));
        else
            ShowPrompt(text, c.style, QStringLiteral("提示信息"));
        EXPECT_EQ(size, QSize(506, 298));
        EXPECT_TRUE(cjk);
    }

    ShowNotice(QStringLiteral("答案已自动保存。"), 100);
    ASSERT_TRUE(frmMessage);
    QTest::qWait(20);
    const QPixmap notice = frmMessage->grab();
    EXPECT_EQ(notice.size(), QSize(309, 215));
    notice.save(shotsDir() + QStringLiteral("/notice.png"));
    frmMessage->close();

    SetPrompts(std::move(previous));
}

} // namespace
