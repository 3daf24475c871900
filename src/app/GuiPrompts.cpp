#include "app/GuiPrompts.h"

#include <QMessageBox>

#include "app/ufrmMessage.h"
#include "app/ufrmTamryShowMessage.h"
#include "environment/unDMDB.h"

bool TGuiPrompts::ShowPrompt(const QString& text, int style, const QString& title)
{
    return TamryMsgBox(text, style, title, false);
}

bool TGuiPrompts::AskPrompt(const QString& text, int style, const QString& title)
{
    return TamryMsgBox(text, style, title, true);
}

bool TGuiPrompts::ShowPrompt2(const QString& text, int style, const QString& title)
{
    return TamryMsgBox2(text, style, title, false);
}

bool TGuiPrompts::AskPrompt2(const QString& text, int style, const QString& title)
{
    return TamryMsgBox2(text, style, title, true);
}

void TGuiPrompts::ShowNotice(const QString& text, int count) { TamryShowNotice(text, count); }

void TGuiPrompts::MessageBox(const QString& text, const QString& caption)
{
    if (ApplicationQuitting())
        return;
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
    box.exec();
}

void InstallGuiPrompts() { SetPrompts(std::make_unique<TGuiPrompts>()); }
