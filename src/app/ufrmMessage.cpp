#include "app/ufrmMessage.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include "app/WindowDrag.h"

QPointer<TfrmMessage> frmMessage;

TfrmMessage::TfrmMessage(QWidget* parent) : TfrmBase(parent)
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("消息提示框"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(309, 215);
    setModal(false);

    TntImage1 = new QLabel(this);
    TntImage1->setObjectName(QStringLiteral("TntImage1"));
    TntImage1->setGeometry(0, 0, 309, 215);
    TntImage1->setScaledContents(true);
    TntImage1->setPixmap(appart::NoticeBackground(QSize(309, 215)));

    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setGeometry(25, 67, 259, 94);
    lblMsg->setFont(appart::Font(QStringLiteral("宋体"), 16));
    lblMsg->setStyleSheet(QStringLiteral("color: red; background: transparent;"));
    lblMsg->setWordWrap(true);
    lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    btnClose = new appart::TBitBtn(appart::Face::Small, this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setText(QStringLiteral("关闭"));
    btnClose->setFont(appart::Font(QStringLiteral("宋体"), 13));
    btnClose->setGeometry(122, 162, 63, 23);
    btnClose->setCursor(Qt::PointingHandCursor);
    connect(btnClose, &QAbstractButton::clicked, this, &TfrmMessage::btnCloseClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TfrmMessage::Timer1Timer);

    TWindowDrag::Attach(TntImage1, this, TWindowDrag::OnPress);
}

void TfrmMessage::ShowMsg(const QString& text, int count)
{
    lblMsg->setText(text);
    Count = count;
    if (isVisible())
        AlignText(); // a new notice replaces the text and the countdown of the shown one
    show();
    raise();
    activateWindow();
    repaint();
}

void TfrmMessage::AlignText()
{
    const QFontMetrics fm(lblMsg->font());
    if (fm.horizontalAdvance(lblMsg->text()) < lblMsg->width())
        lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else
        lblMsg->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TfrmMessage::showEvent(QShowEvent* e)
{
    TfrmBase::showEvent(e);
    Timer1->start();
    AlignText();
}

void TfrmMessage::hideEvent(QHideEvent* e)
{
    Timer1->stop();
    TfrmBase::hideEvent(e);
}

void TfrmMessage::Timer1Timer()
{
    --Count;
    QCoreApplication::processEvents();
    if (Count <= 0) {
        Timer1->stop();
        close();
    }
}

void TfrmMessage::btnCloseClick() { close(); }

void TfrmMessage::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        close();
        return;
    }
    TfrmBase::keyPressEvent(e);
}

void TamryShowNotice(const QString& text, int count)
{
    if (!frmMessage)
        frmMessage = new TfrmMessage();
    frmMessage->ShowMsg(text, count);
}
