#include "simulation/controlpanel/ufrmAddPrint.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QShowEvent>
#include <QTreeWidget>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW(TfrmAddPrint)
SIM_REGISTER_WINDOW(TfrmNewRegPrint)
SIM_REGISTER_WINDOW(TfrmRegPrint2)
SIM_REGISTER_WINDOW(TfrmRegPrint3)
SIM_REGISTER_WINDOW(TfrmRegPrint4)
SIM_REGISTER_WINDOW(TfrmRegPrint5)
SIM_REGISTER_WINDOW(TfrmRegPrint6)
SIM_REGISTER_WINDOW(TfrmRegPrintSuccess)
SIM_REGISTER_WINDOW(TfrmRegPrintOK)

namespace addprint {

QString& ChosenPrinter()
{
    static QString printer;
    return printer;
}

} // namespace addprint

namespace {

// Each page hides when it closes; the next opening of its class replaces it.
template <class T> void openPage() { sim::Open<T>(); }

// Connects a hot spot to "open page T, close this page".
template <class T> void goTo(THotRect* spot, QWidget* page)
{
    QObject::connect(spot, &THotRect::clicked, page, [page] {
        openPage<T>();
        page->close();
    });
}

void closeOn(THotRect* spot, QWidget* page)
{
    QObject::connect(spot, &THotRect::clicked, page, &QWidget::close);
}

void wizardError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, addprint::kWizardCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

QLabel* fullPicture(QWidget* parent, const char* name, const QPixmap& picture, const QPoint& at = {})
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setPixmap(picture);
    l->setGeometry(QRect(at, picture.size()));
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

} // namespace

// ---- the printers windows -----------------------------------------------------------

