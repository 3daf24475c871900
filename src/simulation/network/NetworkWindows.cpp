#include "simulation/network/NetworkWindows.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QStyle>
#include <QToolButton>

#include "simulation/desktop/ufrmOperationMain.h"

namespace net {

void AddToDesktop(QWidget* w)
{
    if (TfrmOperationMain* desk = sim::Ref<TfrmOperationMain>().data())
        desk->AddOwnedWindow(w);
}

QWidget* ExplorerMenuBar(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    for (const char* c : {"文件(&F)", "编辑(&E)", "查看(&V)", "收藏(&A)", "工具(&T)", "帮助(&H)"})
        bar->addMenu(QString::fromUtf8(c));
    return bar;
}

QWidget* ExplorerToolBar(QWidget* parent, bool backEnabled, QWidget** backButton, QWidget** upButton)
{
    auto* bar = new QToolBar(parent);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setMovable(false);
    auto arrowButton = [bar](const QString& caption, bool enabled) {
        auto* b = new QToolButton;
        b->setText(caption);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        b->setMenu(new QMenu(b));
        b->setAutoRaise(true);
        b->setEnabled(enabled);
        bar->addWidget(b);
        return b;
    };
    QToolButton* back = arrowButton(QStringLiteral("后退"), backEnabled);
    back->setObjectName(QStringLiteral("btBack"));
    if (backButton)
        *backButton = back;
    arrowButton(QStringLiteral("前进"), false);
    if (upButton) {
        bar->addSeparator();
        auto* up = new QToolButton;
        up->setObjectName(QStringLiteral("btUp"));
        up->setArrowType(Qt::UpArrow);
        up->setAutoRaise(true);
        bar->addWidget(up);
        *upButton = up;
    }
    bar->addSeparator();
    bar->addAction(QStringLiteral("搜索"));
    bar->addAction(QStringLiteral("文件夹"));
    if (upButton) {
        auto* views = new QToolButton; // the caption-less views button of the FTP window
        views->setObjectName(QStringLiteral("btViews"));
        views->setIcon(bar->style()->standardIcon(QStyle::SP_FileDialogListView));
        views->setAutoRaise(true);
        bar->addWidget(views);
    }
    return bar;
}

} // namespace net
