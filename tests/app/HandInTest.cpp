// The hand-in against a website that closes the connection before answering: each
// attempt is one score post, and each failed attempt is answered with the retry
// question.
#include <gtest/gtest.h>

#include "../web/DroppingServer.h"
#include "app/ufrmTool.h"
#include "environment/unDMDB.h"
#include "scoring/pfEngine.h"
#include "support/ScriptedPrompts.h"
#include "web/webServer.h"

using namespace pravik::test;

namespace {

class QuietTool : public TfrmTool {
public:
    bool StartExercise() override { return true; }
};

} // namespace

TEST(HandIn, DroppedUploadIsOneFailedAttemptEach)
{
    std::unique_ptr<TDM> dm;
    if (!DM)
        dm = std::make_unique<TDM>();
    DroppingServer site;
    ASSERT_TRUE(site.listening());
    QuietTool tool;
    TwebServer web;
    web.PaperInfo.urls.callback = site.url(QStringLiteral("/score"));
    tool.FwebServer = &web;
    ScopedPrompts prompts;
    prompts->answers = {true, false}; // retry once, then give up
    tool.HandPaper();
    tool.FwebServer = nullptr;
    const QString retry = QStringLiteral("上传练习成绩到Tamry网失败，是否重试？");
    ASSERT_EQ(prompts->records.size(), 3) << prompts->texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(prompts->records[0].text, retry);
    EXPECT_EQ(prompts->records[0].kind, QStringLiteral("AskPrompt"));
    EXPECT_EQ(prompts->records[1].text, retry);
    EXPECT_TRUE(prompts->records[2].text.startsWith(QStringLiteral("上传练习成绩到Tamry网失败!")));
    EXPECT_EQ(site.requestLines.join(QLatin1Char('|')).toStdString(),
              "POST /score HTTP/1.1|POST /score HTTP/1.1");
    ASSERT_EQ(site.bodies.size(), 2);
    EXPECT_TRUE(site.bodies[0].startsWith(QStringLiteral("scores=")));
    EXPECT_EQ(site.bodies[0], site.bodies[1]);
}
