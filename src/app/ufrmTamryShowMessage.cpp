#include "app/ufrmTamryShowMessage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextEdit>

#include <exception>
#include <memory>

#include "app/WindowDrag.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"

QPointer<TfrmTamryShowMessage> frmTamryShowMessage;
QPointer<TfrmTamryShowMessage2> frmTamryShowMessage2;

namespace {
const QColor kTealText(0, 128, 128); // the form designer's clTeal

QLabel* infoLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(25, 56, 457, 161);
    l->setWordWrap(true);
    l->hide();
    return l;
}
} // namespace

TfrmTamryShowMessage::TfrmTamryShowMessage(QWidget* parent) : TfrmBase(parent)
{
    setObjectName(QStringLiteral("frmTamryShowMessage"));
    setWindowTitle(QStringLiteral("Pravik提示信息"));
    setFixedSize(506, 298);
    setModal(true);

    TntImage1 = new QLabel(this);
    TntImage1->setObjectName(QStringLiteral("TntImage1"));
    TntImage1->setGeometry(0, 0, 506, 298);
    TntImage1->setScaledContents(true);
    TntImage1->setPixmap(appart::PromptBackground(QSize(506, 298)));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(20, 8, 413, 25);
    lblTitle->setFont(appart::Font(QStringLiteral("宋体"), 21, true));
    lblTitle->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblTitle->setWordWrap(true);

    lblInfo1 = infoLabel(this, "lblInfo1");
    lblInfo1->setAlignment(Qt::AlignCenter);
    lblInfo1->setFont(appart::Font(QStringLiteral("宋体"), 21));
    lblInfo1->setStyleSheet(QStringLiteral("color: rgb(0,128,128); background: transparent;"));

    lblInfo2 = infoLabel(this, "lblInfo2");
    lblInfo2->setAlignment(Qt::AlignCenter);
    lblInfo2->setStyleSheet(QStringLiteral("color: black; background: white; padding: 4px;"));

    lblInfo3 = infoLabel(this, "lblInfo3");
    lblInfo3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblInfo3->setStyleSheet(QStringLiteral("color: black; background: white; padding: 4px;"));

    edtInfo = new QTextEdit(this);
    edtInfo->setObjectName(QStringLiteral("edtInfo"));
    edtInfo->setGeometry(25, 56, 457, 161);
    edtInfo->setFrameShape(QFrame::NoFrame);
    edtInfo->setReadOnly(true);
    edtInfo->setAcceptRichText(false);
    edtInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edtInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edtInfo->setFont(appart::Font(QStringLiteral("宋体"), 21));
    {
        QPalette pal = edtInfo->palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, kTealText);
        edtInfo->setPalette(pal);
    }
    edtInfo->hide();

    btnOK = new appart::TBitBtn(appart::Face::Primary, this, QStringLiteral("确定"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(107, 225, 140, 35);
    btnOK->setCursor(Qt::PointingHandCursor);

    btnCancel = new appart::TBitBtn(appart::Face::Secondary, this, QStringLiteral("取消"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(259, 225, 140, 35);
    btnCancel->setCursor(Qt::PointingHandCursor);

    btnExit = new appart::TBitBtn(appart::Face::Close, this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(478, 8, 24, 21);
    btnExit->setCursor(Qt::PointingHandCursor);

    connect(btnOK, &QAbstractButton::clicked, this, &TfrmTamryShowMessage::btnOKClick);
    connect(btnCancel, &QAbstractButton::clicked, this, &TfrmTamryShowMessage::btnCancelClick);
    connect(btnExit, &QAbstractButton::clicked, this, &TfrmTamryShowMessage::btnExitClick);

    TWindowDrag::Attach(TntImage1, this, TWindowDrag::OnPress);
    TWindowDrag::Attach(lblTitle, this, TWindowDrag::OnPress);
}

void TfrmTamryShowMessage::Prepare(const QString& text, int style, const QString& title, bool withCancel)
{
    if (isVisible())
        hide();
    btnCancel->setVisible(withCancel);
    if (withCancel)
        btnOK->move(width() - btnCancel->x() - btnCancel->width(), btnOK->y());
    else
        btnOK->move((width() - btnOK->width()) / 2, btnOK->y());
    edtInfo->clear();
    lblTitle->setText(title);
    lblInfo1->hide();
    lblInfo2->hide();
    lblInfo3->hide();
    edtInfo->hide();
    switch (style) {
    case 1:
        lblInfo1->setText(text);
        lblInfo1->show();
        break;
    case 2:
        lblInfo2->setText(text);
        lblInfo2->show();
        break;
    case 3:
        lblInfo3->setText(text);
        lblInfo3->show();
        break;
    default:
        edtInfo->setPlainText(text);
        edtInfo->show();
        break;
    }
    btnOK->setFocus();
}

int TfrmTamryShowMessage::ShowModal()
{
    m_inModal = true;
    const int r = exec();
    m_inModal = false;
    if (ApplicationQuitting() && isVisible())
        hide();
    return r;
}

void TfrmTamryShowMessage::btnOKClick() { done(mrOk); }

void TfrmTamryShowMessage::btnCancelClick() { done(CancelResult()); }

void TfrmTamryShowMessage::btnExitClick()
{
    done(mrCancel);
    const QString line = QStringLiteral("TfrmTamryExamHandPaperConfirm.btnExitClick");
    if (DM)
        DM->ReportAndExit(line, false, true, false);
    else
        TDM::WriteLog(line);
}

void TfrmTamryShowMessage::keyPressEvent(QKeyEvent* e)
{
    // Enter presses the focused button (OK unless the student moved the focus);
    // Escape does nothing: the window ends only through its buttons.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (btnCancel->isVisible() && btnCancel->hasFocus())
            btnCancelClick();
        else if (btnExit->hasFocus())
            btnExitClick();
        else
            btnOKClick();
        return;
    }
    if (e->key() == Qt::Key_Escape)
        return;
    TfrmBase::keyPressEvent(e);
}

TfrmTamryShowMessage2::TfrmTamryShowMessage2(QWidget* parent) : TfrmTamryShowMessage(parent)
{
    setObjectName(QStringLiteral("frmTamryShowMessage2"));
    btnOK->setFace(appart::Face::Primary, QStringLiteral("安装帮助"));
    btnCancel->setFace(appart::Face::Secondary, QStringLiteral("继续练习"));
}

namespace {

// Runs one prompt on the process-wide instance. A prompt asked for while that
// instance is itself waiting in its modal loop (a timer or a window message inside a
// prompt) is shown in a second, temporary window, since a modal loop cannot be
// entered twice on one window.
template <class T>
int RunPrompt(QPointer<T>& instance, const QString& text, int style, const QString& title, bool withCancel)
{
    static int failureDepth = 0;
    try {
        if (!instance)
            instance = new T();
        T* frm = instance;
        std::unique_ptr<T> temporary;
        if (frm->InModal()) {
            temporary = std::make_unique<T>();
            frm = temporary.get();
        }
        frm->Prepare(text, style, title, withCancel);
        if (ApplicationQuitting())
            return mrNone;
        return frm->ShowModal();
    } catch (const std::exception& e) {
        const QString msg = QStringLiteral("TfrmTamryShowMessage MsgBox ERROR: ")
            + QString::fromLocal8Bit(e.what());
        if (failureDepth == 0 && DM) {
            ++failureDepth;
            DM->ReportAndExit(msg, true, true, false);
            --failureDepth;
        } else {
            TDM::WriteLog(msg);
        }
        return mrNone;
    }
}

} // namespace

bool TamryMsgBox(const QString& text, int style, const QString& title, bool withCancel)
{
    return RunPrompt(frmTamryShowMessage, text, style, title, withCancel) == mrOk;
}

bool TamryMsgBox2(const QString& text, int style, const QString& title, bool withCancel)
{
    const int r = RunPrompt(frmTamryShowMessage2, text, style, title, withCancel);
    if (r == mrOk) {
        OpenDownloadPage();
        return false;
    }
    return r == mrIgnore;
}
