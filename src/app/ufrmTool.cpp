#include "app/ufrmTool.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include <functional>

#include "app/WindowDrag.h"
#include "app/uFrmMain.h"
#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StuDirManage.h"
#include "scoring/TStuDirManage.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"

QPointer<TfrmTool> frmTool;

namespace {

const QString kNoAnswerFolder = QStringLiteral(
    "考生作答目录不存在。\r\n系统即将关闭，请在Tamry网上重新练习本题。");
const QColor kCaptionGrey(113, 113, 113);

void Log(const QString& text) { TDM::WriteLog(text); }

// Report, log and quit through the data module (log only when it does not exist).
// Reports through the data module and ends the exercise with its exit clean-up; before
// the data module exists, logs (and prompts) and ends the application.
void reportAndQuit(const QString& text, bool showBox)
{
    if (DM) {
        DM->ReportAndExit(text, showBox, true, true);
        return;
    }
    if (showBox)
        ShowPrompt(text, 1, kPromptTitle);
    Log(text);
    TerminateApplication();
}

appart::TBitBtn* toolButton(QWidget* parent, const char* name, const QString& caption, const QRect& r)
{
    auto* b = new appart::TBitBtn(appart::Face::Light, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setFont(appart::Font(QStringLiteral("微软雅黑"), 13));
    b->setTextColor(kCaptionGrey);
    b->setGeometry(r);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// The double-click of the question picture.
class DblClickFilter : public QObject {
public:
    DblClickFilter(QObject* parent, std::function<void()> fn) : QObject(parent), m_fn(std::move(fn)) { }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonDblClick) {
            m_fn();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> m_fn;
};

} // namespace

TfrmTool::TfrmTool(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTool"));
    setWindowTitle(QStringLiteral("Pravik"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(381, 535);
    setFont(appart::Font(QStringLiteral("微软雅黑"), 13));
    frmTool = this;

    TntImage1 = new QLabel(this);
    TntImage1->setObjectName(QStringLiteral("TntImage1"));
    TntImage1->setGeometry(0, -2, 381, 537);
    TntImage1->setPixmap(appart::ToolBackground(QSize(381, 537)));

    labOpPath = new QLabel(this);
    labOpPath->setObjectName(QStringLiteral("labOpPath"));
    labOpPath->setGeometry(0, 40, 376, 39);
    labOpPath->setAlignment(Qt::AlignCenter);
    labOpPath->setFont(appart::Font(QStringLiteral("微软雅黑"), 13));
    labOpPath->setStyleSheet(QStringLiteral("color: rgb(113,113,113); background: transparent;"));
    labOpPath->setText(QStringLiteral("考生文件夹: "));

    TntScrollBox1 = new QScrollArea(this);
    TntScrollBox1->setObjectName(QStringLiteral("TntScrollBox1"));
    TntScrollBox1->setGeometry(11, 90, 354, 359);
    TntScrollBox1->setFrameShape(QFrame::NoFrame);
    TntScrollBox1->setStyleSheet(QStringLiteral("QScrollArea#TntScrollBox1 { background: white; }"));
    TntScrollBox1->setWidgetResizable(false);
    TntScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    paperImage = new QLabel;
    paperImage->setObjectName(QStringLiteral("paperImage"));
    paperImage->setStyleSheet(QStringLiteral("background: white;"));
    paperImage->resize(0, 0);
    TntScrollBox1->setWidget(paperImage);
    TntScrollBox1->viewport()->setStyleSheet(QStringLiteral("background: white;"));
    paperImage->installEventFilter(new DblClickFilter(paperImage, [this] { paperImageDblClick(); }));

    btnMinimize = new appart::TBitBtn(appart::Face::Minimize, this);
    btnMinimize->setObjectName(QStringLiteral("btnMinimize"));
    btnMinimize->setGeometry(326, 8, 24, 21);
    btnMinimize->setCursor(Qt::PointingHandCursor);

    btnExit = new appart::TBitBtn(appart::Face::Close, this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(350, 8, 24, 21);

    btnOpenMat = toolButton(this, "btnOpenMat", QStringLiteral("打开素材"), QRect(32, 480, 86, 31));
    btnDo = toolButton(this, "btnDo", QStringLiteral("续做本题"), QRect(148, 480, 86, 31));
    btnDo->hide(); // shown for the desktop-set questions by the start sequence
    btnSubmit = toolButton(this, "btnSubmit", QStringLiteral("提交"), QRect(264, 480, 86, 31));

    TimerTime = new QTimer(this);
    TimerTime->setObjectName(QStringLiteral("TimerTime"));
    TimerTime->setInterval(1000);
    TimerSave = new QTimer(this);
    TimerSave->setObjectName(QStringLiteral("TimerSave"));
    TimerSave->setInterval(60000);

    connect(btnMinimize, &QAbstractButton::clicked, this, &TfrmTool::btnMinimizeClick);
    connect(btnExit, &QAbstractButton::clicked, this, &TfrmTool::btnExitClick);
    connect(btnOpenMat, &QAbstractButton::clicked, this, &TfrmTool::btnOpenMatClick);
    connect(btnDo, &QAbstractButton::clicked, this, &TfrmTool::btnDoClick);
    connect(btnSubmit, &QAbstractButton::clicked, this, &TfrmTool::btnSubmitClick);
    connect(TimerTime, &QTimer::timeout, this, &TfrmTool::TimerTimeTimer);
    connect(TimerSave, &QTimer::timeout, this, &TfrmTool::TimerSaveTimer);

    TWindowDrag::Attach(TntImage1, this, TWindowDrag::OnPress);
    TWindowDrag::Attach(labOpPath, this, TWindowDrag::OnMoveWithLeftButton);

    // The window handle that a second instance and the scoring engine find.
    m_handle = win::RegisterWindow(
        QStringLiteral("TfrmTool"), QStringLiteral("Pravik"),
        [this](unsigned msg, win::WPARAM w, win::LPARAM l) { return WndProc(msg, w, l); });

    TimerTime->start(); // enabled from creation
    FormCreate();
}

TfrmTool::~TfrmTool()
{
    TimerTime->stop();
    TimerSave->stop();
    if (m_handle)
        win::UnregisterWindow(m_handle);
    m_handle = 0;
    // Every way out of the exercise ends here; one that did not close the window (the
    // hand-in, Exit, a second start) still removes the run download folder.
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    FormDestroy();
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TfrmTool::FormCreate()
{
    Log(QStringLiteral("TfrmTool.FormCreate in "));
    // The recent-documents lists are created by their own unit when it exists.
    strCurDisk = QStringLiteral("Y");
    if (!PickFreeDrive(strCurDisk)) {
        ShowPrompt(QStringLiteral("创建系统目录失败: \r\n") + strCurDisk, 4, kPromptTitle);
        TerminateApplication();
        return;
    }
    if (pathutil::DirectoryExists(strCurDisk + QStringLiteral(":\\"))) {
        RemoveVirtualDrive(strCurDisk);
        TKelPubLib::Delay(200, true);
    }
    frmmain = new Tfrmmain(this);
    Log(QStringLiteral("TfrmTool.FormCreate out "));
    m_created = true;
}

namespace {
void placeBottomRight(QWidget* w)
{
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect a = s->availableGeometry();
    w->move(a.x() + a.width() - w->width(), a.y() + a.height() - w->height());
}
} // namespace

void TfrmTool::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    placeBottomRight(this);
    // The start sequence runs once the window is on the screen.
    QMetaObject::invokeMethod(this, &TfrmTool::FormShow, Qt::QueuedConnection);
}

void TfrmTool::FormShow()
{
    // Topmost since creation (window flags); bring it up and into the corner.
    if (!isVisible())
        show();
    raise();
    placeBottomRight(this);
    paperImage->move(0, 0);
    if (!StartExercise()) {
        TerminateApplication();
        return;
    }
    if (ApplicationQuitting())
        return;
    ShowOpPath();
}

void TfrmTool::ShowOpPath()
{
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1)
        labOpPath->setText(QStringLiteral("考生文件夹: ") + letter + QStringLiteral(":\\"));
    else
        labOpPath->setText(QStringLiteral("本题操作路径  ") + OperationPath());
}

bool TfrmTool::LoadPaperImage(const QString& winPath)
{
    QPixmap pm;
    if (!pm.load(win::toHost(winPath)))
        return false;
    paperImage->setPixmap(pm);
    paperImage->resize(pm.size());
    paperImage->move(0, 0);
    return true;
}

void TfrmTool::closeEvent(QCloseEvent* e)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    e->accept();
    if (MainForm)
        TerminateApplication();
}

void TfrmTool::FormClose()
{
    const QString dir = DM ? DM->RunDownloadDir : QString();
    if (!dir.isEmpty())
        win::SetFileAttributes(dir, win::FILE_ATTRIBUTE_NORMAL);
    if (dir.isEmpty() || !pathutil::DirectoryExists(dir)) {
        FormDestroy();
        return;
    }
    if (!DeleteDirTree(dir, false, false)) {
        ShowPrompt(QStringLiteral("删除") + dir + QStringLiteral("失败,请手动删除"), 1, kPromptTitle);
        return;
    }
    if (!win::RemoveDirectory(pathutil::ExcludeTrailingBackslash(dir))) {
        ShowPrompt(QStringLiteral("移除") + dir + QStringLiteral("失败,请手动删除"), 1, kPromptTitle);
        return;
    }
    FormDestroy();
}

void TfrmTool::FormDestroy()
{
    if (FStuDirManage) {
        delete FStuDirManage;
        FStuDirManage = nullptr;
    }
    if (FwebServer) {
        TwebServer* w = FwebServer;
        FwebServer = nullptr;
        if (FwebServerFree)
            FwebServerFree(w);
    }
    // The recent-documents lists are freed by their own unit when it exists.
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1 && pathutil::DirectoryExists(letter + QStringLiteral(":\\"))) {
        RemoveVirtualDrive(letter);
        TKelPubLib::Delay(200, true);
    }
}

// ---------------------------------------------------------------------------
// Mouse and buttons

void TfrmTool::TntImage1MouseDown(const QPoint& globalPos)
{
    if (auto* d = TntImage1->findChild<TWindowDrag*>())
        d->Begin(globalPos);
}

void TfrmTool::paperImageDblClick() { SaveAns(); }

void TfrmTool::btnMinimizeClick()
{
    showNormal();
    showMinimized();
}

void TfrmTool::btnExitClick()
{
    if (!AskPrompt(QStringLiteral("正在练习，确定要退出吗？"), 1, kPromptTitle))
        return;
    TimerTime->stop();
    TimerSave->stop();
    reportAndQuit(QStringLiteral("TfrmTool.labCloseClick QUIT"), false);
}

void TfrmTool::btnOpenMatClick()
{
    Log(QStringLiteral("TfrmTool.btnOpenMatClick In"));
    const int questId = QuestionId();
    if (questId == 0) {
        ShowPrompt(QStringLiteral("试题编号为0"), 1, kPromptTitle);
        return;
    }
    QString folder;
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1) {
        folder = letter + QStringLiteral(":\\");
        if (QuestionHasMaterial())
            folder += QString::number(questId);
    } else {
        folder = OperationPath();
    }
    if (pathutil::DirectoryExists(folder)) {
        if (win::ShellExecute(QStringLiteral("open"), QStringLiteral("explorer.exe"), folder, QString(),
                              win::SW_SHOWMAXIMIZED)
            <= 32)
            win::ShellOpen(folder);
        Log(QStringLiteral("TfrmTool.btnOpenMatClick Out"));
    } else {
        reportAndQuit(kNoAnswerFolder, true);
    }
}

void TfrmTool::btnDoClick()
{
    if (!pathutil::DirectoryExists(ExamineeFolder())) {
        reportAndQuit(kNoAnswerFolder, true);
        return;
    }
    if (!SoftStartContinue())
        ShowPrompt(QStringLiteral("启动失败,程序将退出"), 1, kPromptTitle);
}

void TfrmTool::btnSubmitClick()
{
    Log(QStringLiteral("TfrmTool.btnSubmitClick In"));
    if (!AskPrompt(QStringLiteral("请确保已做好保存，否则会影响评分。\r\n确认提交？"), 1, kPromptTitle))
        return;
    // Wait for an automatic save (or the start) to finish: the save timer is off
    // meanwhile.
    int waits = 0;
    while (!TimerSave->isActive()) {
        if (ApplicationQuitting())
            return;
        if (waits >= 12000) {
            const QString text = QStringLiteral("保存答案失败，请稍候再提交。");
            if (DM)
                DM->ReportAndExit(text, true, true, false);
            else {
                ShowPrompt(text, 1, kPromptTitle);
                Log(text);
            }
            return;
        }
        TKelPubLib::Delay(10, true);
        ++waits;
    }
    TimerTime->stop();
    TimerSave->stop();
    SaveAns();
    const QString ansFile = ExamineeFolder() + QStringLiteral("\\ans.zt");
    if (!pathutil::FileExists(ansFile)) {
        reportAndQuit(QStringLiteral("找不到作答结果文件。\r\n系统即将关闭，请在Tamry网上重新练习本题。"),
                      true);
        return;
    }
    SubmitToEngine(ansFile);
    Log(QStringLiteral("TfrmTool.btnSubmitClick Out"));
}

// ---------------------------------------------------------------------------
// Timers

void TfrmTool::TimerTimeTimer()
{
    TimerTime->stop();
    try {
        if (bPsSteps) {
            const QString sif = pathutil::ExcludeTrailingBackslash(QuestionDir())
                + QStringLiteral("\\ps.sif");
            if (RecordPsHistory(sif).isEmpty())
                return;
        }
    } catch (...) {
        // swallowed: the timer runs on
    }
    TimerTime->start();
}

void TfrmTool::TimerSaveTimer()
{
    TimerSave->stop();
    SaveAns();
    if (!ApplicationQuitting())
        TimerSave->start();
}

// ---------------------------------------------------------------------------
// Window messages

win::LRESULT TfrmTool::WndProc(unsigned msg, win::WPARAM, win::LPARAM)
{
    switch (msg) {
    case WM_PFOK:
        WMPFOK();
        return 0;
    case WM_PFFAIL:
        WMPFFAIL();
        return 0;
    case WM_USER_SHOW:
        WMUSERSHOW();
        return 0;
    default:
        return 0;
    }
}

void TfrmTool::WMPFOK()
{
    HandPaper();
    reportAndQuit(QStringLiteral("TfrmTool.WMPFOK out."), false);
}

void TfrmTool::WMPFFAIL()
{
    QString err;
    const QString pfIni = win::ProgramDir() + QStringLiteral("pf.ini");
    if (pathutil::FileExists(pfIni))
        err = TIniFile(pfIni).ReadString(QStringLiteral("PfPara"), QStringLiteral("ErrMsg")).trimmed();
    ShowPrompt(err.isEmpty() ? QStringLiteral("评分失败") : err, 1, kPromptTitle);
}

void TfrmTool::WMUSERSHOW() { reportAndQuit(QStringLiteral("TfrmTool.WM_USER_SHOW in"), false); }