TfrmAddPrint::TfrmAddPrint(QWidget* parent) : TPictureWindow(parent, QSize(870, 640), false)
{
    setObjectName(QStringLiteral("frmAddPrint"));
    setWindowTitle(QStringLiteral("打印机"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetPicture(cpart::PrintersFolder(false));
    lblAddPrinter = AddHotSpot("lblAddPrinter", QRect(16, 120, 185, 33), true);
    connect(lblAddPrinter, &THotRect::clicked, this, [] { openPage<TfrmNewRegPrint>(); });
}

TfrmRegPrintOK::TfrmRegPrintOK(QWidget* parent) : TPictureWindow(parent, QSize(870, 640), false)
{
    setObjectName(QStringLiteral("frmRegPrintOK"));
    setWindowTitle(QStringLiteral("打印机和传真"));
    SetPicture(cpart::PrintersFolder(true));
}

void TfrmRegPrintOK::showEvent(QShowEvent* e)
{
    TPictureWindow::showEvent(e);
    if (!e->spontaneous())
        sim::SetSlot(26, addprint::ChosenPrinter().isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
}

// ---- the wizard pages ---------------------------------------------------------------

TWizardPage::TWizardPage(QWidget* parent, const QSize& size) : TPictureWindow(parent, size, true)
{
    setFont(sim::SongFont(12));
}

void TWizardPage::showEvent(QShowEvent* e)
{
    TPictureWindow::showEvent(e);
    if (!e->spontaneous())
        CentreOnScreen();
}

TfrmNewRegPrint::TfrmNewRegPrint(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmNewRegPrint"));
    SetPicture(cpart::Wizard(cpart::WizardPage::Welcome));
    lblNext = AddHotSpot("lblNext", QRect(328, 328, 81, 33));
    lblCancel = AddHotSpot("lblCancel", QRect(412, 328, 81, 33));
    goTo<TfrmRegPrint2>(lblNext, this);
    closeOn(lblCancel, this);
}

TfrmRegPrint2::TfrmRegPrint2(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmRegPrint2"));
    img1 = fullPicture(this, "img1", cpart::Wizard(cpart::WizardPage::TypeNetwork));
    img2 = fullPicture(this, "img2", cpart::Wizard(cpart::WizardPage::TypeLocal));
    img2->raise();
    imgButtons = fullPicture(this, "imgButtons", cpart::WizardButtonRow(), QPoint(0, 318));
    lblLocal = AddHotSpot("lblLocal", QRect(32, 112, 33, 25));
    lblNetwork = AddHotSpot("lblNetwork", QRect(40, 144, 265, 33));
    lblNext = AddHotSpot("lblNext", QRect(328, 328, 81, 37));
    lblCancel = AddHotSpot("lblCancel", QRect(414, 329, 81, 37));
    lblBack = AddHotSpot("lblBack", QRect(246, 329, 81, 37));
    connect(lblLocal, &THotRect::clicked, this, [this] {
        img2->show();
        img1->hide();
    });
    connect(lblNetwork, &THotRect::clicked, this, [this] {
        img1->show();
        img2->hide();
    });
    connect(lblNext, &THotRect::clicked, this, [this] {
        if (img2->isVisible())
            openPage<TfrmRegPrint3>();
        else
            openPage<TfrmRegPrint4>();
        close();
    });
    closeOn(lblCancel, this);
    goTo<TfrmNewRegPrint>(lblBack, this);
}

TfrmRegPrint3::TfrmRegPrint3(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmRegPrint3"));
    SetPicture(cpart::Wizard(cpart::WizardPage::Local));
    lblCancel = AddHotSpot("lblCancel", QRect(408, 328, 89, 33));
    lblBack = AddHotSpot("lblBack", QRect(244, 329, 89, 33));
    closeOn(lblCancel, this);
    goTo<TfrmRegPrint2>(lblBack, this);
}

TfrmRegPrint4::TfrmRegPrint4(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmRegPrint4"));
    SetPicture(cpart::Wizard(cpart::WizardPage::Specify));
    auto radio = [this](const char* name, const QPoint& at) {
        auto* r = new QRadioButton(this);
        r->setObjectName(QString::fromLatin1(name));
        r->setGeometry(QRect(at, QSize(18, 18)));
        return r;
    };
    rb1 = radio("rb1", QPoint(46, 120));
    rb2 = radio("rb2", QPoint(46, 146));
    rb3 = radio("rb3", QPoint(46, 211));
    rb1->setChecked(true);
    auto edit = [this](const char* name, const QPoint& at) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(QRect(at, QSize(203, 21)));
        return e;
    };
    edt1 = edit("edt1", QPoint(100, 168));
    edt2 = edit("edt2", QPoint(100, 237));
    lblNext = AddHotSpot("lblNext", QRect(328, 328, 81, 33));
    lblCancel = AddHotSpot("lblCancel", QRect(413, 330, 81, 33));
    lblBack = AddHotSpot("lblBack", QRect(249, 330, 81, 33));
    connect(rb1, &QRadioButton::clicked, this, &TfrmRegPrint4::rb1Click);
    connect(rb2, &QRadioButton::clicked, this, &TfrmRegPrint4::rb2Click);
    connect(rb3, &QRadioButton::clicked, this, &TfrmRegPrint4::rb3Click);
    connect(lblNext, &THotRect::clicked, this, &TfrmRegPrint4::lblNextClick);
    closeOn(lblCancel, this);
    goTo<TfrmRegPrint2>(lblBack, this);
}

void TfrmRegPrint4::showEvent(QShowEvent* e)
{
    TWizardPage::showEvent(e);
    if (!e->spontaneous())
        rb1Click();
}

void TfrmRegPrint4::rb1Click()
{
    edt1->setEnabled(false);
    edt2->setEnabled(false);
}

void TfrmRegPrint4::rb2Click()
{
    edt1->setEnabled(true);
    edt2->setEnabled(false);
}

void TfrmRegPrint4::rb3Click()
{
    edt2->setEnabled(true);
    edt1->setEnabled(false);
}

void TfrmRegPrint4::lblNextClick()
{
    if (rb3->isChecked()) {
        wizardError(this, QStringLiteral("需要指定一个有效的打印机地址(URL)"));
        return;
    }
    openPage<TfrmRegPrint5>();
    close();
}

TfrmRegPrint5::TfrmRegPrint5(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmRegPrint5"));
    SetPicture(cpart::Wizard(cpart::WizardPage::Browse));
    edt1 = new QLineEdit(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setGeometry(93, 94, 272, 21);
    tv1 = new QTreeWidget(this);
    tv1->setObjectName(QStringLiteral("tv1"));
    tv1->setGeometry(28, 133, 445, 102);
    tv1->setHeaderHidden(true);
    auto* network = new QTreeWidgetItem(tv1, {QStringLiteral("Microsoft Windows Network")});
    new QTreeWidgetItem(network, {QStringLiteral("STUDENT-PC")});
    auto* server = new QTreeWidgetItem(network, {QStringLiteral("192.168.0.189")});
    new QTreeWidgetItem(server, {addprint::kPrinterNode});
    lblNext = AddHotSpot("lblNext", QRect(328, 328, 81, 33));
    lblBack = AddHotSpot("lblBack", QRect(248, 330, 81, 33));
    lblCancel = AddHotSpot("lblCancel", QRect(412, 329, 81, 33));
    connect(tv1, &QTreeWidget::currentItemChanged, this, &TfrmRegPrint5::tv1Change);
    connect(lblNext, &THotRect::clicked, this, &TfrmRegPrint5::lblNextClick);
    goTo<TfrmRegPrint4>(lblBack, this);
    closeOn(lblCancel, this);
}

void TfrmRegPrint5::showEvent(QShowEvent* e)
{
    TWizardPage::showEvent(e);
    if (!e->spontaneous())
        tv1->expandAll();
}

void TfrmRegPrint5::tv1Change()
{
    QTreeWidgetItem* node = tv1->currentItem();
    if (node && node->text(0) == addprint::kPrinterNode) {
        edt1->setText(addprint::kPrinterPath);
        addprint::ChosenPrinter() = addprint::kPrinterPath;
    } else {
        edt1->clear();
    }
}

void TfrmRegPrint5::lblNextClick()
{
    if (edt1->text().isEmpty()) {
        wizardError(this, QStringLiteral("您需要指定一个有效的网络打印机名"));
        return;
    }
    openPage<TfrmRegPrint6>();
    close();
}

TfrmRegPrint6::TfrmRegPrint6(QWidget* parent) : TWizardPage(parent, QSize(785, 117))
{
    setObjectName(QStringLiteral("frmRegPrint6"));
    SetPicture(cpart::ConnectConfirm());
    lblYes = AddHotSpot("lblYes", QRect(312, 77, 81, 33));
    lblNo = AddHotSpot("lblNo", QRect(395, 76, 81, 33));
    goTo<TfrmRegPrintSuccess>(lblYes, this);
    closeOn(lblNo, this);
}

TfrmRegPrintSuccess::TfrmRegPrintSuccess(QWidget* parent) : TWizardPage(parent)
{
    setObjectName(QStringLiteral("frmRegPrintSuccess"));
    SetPicture(cpart::Wizard(cpart::WizardPage::Completing));
    lblFinish = AddHotSpot("lblFinish", QRect(328, 328, 81, 33));
    connect(lblFinish, &THotRect::clicked, this, [this] {
        if (QWidget* printers = sim::Ref<TfrmAddPrint>().data())
            printers->close();
        openPage<TfrmRegPrintOK>();
        close();
    });
}
