#pragma once
// "属性" of the virtual directory: pages "虚拟目录" (path, application name, access
// rights, execute permission), "文档" (default documents) and "目录安全" (opens the
// authentication dialog). "确定" and "应用(&A)" store into IISSettings.
#include "simulation/iis/PlainDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

class TfrmIISProperty : public sim::PlainDialog {
    Q_OBJECT
public:
    explicit TfrmIISProperty(QWidget* parent = nullptr);

    void LoadSettings();
    void StoreSettings();

    // Asks for a default document; the seam lets tests answer it. Returns false when
    // the student cancels.
    static bool (*InputBox)(QWidget* parent, const QString& caption, const QString& prompt, QString& value);

    QTabWidget* pcProperty = nullptr;
    QLineEdit* txtLocalPath = nullptr;
    QLineEdit* txtAppName = nullptr;
    QLabel* lblStartPos = nullptr;
    QWidget* chpPPower = nullptr;
    QCheckBox* ckScript = nullptr;
    QCheckBox* ckRead = nullptr;
    QCheckBox* ckWrite = nullptr;
    QCheckBox* ckBrowse = nullptr;
    QCheckBox* ckLog = nullptr;
    QCheckBox* ckIndex = nullptr;
    QComboBox* cbExecute = nullptr;
    QListWidget* ltbDefaultIndex = nullptr;
    QPushButton* btConfig = nullptr;
    QPushButton* btAddDoc = nullptr;
    QPushButton* btDelDoc = nullptr;
    QPushButton* btUp = nullptr;
    QPushButton* btDown = nullptr;
    QPushButton* btEditAuth = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void btAddDocClick();
    void btDelDocClick();
    void btUpClick();
    void btDownClick();

protected:
    void showEvent(QShowEvent* e) override;
};
