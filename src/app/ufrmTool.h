#pragma once
// TfrmTool, the exercise toolbar: the program's main window, a small borderless
// always-on-top panel in the bottom-right corner with the question picture, the
// examinee folder and the buttons Open material, Continue, Submit, Minimise, Exit.
// It owns the exercise: its first showing runs the start sequence, its Submit button
// saves and starts the scoring, and the window messages of the scoring engine and of
// a second program instance end the run.
//
// The parts of the exercise that other units complete (the start sequence, the
// answer saving, the scoring hand-over, the score hand-in, the Photoshop history) are
// reached through the virtual methods under "Extension points"; their bodies live in
// ufrmToolSteps.cpp.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/AppArt.h"
#include "platform/WinTypes.h"

class QLabel;
class QScrollArea;
class QTimer;
class TStuDirManage;
class TwebServer;
class Tfrmmain;

// Window messages of the toolbar.
constexpr unsigned WM_PFOK = win::WM_USER + 101; // 0x465, scoring finished
constexpr unsigned WM_PFFAIL = win::WM_USER + 102; // 0x466, scoring failed
constexpr unsigned WM_USER_SHOW = win::WM_USER + 111; // 0x46F, a second instance starts

// Process-wide flags of the running exercise (set by the start sequence).
extern bool bPsSteps; // the question's steps contain Photoshop steps
extern bool bRecentDocs; // recent-documents question (operation type 28)

class TfrmTool : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTool(QWidget* parent = nullptr);
    ~TfrmTool() override;

    // Components.
    QLabel* TntImage1;
    QLabel* labOpPath;
    QScrollArea* TntScrollBox1;
    QLabel* paperImage;
    appart::TBitBtn* btnMinimize;
    appart::TBitBtn* btnExit;
    appart::TBitBtn* btnOpenMat;
    appart::TBitBtn* btnDo;
    appart::TBitBtn* btnSubmit;
    QTimer* TimerTime;
    QTimer* TimerSave;

    // Members, in order: the examinee folder manager, the website client object (freed
    // through FwebServerFree, set by whoever creates it), the saving flag.
    TStuDirManage* FStuDirManage = nullptr;
    TwebServer* FwebServer = nullptr;
    void (*FwebServerFree)(TwebServer*) = nullptr;
    bool bSaving = false;

    // True for the program's main window: closing it ends the application.
    bool MainForm = false;

    // The hidden auxiliary form with the text catalogue (created by FormCreate).
    Tfrmmain* frmmain = nullptr;

    // The window handle under which the toolbar receives window messages (class
    // "TfrmTool", caption "Pravik"); 0 before FormCreate registered it.
    win::HWND Handle() const { return m_handle; }
    // False when FormCreate ended the application (no free drive letter).
    bool Created() const { return m_created; }

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void TntImage1MouseDown(const QPoint& globalPos);
    void paperImageDblClick();
    void btnMinimizeClick();
    void btnExitClick();
    void btnOpenMatClick();
    void btnDoClick();
    void btnSubmitClick();
    void TimerTimeTimer();
    void TimerSaveTimer();

    // Window message handlers.
    win::LRESULT WndProc(unsigned msg, win::WPARAM wParam, win::LPARAM lParam);
    void WMPFOK();
    void WMPFFAIL();
    void WMUSERSHOW();

    // Shows the question's description picture in paperImage.
    bool LoadPaperImage(const QString& winPath);
    // Sets labOpPath after a successful start (drive letter or operation path).
    void ShowOpPath();

    // ---- Extension points (bodies in ufrmToolSteps.cpp) ----
    // The start sequence; true when the exercise runs. FormShow ends the application
    // on false.
    virtual bool StartExercise();
    // The environment check step of the start sequence; true when the exercise may go on.
    virtual bool EnvironmentCheck();
    // Saving of the answers (the answer archive); keeps bSaving set while it runs.
    virtual void SaveAns();
    virtual void SaveOperationAns();
    virtual void SaveIEAns();
    // Submit, steps 5 and 6: hand the window handle and the launch values to the
    // scoring bridge, record the operations into the archive and start the engine.
    virtual void SubmitToEngine(const QString& ansFile);
    // WM_PFOK: read the result and upload the score.
    virtual void HandPaper();
    // "续做本题": start the software again; true when it was started.
    virtual bool SoftStartContinue();
    // Photoshop history capture of TimerTimeTimer; returns the error text ("" = ok).
    virtual QString RecordPsHistory(const QString& sifFile);
    // The question as the website client knows it.
    virtual int QuestionId() const;
    virtual bool QuestionHasMaterial() const;
    virtual QString OperationPath() const;
    virtual QString QuestionDir() const;
    // The examinee folder of the run: StuExamData root + examinee number ("%s%s").
    virtual QString ExamineeFolder() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    win::HWND m_handle = 0;
    bool m_created = false;
    bool m_shownOnce = false;
    bool m_closed = false;
};

// The toolbar of the process (empty when none exists).
extern QPointer<TfrmTool> frmTool;
