#include "simulation/iis/ufrmIdentityValidate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"

SIM_REGISTER_WINDOW_WITH(TfrmIdentityValidate, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

TfrmIdentityValidate::TfrmIdentityValidate(QWidget* parent) : sim::PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmIdentityValidate"));
    setWindowTitle(QStringLiteral("身份验证方法"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIdentityValidate>() = this;

    ckAnonymous = new QCheckBox(QStringLiteral("启用匿名访问(&A)"));
    ckAnonymous->setObjectName(QStringLiteral("ckAnonymous"));
    auto* anon = new QGroupBox;
    auto* ag = new QGridLayout(anon);
    ag->addWidget(new QLabel(QStringLiteral("对匿名访问使用下列 Windows 用户帐户:")), 0, 0, 1, 3);
    ag->addWidget(new QLabel(QStringLiteral("用户名(&U):")), 1, 0);
    ag->addWidget(new QLineEdit(QStringLiteral("IUSR_SERVER")), 1, 1);
    ag->addWidget(new QPushButton(QStringLiteral("浏览(&B)...")), 1, 2);
    ag->addWidget(new QLabel(QStringLiteral("密码(&P):")), 2, 0);
    auto* pw = new QLineEdit(QStringLiteral("********"));
    pw->setEchoMode(QLineEdit::Password);
    ag->addWidget(pw, 2, 1);

    auto* auth = new QGroupBox(QStringLiteral("用户访问需经过身份验证"));
    auto* av = new QVBoxLayout(auth);
    auto* expl = new QLabel(
        QStringLiteral("使用以下身份验证方法并在下列条件下，要求用户名和密码:\n"
                       "  - 禁用了匿名访问，或\n  - 使用 NTFS 访问控制列表限制了访问权限"));
    expl->setWordWrap(true);
    av->addWidget(expl);
    ckIntegrated = new QCheckBox(QStringLiteral("集成Windows身份验证(&N)"));
    ckIntegrated->setObjectName(QStringLiteral("ckIntegrated"));
    av->addWidget(ckIntegrated);
    av->addWidget(new QCheckBox(QStringLiteral("Windows 域服务器的摘要式身份验证(&I)")));
    av->addWidget(new QCheckBox(QStringLiteral("基本身份验证(以明文形式发送密码)(&S)")));
    av->addWidget(new QCheckBox(QStringLiteral(".NET Passport 身份验证(&T)")));
    auto* dg = new QGridLayout;
    dg->addWidget(new QLabel(QStringLiteral("默认域(&D):")), 0, 0);
    dg->addWidget(new QLineEdit, 0, 1);
    auto* sel1 = new QPushButton(QStringLiteral("选择(&L)..."));
    sel1->setEnabled(false);
    dg->addWidget(sel1, 0, 2);
    dg->addWidget(new QLabel(QStringLiteral("领域(&R):")), 1, 0);
    dg->addWidget(new QLineEdit, 1, 1);
    auto* sel2 = new QPushButton(QStringLiteral("选择(&E)..."));
    sel2->setEnabled(false);
    dg->addWidget(sel2, 1, 2);
    av->addLayout(dg);

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
    v->addWidget(ckAnonymous);
    v->addWidget(anon);
    v->addWidget(auth);
    v->addLayout(buttons);
    sim::NoAutoDefault(this);
    sim::ShowMnemonics(this);

    const iis::Settings& s = IISSettings();
    ckAnonymous->setChecked(iis::IsChecked(s.value(iis::AnonymousAccess), true));
    ckIntegrated->setChecked(iis::IsChecked(s.value(iis::IntegratedAuth), true));

    connect(btOK, &QPushButton::clicked, this, &TfrmIdentityValidate::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(400, 470);
}

void TfrmIdentityValidate::btOKClick()
{
    IISSettings()[iis::AnonymousAccess] = iis::TruthText(ckAnonymous->isChecked());
    IISSettings()[iis::IntegratedAuth] = iis::TruthText(ckIntegrated->isChecked());
    close();
}
