#pragma once
// The prompt windows as the non-GUI code sees them. The GUI installs the real windows
// at start-up; tests install a scripted responder. Without an installed
// implementation every prompt is answered as closed (false) and logged nowhere.
#include <QString>
#include <memory>

// The title of almost every prompt of the client.
inline const QString kPromptTitle = QStringLiteral("提示信息");

class IPrompts {
public:
    virtual ~IPrompts() = default;
    // Styles: 1 large centred label, 2 centred on white, 3 left-aligned on white,
    // 4 and any other value a read-only scrolling text box.
    virtual bool ShowPrompt(const QString& text, int style, const QString& title) = 0;
    virtual bool AskPrompt(const QString& text, int style, const QString& title) = 0;
    virtual bool ShowPrompt2(const QString& text, int style, const QString& title) = 0;
    virtual bool AskPrompt2(const QString& text, int style, const QString& title) = 0;
    virtual void ShowNotice(const QString& text, int count) = 0;
    // A standard system message box with an OK button.
    virtual void MessageBox(const QString& text, const QString& caption) = 0;
};

// Installs the implementation (takes ownership); returns the previous one.
std::unique_ptr<IPrompts> SetPrompts(std::unique_ptr<IPrompts> prompts);
IPrompts* Prompts();

bool ShowPrompt(const QString& text, int style, const QString& title);
bool AskPrompt(const QString& text, int style, const QString& title);
bool ShowPrompt2(const QString& text, int style, const QString& title);
bool AskPrompt2(const QString& text, int style, const QString& title);
void ShowNotice(const QString& text, int count);
void AppMessageBox(const QString& text, const QString& caption);
