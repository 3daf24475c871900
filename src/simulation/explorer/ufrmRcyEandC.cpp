#include "simulation/explorer/ufrmRcyEandC.h"

#include <QAction>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QTreeWidget>

#include "environment/unDMDB.h"
#include "platform/WinFileInfo.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/explorer/ExplorerArt.h"

// Each opening replaces the window by a new stay-on-top one on the exercise's folder.
SIM_REGISTER_WINDOW_WITH(TfrmRcyEandC, [](const sim::OpenOptions&) -> QWidget* {
    TfrmRcyEandC* w = sim::Recreate<TfrmRcyEandC>();
    w->Folder = recycle::CurrentRecycleFolder();
    sim::ShowWindow(w, sim::OpenOptions{true, false, {}}, true);
    return sim::Ref<TfrmRcyEandC>().data();
})

namespace recycle {

QString RecycleFolder(const QString& examRoot, const QString& examineeNo, int questionId)
{
    QString root = examRoot.trimmed();
    if (root.isEmpty() || examineeNo.isEmpty())
        return {};
    if (!root.endsWith(QLatin1Char('\\')))
        root += QLatin1Char('\\');
    return QStringLiteral("%1%2\\%2\\%3\\Recycler\\").arg(root, examineeNo).arg(questionId);
}

QString CurrentRecycleFolder()
{
    TQuestion* q = sim::CurrentQuestion();
    if (!DM || !q)
        return {};
    const QString root = DM->ExamRoot.isEmpty() ? DM->StuExamDataRoot : DM->ExamRoot;
    return RecycleFolder(root, TStudents.StuNO, q->QuestionId);
}

bool NameListed(const QString& slot, const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QString& n : slot.split(QLatin1Char(',')))
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString AppendName(const QString& slot, const QString& name)
{
    return slot.isEmpty() ? name : slot + QLatin1Char(',') + name;
}

QString SizeText(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("0KB");
    return QString::number((bytes + 1023) / 1024) + QStringLiteral("KB");
}

} // namespace recycle

namespace {

const char* const kTimeFormat = "yy-MM-dd HH:mm";

QLabel* taskLink(const QString& caption, QWidget* parent, int top)
{
    auto* l = new QLabel(caption, parent);
    l->setGeometry(40, top, 154, 16);
    l->setFont(sim::SongFont(12));
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral("color: rgb(33, 93, 198);"));
    return l;
}

} // namespace

