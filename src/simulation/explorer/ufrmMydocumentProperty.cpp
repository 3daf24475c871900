#include "simulation/explorer/ufrmMydocumentProperty.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "simulation/desktop/SimWindows.h"
#include "simulation/explorer/ExplorerArt.h"

SIM_REGISTER_WINDOW_WITH(TfrmMydocumentProperty, [](const sim::OpenOptions&) -> QWidget* {
    return TfrmMydocumentProperty::ShowProperties();
})

namespace {
constexpr int kSlotPage = 16;
}

TfrmMydocumentProperty::TfrmMydocumentProperty(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMydocumentProperty"));
    setWindowTitle(QStringLiteral("我的文档 属性"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setFont(sim::SongFont(12));
    setFixedSize(364, 416);
    sim::Ref<TfrmMydocumentProperty>() = this;

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(6, 6, 352, 362);
    const QStringList pages{QStringLiteral("目标文件夹"), QStringLiteral("常规"), QStringLiteral("共享")};
    for (int i = 0; i < pages.size(); ++i) {
        auto* pic = new QLabel;
        pic->setPixmap(explorerart::MyDocumentsPage(i, QSize(344, 330)));
        pic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        PageControl1->addTab(pic, pages[i]);
    }

    auto button = [this](const QString& caption, const char* name, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 378, 75, 23);
        return b;
    };
    btnOK = button(QStringLiteral("确定"), "btnOK", 112);
    btnCancel = button(QStringLiteral("取消"), "btnCancel", 195);
    btnApply = button(QStringLiteral("应用(&A)"), "btnApply", 278);
    btnApply->setEnabled(false);
    connect(btnOK, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmMydocumentProperty::PageControl1Change);
}

void TfrmMydocumentProperty::PageControl1Change(int index)
{
    if (m_generalChosen)
        return;
    if (PageControl1->tabText(index) == QStringLiteral("常规")) {
        sim::SetSlot(kSlotPage, QStringLiteral("1"));
        m_generalChosen = true;
        return;
    }
    sim::SetSlot(kSlotPage, QStringLiteral("0"));
}

TfrmMydocumentProperty* TfrmMydocumentProperty::ShowProperties()
{
    QPointer<TfrmMydocumentProperty>& ref = sim::Ref<TfrmMydocumentProperty>();
    delete ref.data();
    auto* w = new TfrmMydocumentProperty(sim::WindowParent());
    w->setWindowFlag(Qt::Window, true);
    sim::ShowWindow(w, sim::OpenOptions{}, true);
    return ref.data();
}
