#pragma once
// The prompt interface filled with the real prompt windows; installed at program
// start so that every part of the client shows its messages in them.
#include "common/Prompts.h"

class TGuiPrompts : public IPrompts {
public:
    bool ShowPrompt(const QString& text, int style, const QString& title) override;
    bool AskPrompt(const QString& text, int style, const QString& title) override;
    bool ShowPrompt2(const QString& text, int style, const QString& title) override;
    bool AskPrompt2(const QString& text, int style, const QString& title) override;
    void ShowNotice(const QString& text, int count) override;
    void MessageBox(const QString& text, const QString& caption) override;
};

// Installs TGuiPrompts as the process's prompt implementation.
void InstallGuiPrompts();
