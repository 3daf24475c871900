#include "simulation/explorer/ufrmproperty.h"

#include <QLabel>
#include <QPushButton>

#include "simulation/desktop/SimWindows.h"
#include "simulation/explorer/ExplorerArt.h"

SIM_REGISTER_WINDOW_WITH(Tfrmproperty, [](const sim::OpenOptions& o) -> QWidget* {
    return Tfrmproperty::ShowDrive(o.verb == QLatin1String("D") ? QLatin1Char('D') : QLatin1Char('C'));
})

Tfrmproperty::Tfrmproperty(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmproperty"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setFont(sim::SongFont(12));
    setFixedSize(364, 416);
    sim::Ref<Tfrmproperty>() = this;

    const QSize page(352, 360);
    ImgDiskC = new QLabel(this);
    ImgDiskC->setObjectName(QStringLiteral("ImgDiskC"));
    ImgDiskC->setGeometry(6, 6, page.width(), page.height());
    ImgDiskC->setPixmap(explorerart::DrivePropertyPage(QLatin1Char('C'), page));
    ImgDiskD = new QLabel(this);
    ImgDiskD->setObjectName(QStringLiteral("ImgDiskD"));
    ImgDiskD->setGeometry(6, 6, page.width(), page.height());
    ImgDiskD->setPixmap(explorerart::DrivePropertyPage(QLatin1Char('D'), page));

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
    SetDrive(QLatin1Char('C'));
}

void Tfrmproperty::SetDrive(QChar drive)
{
    m_drive = drive.toUpper();
    const bool c = m_drive == QLatin1Char('C');
    ImgDiskC->setVisible(c);
    ImgDiskD->setVisible(!c);
    setWindowTitle(c ? QStringLiteral("本地磁盘 (C:) 属性") : QStringLiteral("本地磁盘 (D:) 属性"));
}

Tfrmproperty* Tfrmproperty::ShowDrive(QChar drive)
{
    QPointer<Tfrmproperty>& ref = sim::Ref<Tfrmproperty>();
    delete ref.data();
    auto* w = new Tfrmproperty(sim::WindowParent());
    w->setWindowFlag(Qt::Window, true);
    w->SetDrive(drive);
    sim::ShowWindow(w, sim::OpenOptions{true, false, {}}, true);
    return ref.data();
}
