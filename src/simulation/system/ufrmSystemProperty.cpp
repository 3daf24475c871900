#include "simulation/system/ufrmSystemProperty.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "simulation/controlpanel/PicturePage.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/system/SystemArt.h"

SIM_REGISTER_WINDOW(TfrmSystemProperty)
SIM_REGISTER_WINDOW(TfrmManagementConsole)

namespace sysprop {

QStringList& Entries()
{
    static QStringList entries(8);
    return entries;
}

QStringList EntryNames()
{
    return {QStringLiteral("常规"), QStringLiteral("计算机名"),  QStringLiteral("硬件"),
            QStringLiteral("高级"), QStringLiteral("系统还原"),  QStringLiteral("自动更新"),
            QStringLiteral("远程"), QStringLiteral("设备管理器")};
}

QString SlotText() { return Entries().join(QLatin1Char(',')); }

} // namespace sysprop

namespace {

const QSize kPageSize(390, 372);
constexpr int kHardwarePage = 2;
constexpr int kRemotePage = 6;

QString entry(int index, bool visited)
{
    return sysprop::EntryNames()[index] + (visited ? QStringLiteral("=1") : QStringLiteral("=0"));
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TfrmSystemProperty::TfrmSystemProperty(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSystemProperty"));
    setWindowTitle(QStringLiteral("系统属性"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::WindowContextHelpButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    setFixedSize(410, 465);

    pgSystem = new QTabWidget;
    pgSystem->setObjectName(QStringLiteral("pgSystem"));
    const QStringList names = sysprop::EntryNames();
    for (int i = 0; i < 7; ++i) {
        auto* page = new QLabel;
        page->setObjectName(QStringLiteral("imgPage%1").arg(i));
        page->setPixmap(sysart::SystemPropertyPage(i, kPageSize));
        page->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        page->setStyleSheet(QStringLiteral("background: rgb(236, 233, 216);"));
        pgSystem->addTab(page, names[i]);
        if (i == kHardwarePage)
            lblDeviceManager = new THotRect(page, "lblDeviceManager", QRect(223, 79, 147, 21), true);
    }
    pgSystem->setCurrentIndex(kRemotePage);
    // The seven tabs fit in one row, without scroll arrows.
    pgSystem->tabBar()->setUsesScrollButtons(false);
    pgSystem->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 4px 5px; margin-right: 1px; border: 1px solid rgb(145, 155, 156);"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: rgb(244, 243, 238); }"
        "QTabBar::tab:selected { background: white; border-top: 2px solid rgb(255, 200, 60); }"
        "QTabWidget::pane { border: 1px solid rgb(145, 155, 156); }"));

    btOK = button("btOK", QStringLiteral("确定"));
    btCancel = button("btCancel", QStringLiteral("取消"));
    btApply = button("btApply", QStringLiteral("应用(&A)"));
    btApply->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btOK);
    row->addWidget(btCancel);
    row->addWidget(btApply);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(pgSystem, 1);
    v->addLayout(row);

    // Connected after the first page was set: opening on "远程" is no visit.
    connect(pgSystem, &QTabWidget::currentChanged, this, &TfrmSystemProperty::pgSystemChange);
    connect(lblDeviceManager, &THotRect::clicked, this, &TfrmSystemProperty::lblDeviceManagerClick);
    connect(btOK, &QPushButton::clicked, this, &TfrmSystemProperty::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &TfrmSystemProperty::btOKClick);
}

void TfrmSystemProperty::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmSystemProperty::FormShow()
{
    QStringList& entries = sysprop::Entries();
    entries[0] = entry(0, true);
    if (entries[sysprop::DeviceManagerEntry].isEmpty())
        entries[sysprop::DeviceManagerEntry] = entry(sysprop::DeviceManagerEntry, false);
}

void TfrmSystemProperty::pgSystemChange(int index)
{
    if (index < 0 || index > 6)
        return;
    QStringList& entries = sysprop::Entries();
    entries[index] = entry(index, true);
    for (int i = 0; i < 7; ++i)
        if (entries[i].isEmpty())
            entries[i] = entry(i, false);
}

void TfrmSystemProperty::lblDeviceManagerClick()
{
    sysprop::Entries()[sysprop::DeviceManagerEntry] = entry(sysprop::DeviceManagerEntry, true);
    sim::OpenWindow(QStringLiteral("TfrmManagementConsole"));
}

void TfrmSystemProperty::btOKClick()
{
    sim::SetSlot(18, sysprop::SlotText());
    close();
}

TfrmManagementConsole::TfrmManagementConsole(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmManagementConsole"));
    setWindowTitle(QStringLiteral("设备管理器"));
    setWindowFlag(Qt::Window, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    resize(662, 448);

    auto* menu = new QMenuBar;
    menu->addMenu(QStringLiteral("文件(&F)"));
    menu->addMenu(QStringLiteral("操作(&A)"));
    QMenu* view = menu->addMenu(QStringLiteral("查看(&V)"));
    QAction* byType = view->addAction(QStringLiteral("依类型排序设备(&E)"));
    byType->setCheckable(true);
    byType->setChecked(true);
    view->addAction(QStringLiteral("依连接排序设备(&V)"));
    view->addAction(QStringLiteral("依类型排序资源(&Y)"));
    view->addAction(QStringLiteral("依连接排序资源(&N)"));
    menu->addMenu(QStringLiteral("帮助(&H)"));

    auto* toolbar = new QLabel;
    toolbar->setObjectName(QStringLiteral("imgToolbar"));
    toolbar->setPixmap(sysart::DeviceManagerToolbar(662));
    auto* content = new QLabel;
    content->setObjectName(QStringLiteral("imgContent"));
    content->setPixmap(sysart::DeviceManagerContent(QSize(662, 380)));
    content->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    content->setStyleSheet(QStringLiteral("background: white;"));

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(menu);
    v->addWidget(toolbar);
    v->addWidget(content, 1);
}
