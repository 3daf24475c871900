#pragma once
// The add-printer wizard of the control panel: the printers window, the wizard pages
// (pictures with hot spots over their buttons and options, a few real controls), the
// confirmation box and the printers-and-faxes window that records slot 26.
#include <QString>

#include "simulation/controlpanel/PicturePage.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

namespace addprint {

// The printer chosen on the browse page, kept for the whole process (never cleared).
QString& ChosenPrinter();
// The node that chooses the printer and the text it puts into the name edit.
inline const QString kPrinterNode = QStringLiteral("Canon iP2700 series");
inline const QString kPrinterPath = QStringLiteral("\\\\192.168.0.189\\Canon iP2700 series");
inline const QString kWizardCaption = QStringLiteral("添加打印机向导");

} // namespace addprint

// The printers folder with the task link that starts the wizard.
class TfrmAddPrint : public TPictureWindow {
    Q_OBJECT
public:
    explicit TfrmAddPrint(QWidget* parent = nullptr);
    THotRect* lblAddPrinter = nullptr;
};

// A borderless wizard page, 501 x 366, centred on the screen.
class TWizardPage : public TPictureWindow {
    Q_OBJECT
public:
    TWizardPage(QWidget* parent, const QSize& size = QSize(501, 366));

protected:
    void showEvent(QShowEvent* e) override;
};

class TfrmNewRegPrint : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmNewRegPrint(QWidget* parent = nullptr);
    THotRect* lblNext = nullptr;
    THotRect* lblCancel = nullptr;
};

class TfrmRegPrint2 : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrint2(QWidget* parent = nullptr);
    QLabel* img1 = nullptr; // the network option chosen
    QLabel* img2 = nullptr; // the local option chosen (in front at first)
    QLabel* imgButtons = nullptr;
    THotRect* lblLocal = nullptr;
    THotRect* lblNetwork = nullptr;
    THotRect* lblNext = nullptr;
    THotRect* lblCancel = nullptr;
    THotRect* lblBack = nullptr;
};

class TfrmRegPrint3 : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrint3(QWidget* parent = nullptr);
    THotRect* lblCancel = nullptr;
    THotRect* lblBack = nullptr;
};

class TfrmRegPrint4 : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrint4(QWidget* parent = nullptr);
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;
    QLineEdit* edt1 = nullptr;
    QLineEdit* edt2 = nullptr;
    THotRect* lblNext = nullptr;
    THotRect* lblCancel = nullptr;
    THotRect* lblBack = nullptr;
    void rb1Click();
    void rb2Click();
    void rb3Click();
    void lblNextClick();

protected:
    void showEvent(QShowEvent* e) override;
};

class TfrmRegPrint5 : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrint5(QWidget* parent = nullptr);
    QLineEdit* edt1 = nullptr;
    QTreeWidget* tv1 = nullptr;
    THotRect* lblNext = nullptr;
    THotRect* lblBack = nullptr;
    THotRect* lblCancel = nullptr;
    void tv1Change();
    void lblNextClick();

protected:
    void showEvent(QShowEvent* e) override;
};

class TfrmRegPrint6 : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrint6(QWidget* parent = nullptr);
    THotRect* lblYes = nullptr;
    THotRect* lblNo = nullptr;
};

class TfrmRegPrintSuccess : public TWizardPage {
    Q_OBJECT
public:
    explicit TfrmRegPrintSuccess(QWidget* parent = nullptr);
    THotRect* lblFinish = nullptr;
};

// The printers folder with the new printer; records slot 26 when shown.
class TfrmRegPrintOK : public TPictureWindow {
    Q_OBJECT
public:
    explicit TfrmRegPrintOK(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;
};
