#include "simulation/iis/ufrmIIS.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/Prompts.h"
#include "question/TQuestion.h"
#include "scoring/AnswerArchive.h"
#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"
#include "simulation/iis/ufrmIISGuide.h"
#include "simulation/iis/ufrmIISProperty.h"

// Each double-click on the desktop icon creates a fresh manager, centred on the screen.
SIM_REGISTER_WINDOW_WITH(TfrmIIS, [](const sim::OpenOptions& o) -> QWidget* {
    TfrmIIS* w = sim::Recreate<TfrmIIS>();
    sim::ShowWindow(w, o, true);
    return sim::Ref<TfrmIIS>().data(); // gone already when shown modally
})

namespace {

// A small coloured square standing in for the console's tree images.
QIcon nodeIcon(int image)
{
    static const QColor colours[] = {QColor(70, 110, 180), QColor(90, 140, 90), QColor(200, 160, 60),
                                     QColor(120, 120, 160), QColor(230, 190, 80)};
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(QColor(60, 60, 60));
    g.setBrush(colours[qBound(0, image, 4)]);
    g.drawRect(2, 3, 11, 10);
    return QIcon(p);
}

constexpr int kDirectoryImage = 4;

} // namespace

TfrmIIS::TfrmIIS(QWidget* parent) : sim::PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmIIS"));
    setWindowTitle(QStringLiteral("Internet 信息服务(IIS)管理器"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIIS>() = this;

    auto* menuBar = new QMenuBar(this);
    for (const char* c : {"文件(&F)", "编辑(&E)", "查看(&V)", "收藏(&A)", "工具(&T)", "帮助(&H)"})
        menuBar->addMenu(QString::fromUtf8(c));

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const char* c : {"后退", "前进"}) {
        auto* b = new QToolButton;
        b->setText(QString::fromUtf8(c));
        b->setPopupMode(QToolButton::MenuButtonPopup);
        b->setMenu(new QMenu(b));
        b->setAutoRaise(true);
        b->setEnabled(false);
        toolBar->addWidget(b);
    }
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("搜索"));
    toolBar->addAction(QStringLiteral("文件夹"));

    tvIIS = new QTreeWidget;
    tvIIS->setObjectName(QStringLiteral("tvIIS"));
    tvIIS->setHeaderHidden(true);
    tvIIS->setFixedWidth(169);
    tvIIS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* root = new QTreeWidgetItem(tvIIS, {QStringLiteral("Internet 信息服务")});
    root->setIcon(0, nodeIcon(0));
    auto* local = new QTreeWidgetItem(root, {QStringLiteral("(本地计算机)")});
    local->setIcon(0, nodeIcon(1));
    new QTreeWidgetItem(local, {QStringLiteral("FTP 站点")});
    new QTreeWidgetItem(local, {QStringLiteral("应用程序池")});
    auto* sites = new QTreeWidgetItem(local, {QStringLiteral("网站")});
    m_defaultWeb = new QTreeWidgetItem(sites, {QStringLiteral("默认网站")});
    m_defaultWeb->setIcon(0, nodeIcon(3));
    new QTreeWidgetItem(local, {QStringLiteral("Web 服务扩展")});
    for (int i = 0; i < local->childCount(); ++i)
        if (local->child(i)->icon(0).isNull())
            local->child(i)->setIcon(0, nodeIcon(2));
    sites->setIcon(0, nodeIcon(2));
    tvIIS->expandAll();
    tvIIS->viewport()->installEventFilter(this);

    lvIIS = new QTreeWidget;
    lvIIS->setObjectName(QStringLiteral("lvIIS"));
    lvIIS->setRootIsDecorated(false);
    lvIIS->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("路径"), QStringLiteral("状况")});
    lvIIS->header()->resizeSection(0, 180);
    lvIIS->header()->resizeSection(1, 200);

    auto* status = new QStatusBar;
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel;
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        status->addWidget(panel, i == 0 ? 3 : 1);
    }

    auto* body = new QHBoxLayout;
    body->setSpacing(3);
    body->addWidget(tvIIS);
    body->addWidget(lvIIS, 1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(menuBar);
    v->addWidget(toolBar);
    v->addLayout(body, 1);
    v->addWidget(status);

    menuDefaultWeb = buildContextMenu("menuDefaultWeb", false);
    menuProperty = buildContextMenu("menuProperty", true);

    setFixedSize(640, 450);
    LoadIISSettings();
}

