// The built-in control classes, registered by SObjectDefaultRegister::RegisterWindows. The
// animated picture (SGifPlayer) is left to the applications that want it.
#include "dui/include/core/SObjectDefaultRegister.h"
#include "dui/include/core/SObjectFactory.h"
#include "dui/src/control/SButton.h"
#include "dui/src/control/SCaption.h"
#include "dui/src/control/SCheckBox.h"
#include "dui/src/control/SEdit.h"
#include "dui/src/control/SImageButton.h"
#include "dui/src/control/SImageWnd.h"
#include "dui/src/control/SLink.h"
#include "dui/src/control/SProgress.h"
#include "dui/src/control/SRadioBox.h"
#include "dui/src/control/SStatic.h"

void RegisterControlClasses(SObjectFactoryMgr& mgr) {
    mgr.Register<SStatic>();
    mgr.Register<SCaption>();
    mgr.Register<SImageWnd>();
    mgr.Register<SButton>();
    mgr.Register<SImageButton>();
    mgr.Register<SCheckBox>();
    mgr.Register<SRadioBox>();
    mgr.Register<SEdit>();
    mgr.Register<SLink>();
    mgr.Register<SProgress>();
}
