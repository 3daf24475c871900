#include "simulation/ieset/ufrmAddSafeWeb.h"

#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW_WITH(TfrmAddSafeWeb, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

TfrmAddSafeWeb::TfrmAddSafeWeb(QWidget* parent) : TWebZoneSites(4, parent)
{
    setObjectName(QStringLiteral("frmAddSafeWeb"));
    setWindowTitle(QStringLiteral("可信站点"));
    sim::Ref<TfrmAddSafeWeb>() = this;
}