QMenu* TfrmIIS::buildContextMenu(const char* name, bool forDirectory)
{
    auto* m = new QMenu(this);
    m->setObjectName(QString::fromLatin1(name));
    auto add = [](QMenu* menu, const char* caption) { return menu->addAction(QString::fromUtf8(caption)); };
    for (const char* c : {"资源管理器(&E)", "打开(&O)", "权限(I)", "浏览(B)"})
        add(m, c);
    m->addSeparator();
    for (const char* c : {"启动(&S)", "停止(&P)", "暂停(&A)"})
        add(m, c);
    m->addSeparator();
    QMenu* newMenu = m->addMenu(QStringLiteral("新建(&N)"));
    add(newMenu, "网站(&W)...");
    add(newMenu, "网站(来自文件)(&S)...");
    QAction* newDir = add(newMenu, "虚拟目录(&V)...");
    add(newMenu, "虚拟路径(来自文件)(&D)...");
    connect(newDir, &QAction::triggered, this, &TfrmIIS::NewVirtualDirectoryClick);
    QMenu* tasks = m->addMenu(QStringLiteral("所有任务(&K)"));
    add(tasks, "将配置保存到一个文件(&S)...");
    add(tasks, "配置服务器拓展");
    m->addSeparator();
    QMenu* view = m->addMenu(QStringLiteral("查看(&V)"));
    add(view, "添加/删除列(&A)...");
    view->addSeparator();
    for (const char* c : {"大图标(&G)", "小图标(&M)", "列表(&L)", "详细信息(&D)"})
        add(view, c);
    view->addSeparator();
    add(view, "自定义(&U)...");
    add(m, "从这里创建窗口(&W)");
    m->addSeparator();
    QAction* del = add(m, "删除(&D)");
    add(m, "重命名(&M)");
    add(m, "刷新(&F)");
    add(m, "导出列表(&L)...");
    m->addSeparator();
    QAction* prop = add(m, "属性(&R)");
    m->addSeparator();
    add(m, "帮助(&H)");
    if (forDirectory) {
        connect(del, &QAction::triggered, this, &TfrmIIS::DeleteClick);
        connect(prop, &QAction::triggered, this, &TfrmIIS::PropertyClick);
    }
    return m;
}

int TfrmIIS::Level(const QTreeWidgetItem* item)
{
    int level = -1;
    for (; item; item = item->parent())
        ++level;
    return level;
}

QTreeWidgetItem* TfrmIIS::VirtualDirectoryNode() const
{
    return m_defaultWeb->childCount() > 0 ? m_defaultWeb->child(0) : nullptr;
}

QTreeWidgetItem* TfrmIIS::AddVirtualDirectory(QTreeWidgetItem* parent, const QString& name)
{
    if (!parent)
        return nullptr;
    auto* node = new QTreeWidgetItem(parent, {name});
    node->setIcon(0, nodeIcon(kDirectoryImage));
    parent->setExpanded(true);
    return node;
}

void TfrmIIS::LoadIISSettings()
{
    // Only an IIS question's answer text holds these settings; in a desktop of another
    // type the manager starts from the defaults.
    const QString text = sim::AnswerTextIsFor(iis::OperationType) && sim::CurrentQuestion()
        ? sim::CurrentQuestion()->GetAnswer()
        : QString();
    if (text.isEmpty()) {
        IISSettings() = iis::DefaultSettings();
        return;
    }
    IISSettings() = iis::ParseAnswerText(text);
    const QString alias = IISSettings().value(iis::Alias);
    if (!alias.isEmpty() && !IISSettings().value(iis::LocalPath).isEmpty() && !VirtualDirectoryNode())
        AddVirtualDirectory(m_defaultWeb, alias);
}

void TfrmIIS::SaveIISSettings()
{
    if (!sim::AnswerTextIsFor(iis::OperationType))
        return;
    sim::CurrentQuestion()->SetAnswer(iis::BuildAnswerText(IISSettings()));
}

void TfrmIIS::tvIISMouseUp(const QPoint&)
{
    QTreeWidgetItem* node = tvIIS->currentItem();
    if (!node)
        return;
    const int level = Level(node);
    if (level == 3 && node->text(0).trimmed() == QStringLiteral("默认网站"))
        menuDefaultWeb->popup(QCursor::pos());
    else if (level == 4)
        menuProperty->popup(QCursor::pos());
}

void TfrmIIS::NewVirtualDirectoryClick()
{
    if (VirtualDirectoryNode()) {
        AppMessageBox(QStringLiteral("已存在一个虚拟目录，请先删除再新建。"), QStringLiteral("提示"));
        return;
    }
    auto* guide = sim::Ref<TfrmIISGuide>().data();
    if (!guide) {
        guide = new TfrmIISGuide(this);
        guide->setWindowFlag(Qt::Window, true);
    }
    guide->SetTarget(this, tvIIS->currentItem());
    sim::OpenOptions o;
    o.modal = true;
    sim::ShowWindow(guide, o, true);
}

void TfrmIIS::DeleteClick()
{
    QTreeWidgetItem* node = tvIIS->currentItem();
    if (!node || Level(node) != 4)
        return;
    if (sim::AnswerTextIsFor(iis::OperationType))
        sim::CurrentQuestion()->SetAnswer(QString());
    LoadIISSettings();
    delete node;
}

void TfrmIIS::PropertyClick()
{
    auto* prop = sim::Ref<TfrmIISProperty>().data();
    if (!prop) {
        prop = new TfrmIISProperty(this);
        prop->setWindowFlag(Qt::Window, true);
    }
    sim::OpenOptions o;
    o.modal = true;
    sim::ShowWindow(prop, o, true);
}

void TfrmIIS::closeEvent(QCloseEvent* e)
{
    SaveIISSettings();
    sim::PlainDialog::closeEvent(e);
}

bool TfrmIIS::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == tvIIS->viewport()) {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton)
                return true; // the right button does not change the selection
        } else if (e->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::RightButton) {
                tvIISMouseUp(me->position().toPoint());
                return true;
            }
        } else if (e->type() == QEvent::ContextMenu) {
            return true;
        }
    }
    return sim::PlainDialog::eventFilter(obj, e);
}
