#pragma once
// A prompt implementation for tests: records every prompt and answers from a script.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "common/Prompts.h"

namespace pravik::test {

struct PromptRecord {
    QString kind; // "ShowPrompt", "AskPrompt", "ShowPrompt2", "AskPrompt2", "ShowNotice", "MessageBox"
    QString text;
    int style = 0; // style, or the count of a notice
    QString title;
};

class ScriptedPrompts : public IPrompts {
public:
    // Answers given in order; when the script is empty the default answer is used.
    std::deque<bool> answers;
    bool defaultAnswer = true;
    QList<PromptRecord> records;
    // Called after each prompt was recorded (e.g. to end the application).
    std::function<void(const PromptRecord&)> onPrompt;

    bool ShowPrompt(const QString& t, int s, const QString& ti) override
    {
        return answer("ShowPrompt", t, s, ti);
    }
    bool AskPrompt(const QString& t, int s, const QString& ti) override
    {
        return answer("AskPrompt", t, s, ti);
    }
    bool ShowPrompt2(const QString& t, int s, const QString& ti) override
    {
        return answer("ShowPrompt2", t, s, ti);
    }
    bool AskPrompt2(const QString& t, int s, const QString& ti) override
    {
        return answer("AskPrompt2", t, s, ti);
    }
    void ShowNotice(const QString& t, int c) override { answer("ShowNotice", t, c, {}); }
    void MessageBox(const QString& t, const QString& c) override { answer("MessageBox", t, 0, c); }

    QStringList texts() const
    {
        QStringList l;
        for (const auto& r : records)
            l << r.text;
        return l;
    }

private:
    bool answer(const QString& kind, const QString& text, int style, const QString& title)
    {
        records.append({kind, text, style, title});
        if (onPrompt)
            onPrompt(records.back());
        if (answers.empty())
            return defaultAnswer;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Installs a ScriptedPrompts for the life of the guard and restores the previous one.
class ScopedPrompts {
public:
    ScopedPrompts()
    {
        auto p = std::make_unique<ScriptedPrompts>();
        m_prompts = p.get();
        m_previous = SetPrompts(std::move(p));
    }
    ~ScopedPrompts() { SetPrompts(std::move(m_previous)); }
    ScriptedPrompts* operator->() { return m_prompts; }
    ScriptedPrompts& get() { return *m_prompts; }

private:
    ScriptedPrompts* m_prompts;
    std::unique_ptr<IPrompts> m_previous;
};

} // namespace pravik::test
