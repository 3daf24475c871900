#include "common/Prompts.h"

namespace {
std::unique_ptr<IPrompts>& slot()
{
    static std::unique_ptr<IPrompts> p;
    return p;
}
} // namespace

std::unique_ptr<IPrompts> SetPrompts(std::unique_ptr<IPrompts> prompts)
{
    std::swap(slot(), prompts);
    return prompts;
}

IPrompts* Prompts() { return slot().get(); }

bool ShowPrompt(const QString& text, int style, const QString& title)
{
    return Prompts() ? Prompts()->ShowPrompt(text, style, title) : false;
}
bool AskPrompt(const QString& text, int style, const QString& title)
{
    return Prompts() ? Prompts()->AskPrompt(text, style, title) : false;
}
bool ShowPrompt2(const QString& text, int style, const QString& title)
{
    return Prompts() ? Prompts()->ShowPrompt2(text, style, title) : false;
}
bool AskPrompt2(const QString& text, int style, const QString& title)
{
    return Prompts() ? Prompts()->AskPrompt2(text, style, title) : false;
}
void ShowNotice(const QString& text, int count)
{
    if (Prompts())
        Prompts()->ShowNotice(text, count);
}
void AppMessageBox(const QString& text, const QString& caption)
{
    if (Prompts())
        Prompts()->MessageBox(text, caption);
}
