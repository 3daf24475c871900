#pragma once
// The simulated Windows desktop of the Windows-settings questions (operation types 4,
// 19, 22, 23 and 26): full screen, the icon column with its hot spots, the Start menu,
// the taskbar with its clock, the movable description panel and the exit button that
// works only while no simulated window is visible.
//
// The simulated windows are opened by class name through the registry of
// SimWindows.h; a window class that is not there yet makes its action do nothing.
// Class names used: TfrmIESet, TfrmIIS (modal), TfrmIP, TfrmFTP (a new window per
// opening, kept in OwnedWindows), TfrmMyCP (verb "DriveD": create if needed and show
// drive D:), TfrmExplorer (verb "FolderPanel"), TfrmRcyEandC, TfrmRecy,
// TfrmSystemProperty, TfrmSystemInfo, TfrmControlForm, TfrmWindowsmenu, Tfrmtoolbar,
// TfrmTimeandDate, Tfrm360safe1, Tfrm360sd1.
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QPointer>

class QMenu;
class QAction;
class QTimer;
class QToolButton;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QFrame;
class TQuestion;

// A transparent label over a picture that reacts to double-clicks and opens its
// popup menu on a right click (only while enabled, like the original labels).
class THotSpot : public QLabel {
    Q_OBJECT
public:
    explicit THotSpot(QWidget* parent = nullptr);
    QMenu* PopupMenu = nullptr;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
};

class TfrmOperationMain : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOperationMain(QWidget* parent = nullptr);
    ~TfrmOperationMain() override;

    // Stores the operation type in OpType and enables the hot spots of that mode.
    void SetOperation(int opType);

    // Full path of the question's description picture, empty when it has none.
    QString DescPicturePath;

    // Windows owned by the desktop (FTP windows, connection-properties windows):
    // destroyed with the desktop.
    void AddOwnedWindow(QWidget* w);
    QList<QPointer<QWidget>> OwnedWindows;

    void RestoreDesktopState();
    static void CloseOperationWindows();

    // Services to the other simulated windows.
    void SetClockText(const QString& text); // lbTime's caption
    void SetTaskbarVisible(bool visible); // Panel2
    void SetTaskButtonVisible(QWidget* button, bool visible, bool moveTo64 = false);
    // The recycle bin emptied: the full icon hidden, "清空回收站(&B)" disabled.
    void ShowRecycleBinEmptied();
    // Both security screens ("360安全卫士" and "360杀毒") have been opened.
    bool SecurityScreensOpened() const;

    // The action of a menu reached through a path of captions, e.g.
    // {"程序(&P)", "附件", "系统工具", "系统信息"}; nullptr when there is none.
    static QAction* FindAction(QMenu* menu, const QStringList& captionPath);

    // Components (named as on the form).
    QWidget* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    THotSpot* lblOperation = nullptr;
    THotSpot* lblOperationIP = nullptr;
    QLabel* ImgRecy = nullptr;
    THotSpot* lbRecy = nullptr;
    THotSpot* lblOperationIE = nullptr;
    THotSpot* lblOperationIIS = nullptr;
    QLabel* lblCurrOpTitle = nullptr;
    QPushButton* btClose = nullptr;
    QFrame* PanelMove = nullptr;
    QScrollArea* sboxPaper = nullptr;
    QLabel* paperImage = nullptr;
    QScrollArea* sboxQuestionDesc2 = nullptr;
    QLabel* imgQuestionDesc2 = nullptr;
    QTextEdit* RichViewDes = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* ToolBar1 = nullptr;
    QToolButton* ToolBtnStart = nullptr;
    QPushButton* btn360sd = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btnDiskD = nullptr;
    QWidget* ToolBar2 = nullptr;
    QToolButton* ToolBtnNet2 = nullptr;
    THotSpot* lbTime = nullptr;
    QTimer* tmrRefresh = nullptr;

    QMenu* PpStartMenu = nullptr;
    QMenu* PPMainR = nullptr;
    QMenu* PP_Toolbar = nullptr;
    QMenu* PPTime = nullptr;
    QMenu* ppMyCompter = nullptr;
    QMenu* ppIP = nullptr;
    QMenu* ppIE = nullptr;
    QMenu* PPRecy = nullptr;
    QMenu* PPRightStarMenu = nullptr;
    QMenu* ppNetWork = nullptr;

    // Event handlers.
    void FormShow();
    void FormResize();
    void tmrRefreshTimer();
    void btCloseClick();
    void lblOperationIEDblClick();
    void lblOperationIISDblClick();
    void OpenNetworkConnections();
    void lbRecyDblClick();
    void EmptyRecycleBinClick();
    void Open360Safe();
    void Open360Sd();
    void btn1Click();
    void btn360sdClick();
    void btnDiskDClick();
    void Panel1MouseMove(int y);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void buildMenus();
    void buildTaskbar();
    void layoutSurface();
    void openSimple(const QString& cls, bool stayOnTop, const QString& verb = {});

    bool m_netStartActionOn = true;
    QPoint m_dragStart;
    QPoint m_panelStart;
    bool m_dragging = false;
    bool m_closing = false;
    QAction* m_emptyRecycleAction = nullptr;
};

// Shows the simulated desktop modally for a desktop question: creates it when no
// desktop exists (else reuses it), makes `q` the current question, sets the title
// label to `title` (the full text, "当前操作题为：" + the operation name), calls
// SetOperation(opType) (the caller passes IpStepLevel for type 19) and sets the
// description picture. Returns when the desktop has closed, with the dialog's result.
int ShowOperationDesktop(TQuestion* q, int opType, const QString& title, const QString& picturePath);
