#pragma once
// The common base of the prompt windows: borderless, font "宋体" 13 px, centred on
// the desktop each time it is shown, with the hidden text list lstLanguage.
#include <QDialog>

class QListWidget;

class TfrmBase : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBase(QWidget* parent = nullptr);

    QListWidget* lstLanguage;

protected:
    void showEvent(QShowEvent* e) override;
    // Centres the window on the available desktop area.
    void CentreOnDesktop();
};
