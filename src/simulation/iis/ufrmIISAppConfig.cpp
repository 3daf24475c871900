#include "simulation/iis/ufrmIISAppConfig.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"

SIM_REGISTER_WINDOW_WITH(TfrmIISAppConfig, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

TfrmIISAppConfig::TfrmIISAppConfig(QWidget* parent) : sim::PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmIISAppConfig"));
    setWindowTitle(QStringLiteral("应用程序配置"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIISAppConfig>() = this;

    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* pv = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("应用程序配置"));
    auto* g = new QGridLayout(group);
    ckSession = new QCheckBox(QStringLiteral("启用会话状态(&S)"));
    ckSession->setObjectName(QStringLiteral("ckSession"));
    g->addWidget(ckSession, 0, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("会话超时(&T):")), 1, 0);
    auto* timeout = new QLineEdit(QStringLiteral("20"));
    timeout->setFixedWidth(50);
    g->addWidget(timeout, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("分钟")), 1, 2);
    ckBuffer = new QCheckBox(QStringLiteral("启用缓冲(&B)"));
    ckBuffer->setObjectName(QStringLiteral("ckBuffer"));
    g->addWidget(ckBuffer, 2, 0, 1, 3);
    ckParent = new QCheckBox(QStringLiteral("启用父目录(&P)"));
    ckParent->setObjectName(QStringLiteral("ckParent"));
    g->addWidget(ckParent, 3, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("默认 ASP 语言(&L):")), 4, 0);
    g->addWidget(new QLineEdit(QStringLiteral("VBScript")), 4, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("ASP 脚本超时(&M):")), 5, 0);
    auto* asp = new QLineEdit(QStringLiteral("90"));
    asp->setFixedWidth(50);
    g->addWidget(asp, 5, 1);
    g->addWidget(new QLabel(QStringLiteral("秒")), 5, 2);
    pv->addWidget(group);
    pv->addStretch();
    tabs->addTab(page, QStringLiteral("应用程序选项"));

    btOK = new QPushButton(QStringLiteral("确定"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    buttons->addWidget(new QPushButton(QStringLiteral("帮助")));
    auto* v = new QVBoxLayout(this);
    v->addWidget(tabs, 1);
    v->addLayout(buttons);
    sim::NoAutoDefault(this);
    sim::ShowMnemonics(this);

    const iis::Settings& s = IISSettings();
    ckSession->setChecked(iis::IsChecked(s.value(iis::SessionState), true));
    ckBuffer->setChecked(iis::IsChecked(s.value(iis::Buffering), true));
    ckParent->setChecked(iis::IsChecked(s.value(iis::ParentPaths), true));

    connect(btOK, &QPushButton::clicked, this, &TfrmIISAppConfig::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(380, 300);
}

void TfrmIISAppConfig::btOKClick()
{
    iis::Settings& s = IISSettings();
    s[iis::SessionState] = iis::TruthText(ckSession->isChecked());
    s[iis::Buffering] = iis::TruthText(ckBuffer->isChecked());
    s[iis::ParentPaths] = iis::TruthText(ckParent->isChecked());
    close();
}
