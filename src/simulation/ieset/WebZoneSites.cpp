#include "simulation/ieset/WebZoneSites.h"

#include <QKeyEvent>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/DelimitedText.h"
#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmIESet.h"

TWebZoneSites::TWebZoneSites(int setting, QWidget* parent) : QDialog(parent), m_setting(setting)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(simart::DrawIcon(setting == 4 ? simart::Icon::Trusted : simart::Icon::Restricted, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* intro = new QLabel(
        QStringLiteral("可以添加和删除该区域的网站。该区域中的所有网站都具有该区域的安全设置。"));
    intro->setWordWrap(true);
    top->addWidget(icon);
    top->addWidget(intro, 1);

    txtWeb = new QLineEdit;
    txtWeb->setObjectName(QStringLiteral("txtWeb"));
    btAdd = new QPushButton(QStringLiteral("添加"));
    btAdd->setObjectName(QStringLiteral("btAdd"));
    btAdd->setDefault(true);
    btAdd->setAutoDefault(true);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(txtWeb, 1);
    addRow->addWidget(btAdd);

    lbWebList = new QListWidget;
    lbWebList->setObjectName(QStringLiteral("lbWebList"));
    lbWebList->setMinimumHeight(110);
    btDel = new QPushButton(QStringLiteral("删除"));
    btDel->setObjectName(QStringLiteral("btDel"));
    btDel->setAutoDefault(false);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(lbWebList, 1);
    auto* delCol = new QVBoxLayout;
    delCol->addWidget(btDel);
    delCol->addStretch();
    listRow->addLayout(delCol);

    btOK = new QPushButton(QStringLiteral("确定"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setAutoDefault(false);
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btOK);
    bottom->addWidget(btCancel);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(new QLabel(QStringLiteral("将该网站添加到区域中(&D):")));
    v->addLayout(addRow);
    if (setting == 5)
        v->addWidget(new QLabel(QStringLiteral("网站(&W):")));
    else
        v->addSpacing(6);
    v->addLayout(listRow);
    if (setting == 4) {
        auto* https = new QCheckBox(QStringLiteral("对该区域中的所有站点要求服务器验证(https:)(&S)"));
        https->setObjectName(QStringLiteral("ckHttps"));
        https->setChecked(true);
        v->addWidget(https);
    }
    v->addLayout(bottom);
    resize(400, 330);
    sim::ShowMnemonics(this);

    for (const QString& site : delimited::Split(IESettings().value(setting), QLatin1Char('#')))
        lbWebList->addItem(site);

    connect(btAdd, &QPushButton::clicked, this, &TWebZoneSites::btAddClick);
    connect(btDel, &QPushButton::clicked, this, &TWebZoneSites::btDelClick);
    connect(btOK, &QPushButton::clicked, this, &TWebZoneSites::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::close);
}

void TWebZoneSites::btAddClick()
{
    const QString site = txtWeb->text().trimmed();
    if (site.isEmpty())
        return;
    for (int i = 0; i < lbWebList->count(); ++i)
        if (lbWebList->item(i)->text().compare(site, Qt::CaseInsensitive) == 0)
            return;
    lbWebList->addItem(site);
    txtWeb->clear();
}

void TWebZoneSites::btDelClick()
{
    const int row = lbWebList->currentRow();
    if (row >= 0 && lbWebList->currentItem() && lbWebList->currentItem()->isSelected())
        delete lbWebList->takeItem(row);
}

void TWebZoneSites::btOKClick()
{
    QStringList sites;
    for (int i = 0; i < lbWebList->count(); ++i)
        sites << lbWebList->item(i)->text();
    IESettings()[m_setting] = delimited::Join(sites, QLatin1Char('#')).trimmed();
    close();
}

void TWebZoneSites::keyPressEvent(QKeyEvent* e)
{
    if (sim::SwallowsDialogKey(e)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
