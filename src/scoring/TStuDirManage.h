#pragma once
// The examinee folder manager of the toolbar: the folder set of a run (examinee
// folder, practice folder, pf\, SaveAs\, the first ans.zt) on top of the scoring
// bridge it is handed to at Submit.
#include <QString>

#include "scoring/pfEngine.h"

class TStuDirManage : public TpfEngine {
public:
    TStuDirManage() = default;
    bool AddStuDir(const QString& examineeNo, int questId);
    QString ExamineeNo;
};
