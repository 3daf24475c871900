#include "simulation/ieset/ufrmLanSet.h"

#include <QKeyEvent>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmIESet.h"

SIM_REGISTER_WINDOW_WITH(TfrmLanSet, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

TfrmLanSet::TfrmLanSet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLanSet"));
    setWindowTitle(QStringLiteral("局域网(LAN)设置"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmLanSet>() = this;

    auto* auto_ = new QGroupBox(QStringLiteral("自动配置"));
    auto* av = new QVBoxLayout(auto_);
    auto* autoText = new QLabel(
        QStringLiteral("自动配置会覆盖手动设置。要确保使用手动设置，请禁用自动配置。"));
    autoText->setWordWrap(true);
    av->addWidget(autoText);
    av->addWidget(new QCheckBox(QStringLiteral("自动检测设置(&A)")));
    av->addWidget(new QCheckBox(QStringLiteral("使用自动配置脚本(&S)")));
    auto* scriptRow = new QHBoxLayout;
    scriptRow->addSpacing(18);
    scriptRow->addWidget(new QLabel(QStringLiteral("地址(&R)   ")));
    auto* script = new QLineEdit;
    script->setEnabled(false);
    scriptRow->addWidget(script, 1);
    av->addLayout(scriptRow);

    auto* proxy = new QGroupBox(QStringLiteral("代理服务器"));
    auto* pv = new QVBoxLayout(proxy);
    auto* useProxy = new QCheckBox(
        QStringLiteral("为 LAN 使用代理服务器(&X) (这些设置不会应用于拨号或 VPN 连接)。"));
    useProxy->setChecked(true);
    pv->addWidget(useProxy);
    auto* addrRow = new QHBoxLayout;
    addrRow->addSpacing(18);
    addrRow->addWidget(new QLabel(QStringLiteral("地址(&E):")));
    txtIP = new QLineEdit;
    txtIP->setObjectName(QStringLiteral("txtIP"));
    addrRow->addWidget(txtIP, 1);
    addrRow->addWidget(new QLabel(QStringLiteral("端口(&T):")));
    txtPort = new QLineEdit;
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setFixedWidth(50);
    addrRow->addWidget(txtPort);
    auto* advanced = new QPushButton(QStringLiteral(" 高级(&C)..."));
    advanced->setAutoDefault(false);
    addrRow->addWidget(advanced);
    pv->addLayout(addrRow);
    auto* dlRow = new QHBoxLayout;
    dlRow->addSpacing(18);
    ckDL = new QCheckBox(QStringLiteral("对于本地地址不使用代理服务器(&B)"));
    ckDL->setObjectName(QStringLiteral("ckDL"));
    dlRow->addWidget(ckDL, 1);
    pv->addLayout(dlRow);

    btOK = new QPushButton(QStringLiteral("确定"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btOK);
    bottom->addWidget(btCancel);

    auto* v = new QVBoxLayout(this);
    v->addWidget(auto_);
    v->addWidget(proxy);
    v->addLayout(bottom);
    resize(420, 330);
    sim::ShowMnemonics(this);

    const QMap<int, QString>& s = IESettings();
    txtIP->setText(s.value(3));
    txtPort->setText(s.value(6));
    const QString dl = s.value(12);
    ckDL->setChecked(dl == QLatin1String("1") || dl.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);

    connect(ckDL, &QCheckBox::clicked, this, &TfrmLanSet::ckDLClick);
    connect(btOK, &QPushButton::clicked, this, &TfrmLanSet::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &TfrmLanSet::btCancelClick);
}

void TfrmLanSet::ckDLClick()
{
    IESettings()[12] = ckDL->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
}

void TfrmLanSet::btOKClick()
{
    IESettings()[3] = txtIP->text().trimmed();
    IESettings()[6] = txtPort->text().trimmed();
    close();
}

void TfrmLanSet::btCancelClick() { close(); }

void TfrmLanSet::keyPressEvent(QKeyEvent* e)
{
    if (sim::SwallowsDialogKey(e)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