TfrmRcyEandC::TfrmRcyEandC(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRcyEandC"));
    setWindowTitle(QStringLiteral(" 回收站"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint);
    setFont(sim::SongFont(12));
    setFixedSize(817, 525);
    sim::Ref<TfrmRcyEandC>() = this;

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 817, 525);
    {
        QPixmap bg(817, 525);
        bg.fill(Qt::white);
        QPainter p(&bg);
        QLinearGradient g(0, 0, 0, 525);
        g.setColorAt(0, QColor(122, 160, 230));
        g.setColorAt(1, QColor(99, 117, 214));
        p.fillRect(QRect(0, 46, 210, 479), g);
        p.fillRect(QRect(0, 20, 817, 26), QColor(236, 233, 216));
        p.setFont(sim::SongFont(12));
        p.drawText(QRect(8, 20, 300, 26), Qt::AlignVCenter, QStringLiteral("地址    回收站"));
        Image1->setPixmap(bg);
    }

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setGeometry(0, 0, 817, 20);
    MainMenu1->setFont(sim::SongFont(12));
    mnuFile = MainMenu1->addMenu(QStringLiteral("文件(&F)"));
    mnuEmpty = mnuFile->addAction(QStringLiteral("清空回收站(&B)"));
    for (const char* c : {"创建快捷方式(&S)", "删除(&D)", "重命名(&M)", "属性(&R)"})
        mnuFile->addAction(QString::fromUtf8(c))->setEnabled(false);
    mnuClose = mnuFile->addAction(QStringLiteral("关闭(&C)"));
    QMenu* edit = MainMenu1->addMenu(QStringLiteral("编辑(&E)"));
    mnuUndoDelete = edit->addAction(QStringLiteral("撤销删除(&U)        Ctrl+Z"));
    for (const char* c : {"剪切(&T)", "复制(&C)", "粘贴(&P)", "全选(&A)", "反向选择(&I)"})
        edit->addAction(QString::fromUtf8(c));
    MainMenu1->addMenu(QStringLiteral("查看(&V)"));
    MainMenu1->addMenu(QStringLiteral("收藏(&A)"));
    MainMenu1->addMenu(QStringLiteral("工具(&T)"));
    MainMenu1->addMenu(QStringLiteral("帮助(&H)"));
    connect(mnuEmpty, &QAction::triggered, this, &TfrmRcyEandC::EmptyClick);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);
    connect(mnuUndoDelete, &QAction::triggered, this, &TfrmRcyEandC::UndoDeleteClick);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(12, 56, 186, 84);
    Image2->setPixmap(explorerart::RecycleTaskPane(Image2->size()));
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(12, 146, 186, 220);
    Image3->setPixmap(explorerart::RecycleDetailsPane(Image3->size()));
    lblEmpty = taskLink(QStringLiteral("清空回收站"), this, 102);
    lblEmpty->setObjectName(QStringLiteral("lblEmpty"));
    lblRestore = taskLink(QStringLiteral("还原所有项目"), this, 122);
    lblRestore->setObjectName(QStringLiteral("lblRestore"));
    lblEmpty->installEventFilter(this);
    lblRestore->installEventFilter(this);

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblCount->setGeometry(12, 500, 190, 18);
    lblCount->setStyleSheet(QStringLiteral("color: white;"));

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(210, 46, 607, 479);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setColumnCount(6);
    ListView1->setHeaderLabels({QStringLiteral("文件名"), QStringLiteral("原位置"),
                                QStringLiteral("删除日期"), QStringLiteral("大小"),
                                QStringLiteral("文件类型"), QStringLiteral("修改日期")});
    const int widths[] = {68, 68, 80, 60, 80, 88};
    for (int i = 0; i < 6; ++i)
        ListView1->setColumnWidth(i, widths[i]);
    ListView1->headerItem()->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->setAcceptDrops(true);
    ListView1->viewport()->setAcceptDrops(true);
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1, &QTreeWidget::itemClicked, this, [this] { ListView1Click(); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] { ListView1Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setFont(sim::SongFont(12));
    mnuRestore = PopupMenu1->addAction(QStringLiteral("还原(&E)"));
    PopupMenu1->addAction(QStringLiteral("剪切(&T)"));
    mnuDelete = PopupMenu1->addAction(QStringLiteral("删除(&D)"));
    PopupMenu1->addAction(QStringLiteral("属性(&R)"));
    connect(mnuRestore, &QAction::triggered, this, &TfrmRcyEandC::RestoreClick);
    connect(mnuDelete, &QAction::triggered, this, &TfrmRcyEandC::DeleteClick);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(p)); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmRcyEandC::Timer1Timer);
    Timer1->start();
}

void TfrmRcyEandC::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmRcyEandC::FormShow()
{
    ListView1->clear();
    if (sim::Slot(recycle::SlotEmptied) == QLatin1String("1")) {
        enterEmptied();
        return;
    }
    fillList();
    lblCount->setText(QString::number(ListView1->topLevelItemCount()) + QStringLiteral("个对象"));
}

void TfrmRcyEandC::fillList()
{
    if (Folder.isEmpty())
        return;
    const QStringList allSlots = sim::CurrentQuestion() ? sim::CurrentQuestion()->OpAnswers() : QStringList();
    const QString restored = sim::Slot(recycle::SlotRestored);
    const QString deleted = sim::Slot(recycle::SlotDeleted);
    const QString now = QDateTime::currentDateTime().toString(QString::fromLatin1(kTimeFormat));
    for (const win::FindEntry& e : win::FindFiles(Folder, QStringLiteral("*.*"))) {
        if (e.name.startsWith(QLatin1Char('.')))
            continue;
        bool isSlotText = false;
        for (const QString& s : allSlots)
            if (!s.isEmpty() && s.compare(e.name, Qt::CaseInsensitive) == 0)
                isSlotText = true;
        if (isSlotText)
            continue;
        const win::ShellFileInfo info = win::GetShellFileInfo(Folder + e.name);
        if (!info.exists)
            continue;
        // Restored and deleted entries stay out of the list: whole names only.
        if (recycle::NameListed(deleted, info.displayName) || recycle::NameListed(restored, info.displayName))
            continue;
        auto* item = new QTreeWidgetItem(ListView1);
        item->setIcon(0, QIcon(explorerart::FileIcon(info.icon, 16)));
        item->setText(0, info.displayName);
        item->setText(1, QStringLiteral("Z:\\abc"));
        item->setText(2, now);
        item->setText(3, recycle::SizeText(info.isDir ? 0 : info.size));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(4, info.typeName);
        item->setText(5,
                      info.lastWrite.isValid() ? info.lastWrite.toString(QString::fromLatin1(kTimeFormat))
                                               : QString());
        item->setData(0, Qt::UserRole, e.name);
    }
}

