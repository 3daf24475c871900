#include "simulation/network/ufrmFTP.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/Prompts.h"
#include "environment/unDMDB.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/network/NetworkWindows.h"
#include "simulation/network/TShellListView.h"

// Every double-click on the desktop icon adds one more window, kept by the desktop
// (which adds it to its OwnedWindows itself).
SIM_REGISTER_WINDOW_WITH(TfrmFTP, [](const sim::OpenOptions& o) -> QWidget* {
    auto* w = new TfrmFTP(sim::WindowParent());
    w->setWindowFlag(Qt::Window, true);
    w->setWindowFlag(Qt::Tool, true);
    sim::Ref<TfrmFTP>() = w;
    sim::OpenOptions options = o;
    options.stayOnTop = true;
    sim::ShowWindow(w, options, true);
    return w;
})

namespace {

const QString kNoDrive = QStringLiteral(
    "没有练习用的虚拟盘，无法打开FTP服务器上的文件夹。请退出本题后重新开始练习。");

// The task pane: a box of other places (artwork only).
QPixmap taskPanePicture(const QSize& size)
{
    QPixmap pix(size);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(123, 162, 231));
    g.setColorAt(1, QColor(99, 117, 214));
    p.fillRect(pix.rect(), g);
    p.setBrush(QColor(198, 211, 247));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(12, 14, size.width() - 24, 24), 4, 4);
    p.setPen(QColor(33, 93, 198));
    p.setFont(sim::SongFont(12, true));
    p.drawText(QRect(20, 14, size.width() - 40, 24), Qt::AlignVCenter, QStringLiteral("其它位置"));
    p.fillRect(QRect(12, 38, size.width() - 24, 96), QColor(214, 223, 247));
    p.setFont(sim::SongFont(12));
    int y = 44;
    for (const char* c : {"Internet Explorer", "我的文档", "共享文档", "网上邻居"}) {
        p.setBrush(QColor(240, 200, 80));
        p.setPen(QColor(120, 100, 40));
        p.drawRect(22, y + 3, 12, 10);
        p.setPen(QColor(33, 93, 198));
        p.drawText(QRect(40, y, size.width() - 60, 18), Qt::AlignVCenter, QString::fromUtf8(c));
        y += 22;
    }
    return pix;
}

} // namespace

const QString TfrmFTP::ServerAddress = QStringLiteral("ftp://192.168.0.1");

bool TfrmFTP::IsServerAddress(const QString& text)
{
    return text.trimmed().compare(ServerAddress, Qt::CaseInsensitive) == 0;
}

QString TfrmFTP::DownloadFolderOf(const QString& driveLetter)
{
    TQuestion* q = sim::CurrentQuestion();
    if (driveLetter.trimmed().isEmpty() || !q)
        return QString();
    return driveLetter.trimmed().left(1).toUpper() + QStringLiteral(":\\") + QString::number(q->QuestionId)
        + QStringLiteral("\\DownLoad");
}

