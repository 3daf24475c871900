#pragma once
// The scoring rule of the substitute engine (see README.md).
#include <QString>
#include <QStringList>

struct ScoringInput {
    QString paperFile; // Windows paths, as named in pf.ini
    QString stepFile;
    QString ansFile;
    QString ansPath;
    int questId = 0;
};

struct ScoringOutcome {
    bool ok = false; // false: the inputs could not be read (error says why)
    QString error;
    int questId = 0;
    double paperScore = 0;
    double score = 0;
    int scoredSteps = 0;
    int passedSteps = 0;
    QStringList remarks; // one line per scored step
};

ScoringOutcome ScoreExercise(const ScoringInput& input);
