#include "dui/include/core/SObjectDefaultRegister.h"

#include "dui/include/core/SObjectFactory.h"
#include "dui/include/core/SWindow.h"
#include "dui/src/layout/SAnchorLayout.h"
#include "dui/src/layout/SHBox.h"
#include "dui/src/layout/SLinearLayout.h"
#include "dui/src/layout/SVBox.h"
#include "dui/src/skin/SSkinImgFrame.h"
#include "dui/src/skin/SSkinImgList.h"

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr& mgr) const {
    mgr.Register<SWindow>();
    RegisterControlClasses(mgr);
}

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr& mgr) const {
    mgr.Register<SSkinImgList>();
    mgr.Register<SSkinImgFrame>();
}

void SObjectDefaultRegister::RegisterLayouts(SObjectFactoryMgr& mgr) const {
    mgr.Register<SAnchorLayout>();
    mgr.Register<SLinearLayout>();
    mgr.Register<SVBox>();
    mgr.Register<SHBox>();
}
