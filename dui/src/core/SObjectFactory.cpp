#include "dui/include/core/SObjectFactory.h"

#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SLog.h"
#include "dui/include/core/SWindow.h"
#include "dui/include/core/SXml.h"

void SObjectFactoryMgr::RegisterFactory(std::wstring_view className, ObjectKind kind, Creator create) {
    factories[{ToLowerAscii(className), kind}] = create;
}

bool SObjectFactoryMgr::UnregisterFactory(std::wstring_view className, ObjectKind kind) {
    return factories.erase({ToLowerAscii(className), kind}) != 0;
}

SAutoRefPtr<SObject> SObjectFactoryMgr::CreateObject(std::wstring_view className, ObjectKind kind) const {
    const std::wstring key = ToLowerAscii(className);
    auto it = factories.find({key, kind});
    if (it == factories.end()) {
        SLogFormat(SLogLevel::kWarning, L"src\\core\\SObjectFactory", __LINE__,
                   L"Warning: no ojbect %ls of type:%d in DUI!!", key.c_str(), static_cast<int>(kind));
        return {};
    }
    auto object = SAutoRefPtr<SObject>::Adopt(it->second());
    if (kind == ObjectKind::kWindow) {
        // The UI definition's defaults for this class: its "class" first, then the rest.
        const pugi::xml_node defaults = context.GetUiDef().GetObjDefAttr().GetDefAttribute(key);
        if (defaults) {
            if (const pugi::xml_attribute cls = defaults.attribute("class"))
                object->ApplyAttribute(L"class", XmlText(cls.value()), true);
            for (pugi::xml_attribute attr : defaults.attributes())
                if (!EqualsNoCase(attr.name(), "class"))
                    object->ApplyAttribute(XmlText(attr.name()), XmlText(attr.value()), true);
        }
    }
    return object;
}
