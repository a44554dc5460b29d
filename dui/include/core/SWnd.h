// The framework's chief header: the window tree, its events, resources and the application
// context. Include this from application code.
#pragma once

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SColor.h"
#include "dui/include/core/SEvents.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SObjectDefaultRegister.h"
#include "dui/include/core/SResProviderMgr.h"
#include "dui/include/core/SUiDef.h"
#include "dui/include/core/SWindow.h"
#include "dui/include/core/SXml.h"
#include "dui/include/core/SwndContainer.h"
