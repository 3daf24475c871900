#pragma once
// The bridge to the external scoring engine: the parameters of pf.ini, the start of
// the engine with the digest of pf.ini, and the reading of its result file.
#include <QString>

#include "platform/WinTypes.h"

struct TPfInfo {
    qint32 questid = 0;
    QString pftime;
    qint32 pfresult = 0; // 0 = scored, other = failure code
    float score = 0;
    QString px; // scoring remark
    QString fail; // failure description
};

class TpfEngine {
public:
    // Copies the exam root and the upload root from the configuration read at start.
    TpfEngine();
    virtual ~TpfEngine() = default;

    bool SaveToPf(const QString& examineeNo);
    bool CheckPfFiles();
    bool PF();
    void ReadResult(TPfInfo& info);

    QString areaid;
    QString stageid;
    QString EnvCheckResult;
    QString ResultFolderName;
    win::HWND msgHandle = 0;
    QString ExamRoot;
    QString UploadRoot;
    qint32 questId = 0;
};

// MD5 of a file's bytes as 32 upper-case hexadecimal characters ("" when unreadable).
QString PfIniDigest(const QString& winPath);
