#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <ole2.h>

#include "support/platform/ComApartment.h"

// S_FALSE (already entered on this thread) still has to be balanced; RPC_E_CHANGED_MODE does not.
ComApartment::ComApartment() : entered(SUCCEEDED(::OleInitialize(nullptr))) {}

ComApartment::~ComApartment() {
    if (entered) ::OleUninitialize();
}
