// Registers the framework's built-in classes with a factory at application start: the plain
// window, the controls, the skins and the layouts. An application that needs more registers its
// own classes afterwards (the wizard adds "gifplayer" and the "gif" skin).
#pragma once

class SObjectFactoryMgr;

class SObjectDefaultRegister {
public:
    virtual ~SObjectDefaultRegister() = default;

    // "window" and every control class.
    virtual void RegisterWindows(SObjectFactoryMgr& mgr) const;
    // "imglist", "imgframe".
    virtual void RegisterSkins(SObjectFactoryMgr& mgr) const;
    // "anchorlayout" (the default), "linearlayout", "vbox", "hbox".
    virtual void RegisterLayouts(SObjectFactoryMgr& mgr) const;

    void RegisterAll(SObjectFactoryMgr& mgr) const {
        RegisterWindows(mgr);
        RegisterSkins(mgr);
        RegisterLayouts(mgr);
    }
};

// The control classes (text, img, imgbtn, button, check, radio, edit, link, progress, caption);
// defined beside the controls.
void RegisterControlClasses(SObjectFactoryMgr& mgr);