TfrmFTP::TfrmFTP(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmFTP"));
    setWindowTitle(QStringLiteral("FTP操作题"));
    setFont(sim::SongFont(12));

    auto* address = new QWidget;
    auto* ah = new QHBoxLayout(address);
    ah->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("地址(&D)"));
    ah->addWidget(label);
    txtAddress = new QLineEdit;
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    label->setBuddy(txtAddress);
    ah->addWidget(txtAddress, 1);
    btGoTo = new QPushButton(QStringLiteral("转到"));
    btGoTo->setObjectName(QStringLiteral("btGoTo"));
    btGoTo->setAutoDefault(false);
    ah->addWidget(btGoTo);

    auto* pane = new QLabel;
    pane->setObjectName(QStringLiteral("imgTaskPane"));
    pane->setFixedWidth(208);
    pane->setPixmap(taskPanePicture(QSize(208, 463)));
    pane->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    RzShellList1 = new TShellListView;
    RzShellList1->setObjectName(QStringLiteral("RzShellList1"));
    RzShellList1->setContextMenuPolicy(Qt::CustomContextMenu);
    RzShellList1->OnFolderChanged = [this] { RzShellList1FolderChanged(); };
    RzShellList1->OnTransferFailed = [](const win::PasteResult& r) {
        AppMessageBox(
            QStringLiteral("有 %1 个项目没有复制或移动：目标文件夹中已有同名的项目，或者文件无法访问。")
                .arg(r.failed.size()),
            QStringLiteral("FTP操作题"));
    };

    ppWindows = new QMenu(this);
    ppWindows->setObjectName(QStringLiteral("ppWindows"));
    QAction* copy = ppWindows->addAction(QStringLiteral("复制"));
    QAction* cut = ppWindows->addAction(QStringLiteral("剪切"));
    QAction* paste = ppWindows->addAction(QStringLiteral("粘贴(&P)"));
    QMenu* view = ppWindows->addMenu(QStringLiteral("查看(&V)"));
    for (const char* c : {"缩略图(&H)", "图标(&S)", "列表(&L)", "详细信息(&D)"})
        view->addAction(QString::fromUtf8(c));
    view->menuAction()->setVisible(false);
    connect(copy, &QAction::triggered, RzShellList1, &TShellListView::CopySelection);
    connect(cut, &QAction::triggered, RzShellList1, &TShellListView::CutSelection);
    connect(paste, &QAction::triggered, RzShellList1, [this] { RzShellList1->Paste(); });
    connect(RzShellList1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ppWindows->popup(RzShellList1->viewport()->mapToGlobal(pos)); });

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(pane);
    body->addWidget(RzShellList1, 1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(net::ExplorerMenuBar(this));
    v->addWidget(net::ExplorerToolBar(this, true, &btBack, &btUp));
    v->addWidget(address);
    v->addLayout(body, 1);
    sim::ShowMnemonics(this);

    connect(btGoTo, &QPushButton::clicked, this, &TfrmFTP::btGoToClick);
    connect(txtAddress, &QLineEdit::returnPressed, this, &TfrmFTP::btGoToClick);
    for (QWidget* b : {btBack, btUp})
        connect(static_cast<QToolButton*>(b), &QToolButton::clicked, this, [this] { RzShellList1->Up(); });

    setFixedSize(799, 520);
    RzShellList1->SetMyComputer();
}

void TfrmFTP::btGoToClick()
{
    const bool correct = IsServerAddress(txtAddress->text());
    if (sim::AnswerTextIsFor(net::FTPOperationType))
        sim::CurrentQuestion()->SetAnswer(correct ? QStringLiteral("True") : QStringLiteral("False"));
    if (!correct) {
        ShowNotice(QStringLiteral("输入的FTP地址不正确！"), 10);
        RzShellList1->SetMyComputer();
        return;
    }
    const QString folder = DownloadFolderOf(strCurDisk);
    if (folder.isEmpty()) {
        AppMessageBox(kNoDrive, QStringLiteral("FTP操作题"));
        RzShellList1->SetMyComputer();
        return;
    }
    // The folder of an upload question may be missing from its material: the server
    // then has an empty folder.
    if (!win::PathIsDir(folder)) {
        QString part = folder.left(3);
        for (const QString& name : folder.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
            part += (part.endsWith(QLatin1Char('\\')) ? QString() : QStringLiteral("\\")) + name;
            if (!win::PathIsDir(part))
                win::CreateDirectory(part);
        }
    }
    m_downloadFolder = folder;
    if (!RzShellList1->Shell().SetFolder(folder)) {
        AppMessageBox(QStringLiteral("无法打开文件夹 ") + folder, QStringLiteral("FTP操作题"));
        RzShellList1->SetMyComputer();
    }
}

void TfrmFTP::RzShellList1FolderChanged()
{
    if (m_keeping)
        return;
    m_keeping = true;
    const QString shown = RzShellList1->Folder();
    const QString drive = strCurDisk.trimmed().left(1);
    if (shown.isEmpty() || drive.isEmpty() || shown.left(1).compare(drive, Qt::CaseInsensitive) != 0) {
        if (!RzShellList1->Shell().IsMyComputer())
            RzShellList1->SetMyComputer();
    } else if (!m_downloadFolder.isEmpty() && !win::PathIsInside(shown, m_downloadFolder)) {
        RzShellList1->SetFolder(m_downloadFolder);
    }
    m_keeping = false;
}

void TfrmFTP::keyPressEvent(QKeyEvent* e)
{
    // No key closes the window (nor the desktop behind it).
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}
