#include "simulation/system/ufrmSystemInfo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW(TfrmSystemInfo)

namespace sysinfo {

QString& MemoryFlag()
{
    static QString flag;
    return flag;
}

QString& DiskFlag()
{
    static QString flag;
    return flag;
}

} // namespace sysinfo

namespace {

const QString kMemory = QStringLiteral("内存");
const QString kDisk = QStringLiteral("磁盘");

// One node of the category tree: its text and its children.
struct Node {
    const char* text;
    std::vector<Node> children;
};

void addNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<Node>& nodes)
{
    for (const Node& n : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, QString::fromUtf8(n.text));
        addNodes(item, tree, n.children);
    }
}

// The flag of `name` as slot 19 holds it, "=0" when the slot has none.
QString flagFromSlot(const QString& name)
{
    const QStringList parts = sim::Slot(19).split(QLatin1Char(','));
    const QString visited = name + QStringLiteral("=1");
    return parts.contains(visited) ? visited : name + QStringLiteral("=0");
}

QPushButton* button(const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TfrmSystemInfo::TfrmSystemInfo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSystemInfo"));
    setWindowTitle(QStringLiteral("系统信息"));
    setWindowFlag(Qt::Window, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    resize(780, 523);

    auto* menu = new QMenuBar;
    for (const char* m : {"文件(&F)", "编辑(&E)", "查看(&V)", "工具(&T)", "帮助(&H)"})
        menu->addMenu(QString::fromUtf8(m));

    tvCategory = new QTreeWidget;
    tvCategory->setObjectName(QStringLiteral("tvCategory"));
    tvCategory->setHeaderHidden(true);
    buildTree();
    lvSummary = new QTreeWidget;
    lvSummary->setObjectName(QStringLiteral("lvSummary"));
    lvSummary->setRootIsDecorated(false);
    lvSummary->setHeaderLabels({QStringLiteral("项目"), QStringLiteral("数值")});
    lvSummary->header()->resizeSection(0, 160);
    lvSummary->header()->resizeSection(1, 500);
    buildSummary();

    auto* split = new QSplitter;
    split->addWidget(tvCategory);
    split->addWidget(lvSummary);
    split->setSizes({220, 560});

    auto* search = new QWidget;
    auto* g = new QGridLayout(search);
    g->setContentsMargins(6, 4, 6, 4);
    g->addWidget(new QLabel(QStringLiteral("查找什么(&W):  ")), 0, 0);
    auto* what = new QLineEdit;
    what->setObjectName(QStringLiteral("edtFind"));
    g->addWidget(what, 0, 1);
    g->addWidget(button(QStringLiteral("查找(&D)")), 0, 2);
    g->addWidget(button(QStringLiteral("关于查找(&C)")), 0, 3);
    g->addWidget(new QCheckBox(QStringLiteral("只搜索所选的类别(&S)")), 1, 0, 1, 2);
    g->addWidget(new QCheckBox(QStringLiteral("只搜索类别名称(&R)")), 1, 2, 1, 2);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(menu);
    v->addWidget(split, 1);
    v->addWidget(search);

    sim::ShowMnemonics(this);
    connect(tvCategory, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { tvCategoryChanging(node); });
}

void TfrmSystemInfo::buildTree()
{
    const std::vector<Node> tree = {
        {"系统摘要", {}},
        {"硬件资源",
         {{"冲突/共享", {}}, {"DMA", {}}, {"强制硬件", {}}, {"I/O", {}}, {"IRQ", {}}, {"内存", {}}}},
        {"组件",
         {{"多媒体", {{"音频编码解码器", {}}, {"视频编码解码器", {}}}},
          {"CD-ROM", {}},
          {"声音设备", {}},
          {"显示", {}},
          {"红外线", {}},
          {"输入", {{"键盘", {}}, {"指针设备", {}}}},
          {"调制解调器", {}},
          {"网络", {{"适配器", {}}, {"协议", {}}, {"WinSock", {}}}},
          {"端口", {{"串口", {}}, {"并口", {}}}},
          {"存储", {{"驱动器", {}}, {"磁盘", {}}, {"SCSI", {}}, {"IDE", {}}}},
          {"正在打印", {}},
          {"有问题的设备", {}},
          {"USB", {}}}},
        {"软件环境",
         {{"系统驱动程序", {}},
          {"签署的驱动程序", {}},
          {"环境变量", {}},
          {"打印作业", {}},
          {"网络连接", {}},
          {"正在运行任务", {}},
          {"加载的模块", {}},
          {"服务", {}},
          {"程序组", {}},
          {"启动程序", {}},
          {"OLE 注册", {}},
          {"Windows 错误报告", {}}}},
        {"Internet 设置",
         {{"Internet Explorer",
           {{"摘要", {}},
            {"文件版本", {}},
            {"连接性", {}},
            {"缓存", {{"摘要", {}}, {"对象列表", {}}}},
            {"内容", {{"摘要", {}}, {"个人证书", {}}, {"其他人员证书", {}}, {"发行商", {}}}},
            {"安全", {}}}}}},
        {"Office 2003 应用程序",
         {{"Microsoft Office Word 2003", {}},
          {"Microsoft Office Excel 2003", {}},
          {"Microsoft Office PowerPoint 2003", {}},
          {"Microsoft Office Outlook 2003", {}},
          {"Microsoft Office Access 2003", {}},
          {"Microsoft Office Publisher 2003", {}},
          {"Microsoft Office FrontPage 2003", {}},
          {"Microsoft Office  2003 环境", {}},
          {"Office 事件/应用程序错误", {}}}}};
    addNodes(nullptr, tvCategory, tree);
}

void TfrmSystemInfo::buildSummary()
{
    const char* rows[][2] = {{"OS 名称", "Microsoft Windows XP Professional"},
                             {"版本", "5.1.2600 Service Pack 3 内部版本号 2600"},
                             {"OS 制造商", "Microsoft Corporation"},
                             {"系统名称", "STUDENT-PC"},
                             {"系统制造商", "System manufacturer"},
                             {"系统模式", "System Product Name"},
                             {"系统类型", "基于 X86 的 PC"},
                             {"处理器", "x86 Family 6 Model 15 Stepping 13 GenuineIntel ~1995 Mhz"},
                             {"BIOS 版本/日期", "Award Software, Inc. ASUS P5GC-MX 1.04, 2008-6-10"},
                             {"SMBIOS 版本", "2.4"},
                             {"Windows 目录", "C:\\WINDOWS"},
                             {"系统目录", "C:\\WINDOWS\\system32"},
                             {"启动设备", "\\Device\\HarddiskVolume1"},
                             {"地区", "中华人民共和国"},
                             {"硬件抽象层", "版本 = \"5.1.2600.5512 (xpsp.080413-2111)\""},
                             {"用户名称", "STUDENT-PC\\student"},
                             {"时区", "中国标准时间"},
                             {"总的物理内存", "2,048.00 MB"},
                             {"可用物理内存", "1.27 GB"},
                             {"总的虚拟内存", "2.00 GB"},
                             {"可用虚拟内存", "1.96 GB"},
                             {"分页文件空间", "3.85 GB"},
                             {"页文件", "C:\\pagefile.sys"}};
    for (const auto& r : rows)
        lvSummary->addTopLevelItem(new QTreeWidgetItem({QString::fromUtf8(r[0]), QString::fromUtf8(r[1])}));
}

QTreeWidgetItem* TfrmSystemInfo::FindNode(const QString& text) const
{
    for (QTreeWidgetItemIterator it(tvCategory); *it; ++it)
        if ((*it)->text(0) == text)
            return *it;
    return nullptr;
}

void TfrmSystemInfo::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmSystemInfo::FormShow()
{
    lvSummary->show();
    // Earlier visits recorded in slot 19 stay visited.
    sysinfo::MemoryFlag() = flagFromSlot(kMemory);
    sysinfo::DiskFlag() = flagFromSlot(kDisk);
}

void TfrmSystemInfo::tvCategoryChanging(QTreeWidgetItem* node)
{
    if (!node)
        return;
    if (node->text(0) == kMemory)
        sysinfo::MemoryFlag() = kMemory + QStringLiteral("=1");
    else if (node->text(0) == kDisk)
        sysinfo::DiskFlag() = kDisk + QStringLiteral("=1");
    sim::SetSlot(19, sysinfo::MemoryFlag() + QLatin1Char(',') + sysinfo::DiskFlag());
}

void TfrmSystemInfo::closeEvent(QCloseEvent* e)
{
    sysinfo::MemoryFlag().clear();
    sysinfo::DiskFlag().clear();
    QWidget::closeEvent(e);
}
