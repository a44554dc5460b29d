// SObjectFactoryMgr: makes framework objects by class name and kind (window, skin, layout). Class
// names are kept in lower case, so element names match without regard to case. Owned by the
// application context; registration and creation happen on the UI thread.
//
// CreateObject of a window also applies the current UI definition's default attributes for that
// class (SObjDefAttr): its "class" attribute first, then the others, all with the loading flag.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "dui/include/core/SObject.h"

class SAppContext;

class SObjectFactoryMgr {
public:
    using Creator = SObject* (*)();

    explicit SObjectFactoryMgr(SAppContext& context) : context(context) {}

    // Replaces an earlier factory of the same name and kind.
    void RegisterFactory(std::wstring_view className, ObjectKind kind, Creator create);
    bool UnregisterFactory(std::wstring_view className, ObjectKind kind);

    template <class T>
    void Register() {
        RegisterFactory(T::kClassName, T::kClassKind, []() -> SObject* { return new T; });
    }

    // Nothing (after the log line "Warning: no ojbect %s of type:%d in DUI!!") for an unknown
    // name and kind.
    SAutoRefPtr<SObject> CreateObject(std::wstring_view className, ObjectKind kind) const;

    // CreateObject with the result cast to T (nothing when the made object is not a T).
    template <class T>
    SAutoRefPtr<T> Create(std::wstring_view className) const {
        SAutoRefPtr<SObject> made = CreateObject(className, T::kClassKind);
        T* typed = dynamic_cast<T*>(made.get());
        return typed ? SAutoRefPtr<T>(typed) : SAutoRefPtr<T>();
    }

private:
    SAppContext& context;
    std::map<std::pair<std::wstring, ObjectKind>, Creator> factories;
};
