#pragma once
// "受限站点": the restricted sites of the Internet options (setting 5).
#include "simulation/ieset/WebZoneSites.h"

class TfrmAddUnSafeWeb : public TWebZoneSites {
    Q_OBJECT
public:
    explicit TfrmAddUnSafeWeb(QWidget* parent = nullptr);
};
