#pragma once
// One scoring step of the question as sixteen text fields, stored exactly as read.
#include <QString>
#include <QVector>

struct TTamryQuestionStepInfo {
    QString questionid, autoid, knowledge;
    QString para1, para2, para3, para4, para5, para6, para7, para8, para9;
    QString isscore, scoregene, rightcount, wrongcount;
};

using TTamryQuestionStepInfos = QVector<TTamryQuestionStepInfo>;
