#include "app/uFrmMain.h"

#include <QListWidget>
#include <QPointer>

namespace {
QPointer<Tfrmmain> g_frmmain;
}

Tfrmmain::Tfrmmain(QWidget* owner) : QWidget(owner)
{
    setObjectName(QStringLiteral("frmmain"));
    hide();
    lstLanguage = new QListWidget(this);
    lstLanguage->setObjectName(QStringLiteral("lstLanguage"));
    // Only entry 12 is used by this client; the entries before it are kept empty so
    // that the numbering stays that of the catalogue.
    for (int i = 0; i < 12; ++i)
        lstLanguage->addItem(QString());
    lstLanguage->addItem(QStringLiteral("当前操作题为："));
    lstLanguage->hide();
    if (!g_frmmain)
        g_frmmain = this;
}

QString Tfrmmain::Catalogue(int index) const
{
    if (index < 0 || index >= lstLanguage->count())
        return {};
    return lstLanguage->item(index)->text();
}

Tfrmmain* FrmMain() { return g_frmmain; }
