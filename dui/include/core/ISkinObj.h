// A skin: a named picture that draws a window's background (or a part of a control) in one of
// its states. Skins are made by the factory (kind skin) from the skin tables, shared by every
// window that names them, and immutable after loading. UI thread only.
//
// State index used by windows: 0 normal, 1 hover, 2 pushed/checked, 3 disabled; a skin with
// fewer states draws state 0 for indexes it lacks (see SWindow::GetSkinStateIndex).
#pragma once

#include <string>

#include "dui/include/core/RenderTypes.h"
#include "dui/include/core/SObjRef.h"
#include "dui/include/core/SObject.h"

class IRenderTarget;

class ISkinObj : public SObject {
public:
    static constexpr ObjectKind kClassKind = ObjectKind::kSkin;
    ObjectKind GetObjectKind() const override { return kClassKind; }

    // Draws state `state` into `rc` at opacity `alpha`; a state out of range draws nothing.
    virtual void Draw(IRenderTarget& rt, const RECT& rc, int state, BYTE alpha = 255) const = 0;
    // The size of one state's picture; 0 x 0 without a picture.
    virtual SIZE GetSkinSize() const = 0;
    virtual int GetStates() const = 0;

    const std::wstring& GetName() const { return name; }
    void SetName(const std::wstring& skinName) { name = skinName; }
    // Percent; skins are pooled by (name, scale).
    int GetScale() const { return scale; }
    // The same skin for windows drawn at `target` percent: its picture at that scale (or made from
    // the nearest larger one), its sizes and margins scaled. nullptr for a skin that cannot be
    // redrawn (it is then drawn as it is).
    virtual SAutoRefPtr<ISkinObj> Scaled(int /*target*/) const { return nullptr; }

protected:
    int scale = 100;

private:
    std::wstring name;
};
