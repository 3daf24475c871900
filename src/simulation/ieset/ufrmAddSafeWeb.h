#pragma once
// "可信站点": the trusted sites of the Internet options (setting 4).
#include "simulation/ieset/WebZoneSites.h"

class TfrmAddSafeWeb : public TWebZoneSites {
    Q_OBJECT
public:
    explicit TfrmAddSafeWeb(QWidget* parent = nullptr);
};
