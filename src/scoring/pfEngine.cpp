#include "scoring/pfEngine.h"

#include "environment/unDMDB.h"

TpfEngine::TpfEngine()
{
    if (DM) {
        ExamRoot = DM->ExamRoot;
        UploadRoot = DM->UploadRoot;
    }
}
