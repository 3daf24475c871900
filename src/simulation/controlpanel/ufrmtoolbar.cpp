#include "simulation/controlpanel/ufrmtoolbar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"

SIM_REGISTER_WINDOW(Tfrmtoolbar)

namespace {

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QCheckBox* check(const QString& caption, bool checked, const char* name = nullptr)
{
    auto* c = new QCheckBox(caption);
    if (name)
        c->setObjectName(QString::fromLatin1(name));
    c->setChecked(checked);
    return c;
}

// A small picture of the taskbar as the options set it.
QPixmap taskbarPreview()
{
    QPixmap pm(QSize(330, 26));
    pm.fill(QColor(49, 106, 197));
    QPainter p(&pm);
    p.fillRect(QRect(0, 2, 60, 22), QColor(60, 150, 70));
    cpart::Text(p, QRect(6, 2, 54, 22), QStringLiteral("开始"), 12, true, Qt::white);
    p.fillRect(QRect(270, 0, 60, 26), QColor(14, 150, 230));
    cpart::Text(p, QRect(272, 0, 56, 26), QStringLiteral("12:00"), 11, false, Qt::white, Qt::AlignCenter);
    return pm;
}

} // namespace

Tfrmtoolbar::Tfrmtoolbar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmtoolbar"));
    setWindowTitle(QStringLiteral("任务栏和「开始」菜单属性"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    setFixedSize(393, 411);

    pgToolbar = new QTabWidget;
    pgToolbar->setObjectName(QStringLiteral("pgToolbar"));
    tsTaskbar = buildTaskbarPage();
    tsStartMenu = buildStartMenuPage();
    pgToolbar->addTab(tsTaskbar, QStringLiteral("任务栏"));
    pgToolbar->addTab(tsStartMenu, QStringLiteral("「开始」菜单"));
    pgToolbar->setCurrentWidget(tsTaskbar);

    btOK = button("btOK", QStringLiteral("确定"));
    btCancel = button("btCancel", QStringLiteral("取消"));
    btApply = button("btApply", QStringLiteral("应用(&A)"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btOK);
    row->addWidget(btCancel);
    row->addWidget(btApply);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(pgToolbar, 1);
    v->addLayout(row);

    // Creation: the settings recorded earlier.
    ck_hideToolbar->setChecked(sim::Slot(0) == QStringLiteral("隐藏"));
    if (sim::Slot(13) == QStringLiteral("1"))
        chooseMenu(false);
    else if (sim::Slot(13) == QStringLiteral("2"))
        chooseMenu(true);

    connect(btOK, &QPushButton::clicked, this, &Tfrmtoolbar::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(btApply, &QPushButton::clicked, this, &Tfrmtoolbar::btApplyClick);
    connect(rbStartMenu, &QRadioButton::clicked, this, &Tfrmtoolbar::rbStartMenuClick);
    connect(rbClassicMenu, &QRadioButton::clicked, this, &Tfrmtoolbar::rbClassicMenuClick);
    sim::ShowMnemonics(this);
}

QWidget* Tfrmtoolbar::buildTaskbarPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* look = new QGroupBox(QStringLiteral("任务栏外观"));
    auto* lv = new QVBoxLayout(look);
    auto* preview = new QLabel;
    preview->setPixmap(taskbarPreview());
    lv->addWidget(preview);
    lv->addWidget(check(QStringLiteral("锁定任务栏(&L)"), true));
    ck_hideToolbar = check(QStringLiteral("自动隐藏任务栏(&U)"), false, "ck_hideToolbar");
    lv->addWidget(ck_hideToolbar);
    lv->addWidget(check(QStringLiteral("将任务栏保持在其它窗口的前端(&T)"), false));
    lv->addWidget(check(QStringLiteral("分组相似任务栏按钮(&G)"), false));
    lv->addWidget(check(QStringLiteral("显示快速启动(&Q)"), false));
    v->addWidget(look);
    auto* tray = new QGroupBox(QStringLiteral("通知区域"));
    auto* tv = new QVBoxLayout(tray);
    tv->addWidget(check(QStringLiteral("显示时钟(&K)"), true));
    auto* text = new QLabel(QStringLiteral("您可以将最近没有点过的图标隐藏起来以便保持通知区域不乱。"));
    text->setWordWrap(true);
    tv->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(check(QStringLiteral("隐藏不活动的图标(&H)"), true), 1);
    row->addWidget(button("btCustomTray", QStringLiteral("自定义(&C)...")));
    tv->addLayout(row);
    v->addWidget(tray);
    v->addStretch();
    return page;
}

QWidget* Tfrmtoolbar::buildStartMenuPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* pics = new QWidget;
    pics->setFixedSize(150, 110);
    imgStartMenu = new QLabel(pics);
    imgStartMenu->setObjectName(QStringLiteral("imgStartMenu"));
    imgStartMenu->setPixmap(cpart::StartMenuPreview(false));
    imgStartMenu->setGeometry(0, 0, 150, 110);
    imgClassicMenu = new QLabel(pics);
    imgClassicMenu->setObjectName(QStringLiteral("imgClassicMenu"));
    imgClassicMenu->setPixmap(cpart::StartMenuPreview(true));
    imgClassicMenu->setGeometry(0, 0, 150, 110);
    imgClassicMenu->hide();
    v->addWidget(pics, 0, Qt::AlignHCenter);

    auto* group = new QButtonGroup(page);
    auto* g = new QGridLayout;
    rbStartMenu = new QRadioButton(QStringLiteral("「开始」菜单(&S) "));
    rbStartMenu->setObjectName(QStringLiteral("rbStartMenu"));
    btCustomStart = button("btCustomStart", QStringLiteral("自定义(&C)..."));
    auto* t1 = new QLabel(QStringLiteral("选择此菜单样式可以轻松访问 Internet、电子邮件和您最喜爱的程序。"));
    t1->setWordWrap(true);
    rbClassicMenu = new QRadioButton(QStringLiteral("经典「开始」菜单(&M)"));
    rbClassicMenu->setObjectName(QStringLiteral("rbClassicMenu"));
    btCustomClassic = button("btCustomClassic", QStringLiteral("自定义(&C)..."));
    auto* t2 = new QLabel(QStringLiteral("选择此选项可以使用以前版本的 Windows 中的菜单样式。"));
    t2->setWordWrap(true);
    group->addButton(rbStartMenu);
    group->addButton(rbClassicMenu);
    g->addWidget(rbStartMenu, 0, 0);
    g->addWidget(btCustomStart, 0, 1);
    g->addWidget(t1, 1, 0, 1, 2);
    g->addWidget(rbClassicMenu, 2, 0);
    g->addWidget(btCustomClassic, 2, 1);
    g->addWidget(t2, 3, 0, 1, 2);
    v->addLayout(g);
    v->addStretch();
    return page;
}

void Tfrmtoolbar::chooseMenu(bool classic)
{
    rbStartMenu->setChecked(!classic);
    rbClassicMenu->setChecked(classic);
    btCustomStart->setEnabled(!classic);
    btCustomClassic->setEnabled(classic);
    imgStartMenu->setVisible(!classic);
    imgClassicMenu->setVisible(classic);
}

void Tfrmtoolbar::rbStartMenuClick() { chooseMenu(false); }
void Tfrmtoolbar::rbClassicMenuClick() { chooseMenu(true); }

void Tfrmtoolbar::RecordActivePage()
{
    if (pgToolbar->currentWidget() == tsStartMenu) {
        if (rbStartMenu->isChecked())
            sim::SetSlot(13, QStringLiteral("1"));
        else if (rbClassicMenu->isChecked())
            sim::SetSlot(13, QStringLiteral("2"));
        return;
    }
    const bool hide = ck_hideToolbar->isChecked();
    if (TfrmOperationMain* desk = sim::Ref<TfrmOperationMain>().data())
        desk->SetTaskbarVisible(!hide);
    sim::SetSlot(0, hide ? QStringLiteral("隐藏") : QStringLiteral("显示"));
}

void Tfrmtoolbar::btOKClick()
{
    RecordActivePage();
    close();
}

void Tfrmtoolbar::btApplyClick()
{
    RecordActivePage();
    btApply->setEnabled(false);
}
