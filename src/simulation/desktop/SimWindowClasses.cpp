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
void sim_anchor_TfrmControlForm();
void sim_anchor_TfrmMouseSet();
void sim_anchor_TfrmTimeandDate();
void sim_anchor_TfrmWindowsmenu();
void sim_anchor_Tfrmtoolbar();
void sim_anchor_TfrmAddPrint();
void sim_anchor_TfrmNewRegPrint();
void sim_anchor_TfrmRegPrint2();
void sim_anchor_TfrmRegPrint3();
void sim_anchor_TfrmRegPrint4();
void sim_anchor_TfrmRegPrint5();
void sim_anchor_TfrmRegPrint6();
void sim_anchor_TfrmRegPrintSuccess();
void sim_anchor_TfrmRegPrintOK();
void sim_anchor_Tfrm360safe1();
void sim_anchor_Tfrm360safe2();
void sim_anchor_Tfrm360safe3();
void sim_anchor_Tfrm360safe4();
void sim_anchor_Tfrm360safe5();
void sim_anchor_Tfrm360safe6();
void sim_anchor_Tfrm360safe7();
void sim_anchor_Tfrm360sd1();
void sim_anchor_Tfrm360sd2();
void sim_anchor_Tfrm360sd3();
void sim_anchor_TfrmSystemProperty();
void sim_anchor_TfrmManagementConsole();
void sim_anchor_TfrmSystemInfo();
void sim_anchor_TfrmMyCP();
void sim_anchor_TfrmExplorer();
void sim_anchor_Tfrmproperty();
void sim_anchor_TfrmMydocumentProperty();
void sim_anchor_TfrmRcyEandC();
void sim_anchor_TfrmRecy();
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
    sim_anchor_TfrmControlForm();
    sim_anchor_TfrmMouseSet();
    sim_anchor_TfrmTimeandDate();
    sim_anchor_TfrmWindowsmenu();
    sim_anchor_Tfrmtoolbar();
    sim_anchor_TfrmAddPrint();
    sim_anchor_TfrmNewRegPrint();
    sim_anchor_TfrmRegPrint2();
    sim_anchor_TfrmRegPrint3();
    sim_anchor_TfrmRegPrint4();
    sim_anchor_TfrmRegPrint5();
    sim_anchor_TfrmRegPrint6();
    sim_anchor_TfrmRegPrintSuccess();
    sim_anchor_TfrmRegPrintOK();
    sim_anchor_Tfrm360safe1();
    sim_anchor_Tfrm360safe2();
    sim_anchor_Tfrm360safe3();
    sim_anchor_Tfrm360safe4();
    sim_anchor_Tfrm360safe5();
    sim_anchor_Tfrm360safe6();
    sim_anchor_Tfrm360safe7();
    sim_anchor_Tfrm360sd1();
    sim_anchor_Tfrm360sd2();
    sim_anchor_Tfrm360sd3();
    sim_anchor_TfrmSystemProperty();
    sim_anchor_TfrmManagementConsole();
    sim_anchor_TfrmSystemInfo();
    sim_anchor_TfrmMyCP();
    sim_anchor_TfrmExplorer();
    sim_anchor_Tfrmproperty();
    sim_anchor_TfrmMydocumentProperty();
    sim_anchor_TfrmRcyEandC();
    sim_anchor_TfrmRecy();
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
