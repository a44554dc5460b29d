// Base of every object the factory makes (windows, skins, layouts): a class name, an object kind
// and attribute handling. Objects are reference-counted (SRefObject) and live on the UI thread.
//
// A concrete class names itself with DUI_CLASS as the first thing in its body:
//     class SButton : public SWindow {
//         DUI_CLASS(SButton, SWindow, L"button")
//     ...
// which gives it kClassName (the element name, lower case), GetObjectClass and an IsClass that
// also answers for every base class. The object kind comes from the root class (SWindow, ISkinObj,
// ILayout declare kClassKind).
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "dui/include/core/SObjRef.h"
#include "dui/include/core/SStringUtil.h"

enum class ObjectKind { kWindow = 1, kSkin = 2, kLayout = 3 };

// Outcome of one attribute: kOk taken, kDeclined not ours (the caller may offer it elsewhere),
// kFailed ours but the value is unusable (the object keeps its previous value).
enum class AttrResult { kOk, kDeclined, kFailed };

class SObject : public SRefObject {
public:
    static constexpr const wchar_t* kClassName = L"object";

    virtual const wchar_t* GetObjectClass() const = 0;
    virtual ObjectKind GetObjectKind() const = 0;
    // True when this object is of class `className` or derives from it (case-insensitive).
    virtual bool IsClass(std::wstring_view /*className*/) const { return false; }

    // One attribute by name (case-insensitive). `loading` is set while a document is applied.
    virtual AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) = 0;

    // Applies every attribute of `node` in document order, then OnInitFinished(node). Windows
    // override this with their own order (SWindow::LoadFromXml).
    virtual bool InitFromXml(pugi::xml_node node);
    // Called once the node's attributes are applied.
    virtual void OnInitFinished(pugi::xml_node /*node*/) {}
};

#define DUI_CLASS(ThisClass, BaseClass, name)                                        \
public:                                                                              \
    static constexpr const wchar_t* kClassName = name;                               \
    const wchar_t* GetObjectClass() const override {                                 \
        return kClassName;                                                           \
    }                                                                                \
    bool IsClass(std::wstring_view className) const override {                       \
        return EqualsNoCase(className, kClassName) || BaseClass::IsClass(className); \
    }
