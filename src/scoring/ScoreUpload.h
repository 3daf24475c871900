#pragma once
// The score upload: the body posted to the callback URL and the reading of the
// website's answer.
#include <QString>

struct UploadFields {
    QString moduleid; // the launch data's "module" code
    QString knowledgep;
    qint32 questionid = 0;
    qint32 questiontype = 0;
    qint32 operationtype = 0;
    double paperScore = 0;
    double testScore = 0;
    QString begintime; // "yyyy-MM-dd hh:mm:ss"
    QString committime;
};

// Every UTF-16 code unit as "\u" + four upper-case hexadecimal digits.
QString EscapeU(const QString& text);
// Whole seconds from begin to commit; 60 when either time cannot be read.
qint64 TimeSpent(const QString& begintime, const QString& committime);
// The JSON text of the "scores" entry (ANSI bytes as sent), with the evaluation text
// arriving as JSON \u escapes.
QByteArray BuildUploadBody(const UploadFields& fields, const QString& evaluation);

// Reads the website's answer. Production format: accepted when "flag" is "1" and a
// "data" object exists, the analysis page is data.callback; debug format: accepted
// when "result" is "0", the analysis page is the top-level "callback".
bool ReadUploadAnswer(const QByteArray& response, bool productionFormat, QString* analysisUrl);
