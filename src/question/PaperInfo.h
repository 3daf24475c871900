#pragma once
// The values of the question being practised as the launch data and the paper file
// give them, kept by the website client object.
#include <QString>

// Texts of the launch data, in this order.
struct TPaperUrlInfo {
    QString flag;
    QString msg;
    QString paperurl; // paper file
    QString questid; // question id as text
    QString url2; // description picture
    QString stepurl; // step file
    QString maturl; // material archive ("" = no material)
    QString callback; // score upload
    QString analysisurl; // analysis page (filled by the score upload)
    QString version; // lowest client version the website accepts
};

struct TPaperInfo {
    qint32 moduleid = 0;
    QString knowledgep;
    qint32 questionid = 0;
    qint32 questiontype = 0;
    qint32 operationtype = 0;
    double score = 0; // paper score
    double testscore = 0; // scoring result
    QString begintime;
    QString committime;
    QString answerevaluation;
    QString questiondescription;
    TPaperUrlInfo urls;
    QString ownerid;
    QString k12stage;
    QString module;
};
