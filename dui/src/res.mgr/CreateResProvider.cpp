#include "dui/include/core/SResProvider.h"
#include "dui/src/res.mgr/SResProviderFiles.h"
#include "dui/src/res.mgr/SResProviderPE.h"

SAutoRefPtr<IResProvider> CreateResProvider(int kind) {
    switch (kind) {
        case kResProviderPE:
            return MakeRef<SResProviderPE>();
        case kResProviderFiles:
            return MakeRef<SResProviderFiles>();
        default:
            return {};
    }
}
