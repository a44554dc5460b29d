#include "components/DownloadFolder.h"

#include <random>

#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/SecuredFolder.h"

namespace {

// A name nobody can take beforehand with certainty: a folder planted under a guessed name is
// refused like the first one, and a few more guesses follow.
constexpr int kFreshFolderTries = 16;

}  // namespace

std::wstring PrepareDownloadFolder(const std::wstring& wanted) {
    if (wanted.empty()) return {};
    const FolderSecurity security = SecureFolder(WideToUtf8(wanted), ExistingFolder::Judge);
    if (security == FolderSecurity::Created || security == FolderSecurity::Safe) return wanted;
    Log(WideFormat(L"The download folder %ls %ls; a new folder beside it is used", wanted.c_str(),
                   security == FolderSecurity::Unsafe ? L"may be changed by others than administrators"
                                                      : L"cannot be made or checked"));
    std::random_device random;
    for (int i = 0; i < kFreshFolderTries; ++i) {
        const std::wstring fresh = WideFormat(L"%ls-%08x", wanted.c_str(), unsigned(random()));
        if (SecureFolder(WideToUtf8(fresh), ExistingFolder::Refuse) == FolderSecurity::Created) {
            Log(WideFormat(L"Installers are downloaded to %ls", fresh.c_str()));
            return fresh;
        }
    }
    Log(WideFormat(L"No safe download folder could be made beside %ls", wanted.c_str()));
    return {};
}
