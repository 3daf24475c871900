#pragma once
// The paper file "Paper.xml": module, question id, score, description, type,
// knowledge point and operation type of the question.
#include <QString>

#include "question/PaperInfo.h"

// Reads the file into the record; false when the file is missing, malformed, carries
// a document type declaration, lacks an element or holds a 0 where a number must not
// be 0. Never prompts. Values are only stored once the whole file has been read.
bool ReadPaperXml(const QString& fileName, TPaperInfo& info);