bool TfrmRcyEandC::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == lblEmpty || obj == lblRestore) {
        if (e->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            if (obj == lblEmpty)
                EmptyClick();
            else
                RestoreLinkClick();
            return true;
        }
    } else if (obj == ListView1->viewport()) {
        // Files dragged onto the list are taken and discarded.
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            static_cast<QDragMoveEvent*>(e)->acceptProposedAction();
            return true;
        case QEvent::Drop:
            static_cast<QDropEvent*>(e)->acceptProposedAction();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(obj, e);
}

QString TfrmRcyEandC::selectedName() const
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->isSelected())
            return ListView1->topLevelItem(i)->text(0);
    return {};
}

void TfrmRcyEandC::removeSelected()
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        if (ListView1->topLevelItem(i)->isSelected()) {
            delete ListView1->takeTopLevelItem(i);
            return;
        }
    }
}

void TfrmRcyEandC::ListView1Click()
{
    const int selected = int(ListView1->selectedItems().size());
    if (selected == 1)
        lblRestore->setText(QStringLiteral("还原此项目"));
    else if (selected > 1)
        lblRestore->setText(QStringLiteral("还原选定的项目"));
}

// A restored entry goes back to the question folder; one of the same name there is
// never replaced (the entry then stays in the recycle folder).
void TfrmRcyEandC::restoreEntry(const QString& name)
{
    if (Folder.isEmpty())
        return;
    QString parent = Folder;
    parent.chop(1);
    parent = parent.left(parent.lastIndexOf(QLatin1Char('\\')) + 1);
    win::MoveFile(Folder + name, parent + name);
}

void TfrmRcyEandC::deleteEntry(const QString& name)
{
    if (Folder.isEmpty())
        return;
    const QString path = Folder + name;
    if (win::PathIsDir(path) && !win::IsLink(path))
        win::DeleteTree(path, true, false);
    else
        win::DeleteFile(path, true);
}

void TfrmRcyEandC::afterRemoval()
{
    lblCount->setText(QString::number(ListView1->topLevelItemCount()) + QStringLiteral("个对象"));
    if (ListView1->topLevelItemCount() == 0)
        enterEmptied();
}

void TfrmRcyEandC::RestoreClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    sim::SetSlot(recycle::SlotRestored, recycle::AppendName(sim::Slot(recycle::SlotRestored), name));
    restoreEntry(name);
    removeSelected();
    afterRemoval();
}

void TfrmRcyEandC::RestoreLinkClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    sim::SetSlot(recycle::SlotRestored, name);
    restoreEntry(name);
    removeSelected();
    afterRemoval();
}

void TfrmRcyEandC::DeleteClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    sim::SetSlot(recycle::SlotDeleted, recycle::AppendName(sim::Slot(recycle::SlotDeleted), name));
    deleteEntry(name);
    removeSelected();
    afterRemoval();
}

void TfrmRcyEandC::UndoDeleteClick()
{
    const QString name = selectedName();
    if (sim::Slot(recycle::SlotRestored).isEmpty() || name.isEmpty())
        return;
    sim::SetSlot(recycle::SlotRestored, name);
    restoreEntry(name);
    removeSelected();
    if (ListView1->topLevelItemCount() == 0)
        mnuFile->setEnabled(false);
    afterRemoval();
}

void TfrmRcyEandC::EmptyClick()
{
    if (!Folder.isEmpty() && win::PathIsDir(Folder))
        win::DeleteTree(Folder, false, false);
    ListView1->clear();
    enterEmptied();
}

void TfrmRcyEandC::Timer1Timer()
{
    if (ListView1->topLevelItemCount() > 0)
        return;
    mnuFile->setEnabled(false);
    if (!m_emptied)
        enterEmptied();
}

void TfrmRcyEandC::enterEmptied()
{
    m_emptied = true;
    lblEmpty->hide();
    lblRestore->hide();
    Image2->hide();
    Image3->move(Image3->x(), Image2->y());
    mnuFile->setEnabled(false);
    mnuFile->menuAction()->setEnabled(false);
    if (TfrmOperationMain* d = sim::Ref<TfrmOperationMain>().data())
        d->ShowRecycleBinEmptied();
    sim::SetSlot(recycle::SlotEmptied, QStringLiteral("1"));
    lblCount->setText(QString::number(ListView1->topLevelItemCount()) + QStringLiteral("个对象"));
}
