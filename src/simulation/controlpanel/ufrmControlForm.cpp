#include "simulation/controlpanel/ufrmControlForm.h"

#include <QShowEvent>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW(TfrmControlForm)

namespace {

// Both views are drawn at the design size of the window.
const QSize kViewSize(1030, 723);

} // namespace

TfrmControlForm::TfrmControlForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmControlForm"));
    setWindowTitle(QStringLiteral("控制面板"));
    setWindowFlag(Qt::Window, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    resize(kViewSize);

    pnl1 = new TPictureWindow(this, kViewSize, false);
    pnl1->setWindowFlag(Qt::Window, false);
    pnl1->setObjectName(QStringLiteral("pnl1"));
    pnl1->SetPicture(cpart::ControlPanelCategories(kViewSize));
    Label1 = pnl1->AddHotSpot("Label1", QRect(8, 128, 201, 49), true);

    pnl2 = new TPictureWindow(this, kViewSize, false);
    pnl2->setWindowFlag(Qt::Window, false);
    pnl2->setObjectName(QStringLiteral("pnl2"));
    pnl2->SetPicture(cpart::ControlPanelClassic(kViewSize));
    Label2 = pnl2->AddHotSpot("Label2", QRect(8, 104, 193, 41), true);
    Label3 = pnl2->AddHotSpot("Label3", QRect(848, 308, 137, 60));
    Label3->setToolTip(QStringLiteral("自定义鼠标设置，例如按钮设置，双击速度，鼠标指针和移动速度。"));
    Label4 = pnl2->AddHotSpot("Label4", QRect(832, 134, 185, 73));

    connect(Label1, &THotRect::clicked, this, &TfrmControlForm::Label1Click);
    connect(Label2, &THotRect::clicked, this, &TfrmControlForm::Label2Click);
    connect(Label3, &THotRect::doubleClicked, this, &TfrmControlForm::Label3DblClick);
    connect(Label4, &THotRect::doubleClicked, this, &TfrmControlForm::Label4DblClick);
}

void TfrmControlForm::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmControlForm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    pnl1->setGeometry(rect());
    pnl2->setGeometry(rect());
}

void TfrmControlForm::FormShow()
{
    Label2->move(8, 104);
    pnl1->hide();
    pnl2->show();
}

void TfrmControlForm::Label1Click()
{
    Label2->move(8, 104);
    pnl1->hide();
    pnl2->show();
}

void TfrmControlForm::Label2Click()
{
    pnl2->hide();
    pnl1->show();
}

void TfrmControlForm::Label3DblClick() { sim::OpenWindow(QStringLiteral("TfrmMouseSet")); }

void TfrmControlForm::Label4DblClick()
{
    if (sim::Slot(26) == QStringLiteral("1"))
        sim::OpenWindow(QStringLiteral("TfrmRegPrintOK"));
    else
        sim::OpenWindow(QStringLiteral("TfrmAddPrint"));
    close();
}
