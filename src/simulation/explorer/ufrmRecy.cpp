#include "simulation/explorer/ufrmRecy.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include "simulation/desktop/SimWindows.h"
#include "simulation/explorer/ufrmRcyEandC.h"

SIM_REGISTER_WINDOW_WITH(TfrmRecy, [](const sim::OpenOptions&) -> QWidget* {
    TfrmRecy* w = sim::Recreate<TfrmRecy>();
    sim::ShowWindow(w, sim::OpenOptions{true, false, {}}, true);
    return sim::Ref<TfrmRecy>().data();
})

namespace recycle {

bool ParseBinSizes(const QString& slot, int& all, int& c, int& d)
{
    const QStringList parts = slot.split(QLatin1Char('#'));
    if (parts.size() != 3)
        return false;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok || v[i] < 0 || v[i] > 100)
            return false;
    }
    all = v[0];
    c = v[1];
    d = v[2];
    return true;
}

} // namespace recycle

namespace {

QSlider* trackBar(const char* name, QWidget* parent, int top)
{
    auto* t = new QSlider(Qt::Horizontal, parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setRange(0, 100);
    t->setPageStep(10);
    t->setTickPosition(QSlider::TicksBelow);
    t->setTickInterval(10);
    t->setGeometry(20, top, 220, 30);
    return t;
}

QLabel* label(const QString& text, QWidget* parent, int left, int top, int width = 290)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(left, top, width, 18);
    return l;
}

} // namespace

TfrmRecy::TfrmRecy(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRecy"));
    setWindowTitle(QStringLiteral("回收站 属性"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setFont(sim::SongFont(12));
    setFixedSize(338, 368);
    sim::Ref<TfrmRecy>() = this;

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(6, 6, 326, 320);

    auto* global = new QWidget;
    rbSeparate = new QRadioButton(QStringLiteral("独立配置驱动器(&C)"), global);
    rbSeparate->setObjectName(QStringLiteral("rbSeparate"));
    rbSeparate->setGeometry(12, 12, 290, 20);
    rbSame = new QRadioButton(QStringLiteral("所有驱动器均使用同一设置(&U):"), global);
    rbSame->setObjectName(QStringLiteral("rbSame"));
    rbSame->setGeometry(12, 36, 290, 20);
    rbSame->setChecked(true);
    ckAllDelete = new QCheckBox(QStringLiteral("删除时不将文件移入回收站，而是彻底删除(&R)"), global);
    ckAllDelete->setObjectName(QStringLiteral("ckAllDelete"));
    ckAllDelete->setGeometry(28, 66, 290, 20);
    TB_all = trackBar("TB_all", global, 100);
    lblAll = label(QString(), global, 250, 106, 50);
    label(QStringLiteral("回收站的最大空间(每个驱动器的百分比)(&M)"), global, 20, 140);
    ckConfirm = new QCheckBox(QStringLiteral("显示删除确认对话框(&D)"), global);
    ckConfirm->setObjectName(QStringLiteral("ckConfirm"));
    ckConfirm->setGeometry(12, 250, 290, 20);
    ckConfirm->setChecked(true);
    PageControl1->addTab(global, QStringLiteral("  全局"));

    auto drivePage = [this](const QString& size, const QString& reserved, const char* tbName, QSlider*& tb,
                            QLabel*& lbl, QCheckBox*& ck) {
        auto* page = new QWidget;
        label(size, page, 12, 14);
        label(reserved, page, 12, 36);
        ck = new QCheckBox(QStringLiteral("删除时不将文件移入回收站，而是彻底删除(&R)"), page);
        ck->setGeometry(12, 66, 290, 20);
        tb = trackBar(tbName, page, 100);
        lbl = label(QString(), page, 250, 106, 50);
        label(QStringLiteral("回收站的最大空间(驱动器的百分比)(&M)"), page, 20, 140);
        return page;
    };
    PageControl1->addTab(drivePage(QStringLiteral("驱动器大小:       14.6 GB"),
                                   QStringLiteral("保留空间:           1.46 GB"), "TB_C", TB_C, lblC,
                                   ckCDelete),
                         QStringLiteral("本地磁盘 (C:)"));
    PageControl1->addTab(drivePage(QStringLiteral("驱动器大小:       24.6 GB"),
                                   QStringLiteral("保留空间:           4.46 GB"), "TB_D", TB_D, lblD,
                                   ckDDelete),
                         QStringLiteral("本地磁盘  (D:)"));

    auto button = [this](const QString& caption, const char* name, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 336, 75, 23);
        return b;
    };
    btnOK = button(QStringLiteral("确定"), "btnOK", 92);
    btnCancel = button(QStringLiteral("取消"), "btnCancel", 173);
    btnApply = button(QStringLiteral("应用(&A)"), "btnApply", 254);
    sim::ShowMnemonics(this);

    // Creation: the positions recorded by an earlier visit.
    const QString stored = sim::Slot(recycle::SlotBinSizes);
    if (!stored.isEmpty()) {
        int all = 0, c = 0, d = 0;
        if (recycle::ParseBinSizes(stored, all, c, d)) {
            TB_all->setValue(all);
            TB_C->setValue(c);
            TB_D->setValue(d);
        } else {
            m_keepStored = true;
        }
    }

    for (auto [tb, lbl] : {std::pair{TB_all, lblAll}, std::pair{TB_C, lblC}, std::pair{TB_D, lblD}}) {
        QLabel* l = lbl;
        connect(tb, &QSlider::valueChanged, this, [this, l](int v) {
            l->setText(QString::number(v) + QStringLiteral("%"));
            m_keepStored = false;
        });
    }
    connect(rbSeparate, &QRadioButton::clicked, this, &TfrmRecy::RadioClick);
    connect(rbSame, &QRadioButton::clicked, this, &TfrmRecy::RadioClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmRecy::btnOKClick);
    connect(btnApply, &QPushButton::clicked, this, &TfrmRecy::btnApplyClick);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmRecy::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmRecy::FormShow()
{
    lblAll->setText(QString::number(TB_all->value()) + QStringLiteral("%"));
    lblC->setText(QString::number(TB_C->value()) + QStringLiteral("%"));
    lblD->setText(QString::number(TB_D->value()) + QStringLiteral("%"));
    RadioClick();
}

void TfrmRecy::RadioClick()
{
    const bool separate = rbSeparate->isChecked();
    TB_C->setEnabled(separate);
    TB_D->setEnabled(separate);
    ckCDelete->setEnabled(separate);
    ckDDelete->setEnabled(separate);
    TB_all->setEnabled(!separate);
    ckAllDelete->setEnabled(!separate);
}

void TfrmRecy::Record()
{
    sim::SetSlot(recycle::SlotBinSizes,
                 QStringLiteral("%1#%2#%3").arg(TB_all->value()).arg(TB_C->value()).arg(TB_D->value()));
}

void TfrmRecy::btnOKClick()
{
    m_keepStored = false;
    close(); // the close records
}

void TfrmRecy::btnApplyClick()
{
    m_keepStored = false;
    Record();
    btnApply->setEnabled(false);
}

void TfrmRecy::closeEvent(QCloseEvent* e)
{
    if (!m_keepStored)
        Record();
    e->accept();
}
