// The simulated window classes that exist in this program. Each class registers
// itself from its own .cpp (SIM_REGISTER_WINDOW); this list only makes sure that the
// object file of every class is part of the program when the simulation library is
// linked as a static library (an object file that nothing refers to is left out, and
// its registration with it). A new simulated window adds its line here.
#include "simulation/desktop/SimWindows.h"

void sim_anchor_TfrmOperationMain();
void sim_anchor_TfrmIESet();
void sim_anchor_TfrmLanSet();
void sim_anchor_TfrmAddSafeWeb();
void sim_anchor_TfrmAddUnSafeWeb();
void sim_anchor_TfrmIIS();
void sim_anchor_TfrmIISGuide();
void sim_anchor_TfrmIISProperty();
void sim_anchor_TfrmIISAppConfig();
void sim_anchor_TfrmIdentityValidate();
void sim_anchor_TfrmIP();
void sim_anchor_TfrmIPProperty();
void sim_anchor_TfrmIPSet();
void sim_anchor_TfrmFTP();

namespace sim {

void LinkWindowClasses()
{
    sim_anchor_TfrmOperationMain();
    sim_anchor_TfrmIESet();
    sim_anchor_TfrmLanSet();
    sim_anchor_TfrmAddSafeWeb();
    sim_anchor_TfrmAddUnSafeWeb();
    sim_anchor_TfrmIIS();
    sim_anchor_TfrmIISGuide();
    sim_anchor_TfrmIISProperty();
    sim_anchor_TfrmIISAppConfig();
    sim_anchor_TfrmIdentityValidate();
    sim_anchor_TfrmIP();
    sim_anchor_TfrmIPProperty();
    sim_anchor_TfrmIPSet();
    sim_anchor_TfrmFTP();
}

} // namespace sim
