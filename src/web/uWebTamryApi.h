#pragma once
// The HTML form poster of the website client: the launch-data post and the score
// upload, both as "application/x-www-form-urlencoded".
#include <QString>

#include "log/unLogCtrl.h"

class TWebTamry {
public:
    TWebTamry();
    ~TWebTamry();

    void SetBaseURL(const QString& url);
    const QString& BaseURL() const { return m_baseUrl; }

    // Posts a form of one empty entry; the response text, "" when the request failed.
    QString PostForm(const QString& url);
    // Posts the single entry "scores=" + json; the response text, "" on failure.
    QString PostScores(const QString& json, const QString& url);

    ILogCtrlPtr Logger;

private:
    QString m_baseUrl;
};
