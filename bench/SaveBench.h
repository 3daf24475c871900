#pragma once
// The time of one periodic answer save of a Windows Virtual question (operation type
// 26) whose 131 operation answer slots are all filled.
#include <QString>

namespace bench {

struct SaveFigures {
    int saves = 0;
    double meanMs = 0;
    double medianMs = 0;
    double minMs = 0;
    double maxMs = 0;
    qint64 archiveBytes = 0;
    // The part of a save that builds and writes the archive (FlattenOpAnswers,
    // AnswerLine, WriteArchiveFile), timed alone; the rest is the end of the archiver
    // programs (process table scans) and the log lines.
    double writeMedianMs = 0;
    QString error;
};

// workDir: an empty host folder for the emulated prefix, the examinee folder and the
// log. Sets PRAVIK_PREFIX for this process.
SaveFigures MeasureSaves(const QString& workDir, int saves);

} // namespace bench
