#include "app/ufrmBase.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

#include "app/AppArt.h"

TfrmBase::TfrmBase(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBase"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFont(appart::Font(QStringLiteral("宋体"), 13));
    lstLanguage = new QListWidget(this);
    lstLanguage->setObjectName(QStringLiteral("lstLanguage"));
    lstLanguage->addItems({QStringLiteral("信息提示"), QStringLiteral("考试系统")});
    lstLanguage->hide();
}

void TfrmBase::CentreOnDesktop()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect a = s->availableGeometry();
    move(a.x() + (a.width() - width()) / 2, a.y() + (a.height() - height()) / 2);
}

void TfrmBase::showEvent(QShowEvent* e)
{
    CentreOnDesktop();
    QDialog::showEvent(e);
}
