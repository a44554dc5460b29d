// Any bytes as the install service's reply and as the manifest: both readers must come to one of
// their documented outcomes, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "service/InstallService.h"

namespace {

// Success means no failure code and the service's retcode 0; a failure is either ours (error -1,
// retcode 0) or the service's (error 0).
void CheckOutcome(bool succeeded, const InstallJob& job) {
    if (succeeded && (job.error != 0 || job.retcode != 0)) std::abort();
    if (!succeeded && job.error != 0 && (job.error != -1 || job.retcode != 0)) std::abort();
    if (!succeeded && job.error == 0 && job.retcode == 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);

    InstallJob setup;
    setup.installResult = {"kept until the reply is read", 7};
    const bool installed = ReadInstallReply(setup, body);
    CheckOutcome(installed, setup);
    if (!installed && setup.error == 0 && setup.installResult.shopId != 7) std::abort();

    InstallJob manifest;
    manifest.files.resize(1);
    const bool listed = ReadManifestReply(manifest, body);
    CheckOutcome(listed, manifest);
    if (!listed && !manifest.files.empty()) std::abort();
    for (const ManifestFile& file : manifest.files)
        if (file.extractTotal != 0 || file.extractDone != 0) std::abort();
    return 0;
}
