#include "simulation/ieset/ufrmAddUnSafeWeb.h"

#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW_WITH(TfrmAddUnSafeWeb, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

TfrmAddUnSafeWeb::TfrmAddUnSafeWeb(QWidget* parent) : TWebZoneSites(5, parent)
{
    setObjectName(QStringLiteral("frmAddUnSafeWeb"));
    setWindowTitle(QStringLiteral("受限站点"));
    sim::Ref<TfrmAddUnSafeWeb>() = this;
}
